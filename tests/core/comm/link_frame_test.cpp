#include "comm/link_frame.h"

#include <gtest/gtest.h>

#include <string_view>

#include "comm/link_frame_parser.h"
#include "comm/link_inbox.h"

namespace kelcc::core::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Status = LinkFrameParser::Status;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes frameBytes(std::uint8_t sequence, std::uint8_t command, std::uint8_t subCode,
                 Bytes data = {}) {
    return LinkFrame::encode(Frame{sequence, command, subCode, std::move(data)});
}

Bytes patterned(std::size_t size) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return data;
}

TEST(LinkFrame, GoldenSumCrcAndFrameBytesUpToTheLargestData) {
    EXPECT_EQ(LinkFrame::headerSum(Bytes{0x12, 0x05, 0x62, 0x01, 0x00, 0x1B}), 0x95);
    EXPECT_EQ(LinkFrame::dataCrc(bytesOf("123456789")), 0x31C3);
    // The header sum wraps at a byte; the CRC goes most significant first.
    EXPECT_EQ(frameBytes(0xF0, 0x00, 2, {0xAB, 0x01}),
              (Bytes{0x12, 0xF0, 0x00, 0x02, 0x00, 0x02, 0x06, 0xAB, 0x01, 0xD1, 0xA5}));
    EXPECT_EQ(frameBytes(9, 0x00, 2), (Bytes{0x12, 0x09, 0x00, 0x02, 0x00, 0x00, 0x1D}));
    for (const std::size_t size : {std::size_t{512}, LinkFrame::kMaxData})
        EXPECT_EQ(frameBytes(1, 0x00, 0, patterned(size)).size(), size + 9);
}

class LinkFrameParserTest : public ::testing::Test {
protected:
    void feed(const Bytes& bytes) { ASSERT_TRUE(m_parser.append(bytes)); }
    LinkFrameParser m_parser;
};

TEST_F(LinkFrameParserTest, GarbageAndFalseStartsBeforeAFrameAreDropped) {
    // 0x12 followed by a command above 0x80, then one followed by a sub-code
    // above 0x30: neither starts a frame.
    Bytes input{0x00, 0xFF, 0x12, 0x01, 0x81, 0x00, 0x00, 0x00,
                0x12, 0x01, 0x10, 0x31, 0x00, 0x00, 0x55};
    const Bytes frame = frameBytes(3, 0x72, 0x00, bytesOf("ab"));
    input.insert(input.end(), frame.begin(), frame.end());
    feed(input);
    const auto result = m_parser.next();
    ASSERT_EQ(result.status, Status::Complete);
    EXPECT_EQ(result.frame.sequence, 3);
    EXPECT_EQ(result.frame.command, 0x72);
    EXPECT_EQ(result.frame.data, bytesOf("ab"));
    EXPECT_EQ(m_parser.buffered(), 0u);
}

TEST_F(LinkFrameParserTest, NoiseWithoutAStartByteDoesNotFillTheBuffer) {
    for (int i = 0; i < 40; ++i) {
        feed(Bytes(1000, 0xA5));
        EXPECT_EQ(m_parser.next().status, Status::NeedMore);
    }
    EXPECT_EQ(m_parser.buffered(), 0u);
    EXPECT_FALSE(m_parser.append(Bytes(LinkFrameParser::kCapacity + 1, 0)));
}

TEST_F(LinkFrameParserTest, FrameSplitAtAnyPointCompletesWithItsLastByte) {
    const Bytes frame = frameBytes(7, 0x62, 1, patterned(27));
    for (std::size_t split = 1; split < frame.size(); ++split) {
        LinkFrameParser parser;
        ASSERT_TRUE(parser.append(std::span(frame).first(split)));
        EXPECT_EQ(parser.next().status, Status::NeedMore) << split;
        ASSERT_TRUE(parser.append(std::span(frame).subspan(split)));
        const auto result = parser.next();
        ASSERT_EQ(result.status, Status::Complete) << split;
        EXPECT_EQ(result.frame.data, patterned(27));
    }
}

TEST_F(LinkFrameParserTest, JoinedFramesWithHeaderSumAndCrcFailuresAreEachCheckedOnTheirOwn) {
    Bytes badHeader = frameBytes(4, 0x10, 0);
    badHeader[6] ^= 0x01;
    Bytes badCrc = frameBytes(5, 0x00, 2, patterned(10));
    badCrc.back() ^= 0x01;
    const Bytes good = frameBytes(6, 0x00, 2, patterned(10));
    Bytes input = badHeader;
    input.insert(input.end(), badCrc.begin(), badCrc.end());
    input.insert(input.end(), good.begin(), good.end());
    feed(input);
    EXPECT_EQ(m_parser.next().status, Status::HeaderError);
    const auto crc = m_parser.next();
    EXPECT_EQ(crc.status, Status::CrcError);
    EXPECT_EQ(crc.frame.sequence, 5);
    const auto ok = m_parser.next();
    EXPECT_EQ(ok.status, Status::Complete);
    EXPECT_EQ(ok.frame.sequence, 6);
    EXPECT_EQ(ok.frame.data, patterned(10));
    EXPECT_EQ(m_parser.next().status, Status::NeedMore);
}

// One byte over the largest length is refused without waiting for its data.
TEST_F(LinkFrameParserTest, LargestLengthIsTakenAndOneMoreRefused) {
    Bytes input{0x12, 0x01, 0x00, 0x00, 0x08, 0x01};  // announces 2049 bytes
    input.push_back(LinkFrame::headerSum(input));
    const Bytes largest = frameBytes(2, 0x00, 0, patterned(LinkFrame::kMaxData));
    input.insert(input.end(), largest.begin(), largest.end());
    feed(input);
    EXPECT_EQ(m_parser.next().status, Status::Oversized);
    const auto result = m_parser.next();
    ASSERT_EQ(result.status, Status::Complete);
    EXPECT_EQ(result.frame.sequence, 2);
    EXPECT_EQ(result.frame.data.size(), LinkFrame::kMaxData);
}

TEST(LinkInbox, DamageIsToldOncePerChunkAndOnlyWhenNoIntactFrameFollows) {
    Bytes badLength = frameBytes(3, 0x00, 2, patterned(20));
    badLength[4] = 0x07;  // announces 2000 bytes; the header sum no longer fits
    Bytes badCrc = frameBytes(9, 0x00, 2, patterned(20));
    badCrc.back() ^= 0x01;
    const Bytes good = frameBytes(4, 0x10, 0);
    const Bytes noise{0x12, 0x33, 0x12, 0x00, 0x00, 0x40, 0x99, 0x12};
    auto join = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& part : parts)
            out.insert(out.end(), part.begin(), part.end());
        return out;
    };
    struct Case {
        Bytes chunk;
        int frames;
        LinkError damage;
        std::optional<std::uint8_t> dataSequence;
    };
    const Case cases[] = {
        // A damaged length does not hold back the frame behind it.
        {join({badLength, good}), 1, LinkError::None, std::nullopt},
        {badLength, 0, LinkError::HeaderSum, std::nullopt},
        {join({badCrc, noise}), 0, LinkError::DataCrc, 9},
        {join({noise, badCrc, good}), 1, LinkError::None, std::nullopt},
        {join({good, noise}), 1, LinkError::HeaderSum, std::nullopt},
    };
    for (const Case& c : cases) {
        LinkInbox inbox;
        ASSERT_TRUE(inbox.append(c.chunk));
        int frames = 0;
        while (const auto frame = inbox.next()) {
            EXPECT_EQ(frame->sequence, 4);
            ++frames;
        }
        const LinkInbox::Damage damage = inbox.takeDamage();
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(damage.error, c.damage);
        EXPECT_EQ(damage.dataSequence, c.dataSequence);
        EXPECT_EQ(inbox.takeDamage().error, LinkError::None);
    }
}

TEST(LinkInbox, OnlyTheLastAnsweredFrameCountsAsRepeated) {
    LinkInbox inbox;
    const Frame piece{5, 0x00, 2, patterned(30)};
    Frame other = piece;
    other.data.back() ^= 1;
    EXPECT_FALSE(inbox.repeatsAnswered(piece));
    inbox.answered(piece);
    EXPECT_TRUE(inbox.repeatsAnswered(piece));
    EXPECT_FALSE(inbox.repeatsAnswered(other));
    inbox.forgetAnswered();
    EXPECT_FALSE(inbox.repeatsAnswered(piece));
}

}  // namespace
}  // namespace kelcc::core::comm
