#include <gtest/gtest.h>

#include <string>

#include "comm/file_header.h"
#include "comm/resume_record.h"

namespace kelcc::core::comm {
namespace {

using namespace std::string_literals;

TEST(FileHeaderTest, LayoutIsNameOffsetSizeTwiceKindArea) {
    const FileEntry entry{"plc.ldx", "/p/main.ldx", 1, 1, 0x01020304};
    const auto bytes = FileHeader::forEntry(entry).encode();
    ASSERT_TRUE(bytes);
    const std::string expected =
        "plc.ldx\0\0\0\0\0\0"s  // name, zero-padded to 13
        "\0\0\0\0"s             // start offset
        "\x01\x02\x03\x04"      // size, most significant first
        "\x01\x02\x03\x04"      // the size again
        "\x01"                  // kind
        "\x01"s;                // area
    EXPECT_EQ(*bytes, expected);
    EXPECT_EQ(bytes->size(), FileHeader::kSize);
}

TEST(FileHeaderTest, PreparedSizeReplacesTheEntrySize) {
    const FileEntry entry{"O0001.cnc", "/p/O0001.cnc", 2, 1, 10};
    const auto bytes = FileHeader::forEntry(entry, 0xA0B0C0D0u).encode();
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(17, 8), "\xA0\xB0\xC0\xD0\xA0\xB0\xC0\xD0"s);
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[26]), 2);
}

TEST(FileHeaderTest, ThirteenCharacterNameFillsTheFieldWithoutZeroLongerOnesAreRefused) {
    const auto bytes = FileHeader{"O12345678.cnc", 0, 5, 5, 1, 2}.encode();
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 13), "O12345678.cnc");
    EXPECT_EQ(bytes->substr(13, 4), "\0\0\0\0"s);
    const auto back = FileHeader::decode(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "O12345678.cnc");
    EXPECT_FALSE((FileHeader{"O123456789.cnc", 0, 0, 0, 1, 2}.encode()));
    EXPECT_FALSE((FileHeader{"a\0b"s, 0, 0, 0, 1, 1}.encode()));
}

TEST(FileHeaderTest, DecodeKeepsEveryFieldOfAnUpload) {
    const std::string bytes =
        "Tcomp.cmp\0\0\0\0"s
        "\x00\x00\x00\x07"s
        "\x00\x00\x01\x00"s
        "\x00\x00\x00\x09"s
        "\x01\x01"s;
    const auto header = FileHeader::decode(bytes);
    ASSERT_TRUE(header);
    EXPECT_EQ(*header, (FileHeader{"Tcomp.cmp", 7, 256, 9, 1, 1}));
    EXPECT_EQ(header->toEntry("/tmp/Tcomp.cmp.tmp"),
              (FileEntry{"Tcomp.cmp", "/tmp/Tcomp.cmp.tmp", 1, 1, 256}));
    EXPECT_EQ(header->encode(), bytes);
}

TEST(FileHeaderTest, DecodeNeedsExactlyTheHeaderLength) {
    EXPECT_FALSE(FileHeader::decode(std::string(26, 'a')));
    EXPECT_FALSE(FileHeader::decode(std::string(28, 'a')));
    // A name field without a zero is taken whole, never read past.
    const auto header = FileHeader::decode(std::string(27, 'a'));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->name, std::string(13, 'a'));
}

TEST(ResumeRecordTest, LayoutOfTheRecordThePcSends) {
    const auto record = ResumeRecord::fromPc(ResumeRecord::Mode::Continue, 0x00012345, 0x65A1B2C3,
                                             "/home/u/O0001.cnc");
    const std::string bytes = record.encode();
    ASSERT_EQ(bytes.size(), ResumeRecord::kSize);
    EXPECT_EQ(bytes.substr(0, 13), "DNC.dnc\0\0\0\0\0\0"s);
    EXPECT_EQ(bytes.substr(13, 4), "\0\0\0\0"s);
    EXPECT_EQ(bytes.substr(17, 4), "\x00\x01\x23\x45"s);
    EXPECT_EQ(bytes.substr(21, 4), "\0\0\0\0"s);
    EXPECT_EQ(bytes[25], '\x03');
    EXPECT_EQ(bytes.substr(26, 4), "\x65\xA1\xB2\xC3"s);
    EXPECT_EQ(bytes.substr(30, 17), "/home/u/O0001.cnc");
    EXPECT_EQ(bytes.substr(47), std::string(285 - 47, '\0'));
    EXPECT_EQ(ResumeRecord::decode(bytes), record);
}

TEST(ResumeRecordTest, PathIsCutToItsFieldAndReadWithoutOverrun) {
    const std::string longPath = "/" + std::string(300, 'x');
    const std::string bytes =
        ResumeRecord::fromPc(ResumeRecord::Mode::Question, 1, 2, longPath).encode();
    ASSERT_EQ(bytes.size(), ResumeRecord::kSize);
    const auto back = ResumeRecord::decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->path, longPath.substr(0, 255));
    EXPECT_FALSE(ResumeRecord::decode(bytes.substr(1)));
}

TEST(ResumeRecordTest, ControllerAnswerCarriesItsOffset) {
    std::string bytes =
        ResumeRecord::fromPc(ResumeRecord::Mode::NewTransfer, 4096, 7, "/a").encode();
    bytes.replace(13, 4, "\x00\x00\x02\x00"s);
    const auto back = ResumeRecord::decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->offset, 512u);
    EXPECT_EQ(back->size, 4096u);
    EXPECT_EQ(back->mode, 1);
}

}  // namespace
}  // namespace kelcc::core::comm
