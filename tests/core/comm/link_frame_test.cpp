#include "comm/link_frame.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string_view>

#include "../common/case_file.h"
#include "comm/link_frame_parser.h"
#include "comm/link_inbox.h"

namespace kelcc::core::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Status = LinkFrameParser::Status;

const char* const kCases = "core/comm/cases/link_frames.txt";

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes frameBytes(std::uint8_t sequence, std::uint8_t command, std::uint8_t subCode,
                 Bytes data = {}) {
    return LinkFrame::encode(Frame{sequence, command, subCode, std::move(data)});
}

// " 12 0A" for {0x12, 0x0A}.
std::string hex(const Bytes& bytes) {
    std::string out;
    for (const std::uint8_t byte : bytes)
        out += std::string{' ', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
    return out;
}

Bytes fromHex(const std::string& text) {
    Bytes out;
    std::istringstream in(text);
    for (unsigned byte = 0; in >> std::hex >> byte;)
        out.push_back(static_cast<std::uint8_t>(byte));
    return out;
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

// Each case's bytes in one chunk; what the parser makes of them.
TEST(LinkFrameParser, CasesOfBytesGiveTheirFramesAndFailures) {
    for (const test::Case& c : test::ReadCases(kCases)) {
        if (c[0] != "parse") continue;
        LinkFrameParser parser;
        ASSERT_TRUE(parser.append(fromHex(c[1]))) << c.where;
        std::string got;
        for (auto result = parser.next(); result.status != Status::NeedMore;
             result = parser.next()) {
            const Frame& f = result.frame;
            got += result.status == Status::Complete
                       ? "Complete" + hex({f.sequence, f.command, f.subCode}) + hex(f.data)
                   : result.status == Status::CrcError    ? "CrcError" + hex({f.sequence})
                   : result.status == Status::HeaderError ? "HeaderError"
                                                          : "Oversized";
            got += "; ";
        }
        EXPECT_EQ(got + "buffered " + std::to_string(parser.buffered()), c[2]) << c.where;
    }
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
    for (const test::Case& c : test::ReadCases(kCases)) {
        if (c[0] != "inbox") continue;
        LinkInbox inbox;
        ASSERT_TRUE(inbox.append(fromHex(c[1]))) << c.where;
        int frames = 0;
        while (const auto frame = inbox.next()) {
            EXPECT_EQ(frame->sequence, 4) << c.where;
            ++frames;
        }
        const LinkInbox::Damage damage = inbox.takeDamage();
        EXPECT_EQ(frames, std::stoi(c[2])) << c.where;
        EXPECT_EQ(static_cast<int>(damage.error), std::stoi(c[3])) << c.where;
        EXPECT_EQ(damage.dataSequence ? hex({*damage.dataSequence}) : " -", " " + c[4]) << c.where;
        EXPECT_EQ(inbox.takeDamage().error, LinkError::None) << c.where;
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
