#include "comm/link_frame.h"

#include <gtest/gtest.h>

#include <string_view>

#include "comm/link_frame_parser.h"

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

TEST(LinkFrame, HeaderSumOfTheFileCommandExample) {
    const Bytes header{0x12, 0x05, 0x62, 0x01, 0x00, 0x1B};
    EXPECT_EQ(LinkFrame::headerSum(header), 0x95);
    const Bytes frame = frameBytes(0x05, 0x62, 0x01, patterned(0x1B));
    EXPECT_EQ(frame[6], 0x95);
}

TEST(LinkFrame, CrcCheckValueAndItsPlaceInTheFrame) {
    EXPECT_EQ(LinkFrame::dataCrc(bytesOf("123456789")), 0x31C3);
    const Bytes frame = frameBytes(1, 0x00, 0, bytesOf("123456789"));
    ASSERT_EQ(frame.size(), 18u);
    EXPECT_EQ(frame[16], 0x31);
    EXPECT_EQ(frame[17], 0xC3);
}

class LinkFrameSize : public ::testing::TestWithParam<std::pair<std::size_t, std::size_t>> {};

TEST_P(LinkFrameSize, LayoutAndLength) {
    const auto [dataSize, frameSize] = GetParam();
    const Bytes data = patterned(dataSize);
    const Bytes frame = frameBytes(9, 0x00, 2, data);
    ASSERT_EQ(frame.size(), frameSize);
    EXPECT_EQ(frame[0], 0x12);
    EXPECT_EQ(frame[1], 9);
    EXPECT_EQ(frame[3], 2);
    EXPECT_EQ((frame[4] << 8) | frame[5], static_cast<int>(dataSize));
    EXPECT_EQ(frame[6], static_cast<std::uint8_t>(frame[0] + frame[1] + frame[2] + frame[3] +
                                                  frame[4] + frame[5]));
    if (dataSize > 0) {
        EXPECT_TRUE(std::equal(data.begin(), data.end(), frame.begin() + 7));
        const std::uint16_t crc = LinkFrame::dataCrc(data);
        EXPECT_EQ(frame[frameSize - 2], crc >> 8);
        EXPECT_EQ(frame[frameSize - 1], crc & 0xFF);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LinkFrameSize,
                         ::testing::Values(std::pair<std::size_t, std::size_t>{0, 7},
                                           std::pair<std::size_t, std::size_t>{1, 10},
                                           std::pair<std::size_t, std::size_t>{512, 521},
                                           std::pair<std::size_t, std::size_t>{2048, 2057}));

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

TEST_F(LinkFrameParserTest, JoinedFramesAreEachCheckedOnTheirOwn) {
    Bytes input = frameBytes(1, 0x10, 0);
    const Bytes second = frameBytes(2, 0x00, 1, patterned(40));
    input.insert(input.end(), second.begin(), second.end());
    feed(input);
    auto first = m_parser.next();
    ASSERT_EQ(first.status, Status::Complete);
    EXPECT_EQ(first.frame.command, 0x10);
    auto next = m_parser.next();
    ASSERT_EQ(next.status, Status::Complete);
    EXPECT_EQ(next.frame.sequence, 2);
    EXPECT_EQ(next.frame.data, patterned(40));
    EXPECT_EQ(m_parser.next().status, Status::NeedMore);
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

TEST_F(LinkFrameParserTest, HeaderSumAndCrcFailuresAreReportedAndParsingGoesOn) {
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
}

TEST_F(LinkFrameParserTest, OversizedLengthIsRefusedWithoutWaitingForItsData) {
    Bytes header{0x12, 0x01, 0x00, 0x00, 0x08, 0x01};  // announces 2049 bytes
    header.push_back(LinkFrame::headerSum(header));
    const Bytes good = frameBytes(2, 0x10, 0);
    Bytes input = header;
    input.insert(input.end(), good.begin(), good.end());
    feed(input);
    EXPECT_EQ(m_parser.next().status, Status::Oversized);
    const auto result = m_parser.next();
    ASSERT_EQ(result.status, Status::Complete);
    EXPECT_EQ(result.frame.sequence, 2);
}

TEST_F(LinkFrameParserTest, LargestLengthIsStillTaken) {
    feed(frameBytes(1, 0x00, 0, patterned(LinkFrame::kMaxData)));
    const auto result = m_parser.next();
    ASSERT_EQ(result.status, Status::Complete);
    EXPECT_EQ(result.frame.data.size(), LinkFrame::kMaxData);
}

}  // namespace
}  // namespace kelcc::core::comm
