#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "../common/temp_folder.h"
#include "cnc_data/part_program_document.h"
#include "cnc_data/part_program_image.h"
#include "cnc_data/program_name.h"
#include "common/atomic_file.h"

namespace kelcc::core::cnc_data {
namespace {

namespace fs = std::filesystem;
using Result = PartProgramImage::Result;

TEST(ProgramNameTest, ParsesTheNameEdit) {
    const char* const kInvalid = ProgramName::kInvalidText;
    struct Case {
        const char* typed;
        const char* name;   // nullptr: refused
        const char* error;  // when refused
    };
    const Case cases[] = {{"O7", "O0007", nullptr},
                          {"O12345", "O12345", nullptr},
                          {"O000000042", "O0042", nullptr},
                          {"O99999999", "O99999999", nullptr},
                          {"", nullptr, "请输入文件名!"},
                          {"P0001", nullptr, kInvalid},
                          {"O12A", nullptr, kInvalid},
                          {"O", nullptr, kInvalid},
                          {"o1", nullptr, kInvalid},
                          {"O100000000", nullptr, kInvalid},
                          {"O99999999999999999999999", nullptr, kInvalid}};
    for (const Case& c : cases) {
        const auto parsed = ProgramName::parse(c.typed);
        EXPECT_EQ(parsed.ok, c.name != nullptr) << c.typed;
        EXPECT_EQ(parsed.name, c.name ? c.name : "") << c.typed;
        EXPECT_EQ(parsed.error, c.error ? c.error : "") << c.typed;
    }
}

TEST(ProgramNameTest, FileNamesAndImportRules) {
    EXPECT_EQ(ProgramName::filePath("/p/proj", "O0007"), "/p/proj/O0007.cnc");
    EXPECT_EQ(ProgramName::fromPath("/p/proj/O12345.cnc"), "O12345");
    EXPECT_TRUE(ProgramName::importExtensionAccepted("/a/b.CNC"));
    EXPECT_FALSE(ProgramName::importExtensionAccepted("/a/b.Cnc"));
    EXPECT_EQ(ProgramName::importPreset("O12345"), "O1234");
    EXPECT_EQ(ProgramName::importPreset("程序一二三四五"), "程序一二三");
}

TEST(PartProgramImageTest, PrepareChecksAndRewritesTheLines) {
    const std::tuple<std::string, Result, std::string> cases[] = {
        {"o0001;\r\n", Result::Ok, "o0001\r\n"},
        {"O1\ng01 x10;y5\n", Result::Ok, "O1\r\nG01 X10\r\nY5\r\n"},
        {"O1 a;b;\r\n\r\n\n#1 -2.5 /%;;\r\nm30", Result::Ok, "O1 a;b\r\n#1 -2.5 /%\r\n\r\nM30\r\n"},
        {"", Result::BadFirstLine, ""},
        {"\nO1\n", Result::BadFirstLine, ""},
        {"O1\nG01\tX1\n", Result::BadCharacter, ""},
        {"O1\nX1\rY2\n", Result::BadCharacter, ""},
        {"O1\n\xd6\xd0\n", Result::BadCharacter, ""}};
    for (const auto& [text, result, image] : cases) {
        const auto prepared = PartProgramImage::prepareText(text);
        EXPECT_EQ(prepared.result, result) << ::testing::PrintToString(text);
        EXPECT_TRUE(prepared.isImage);
        EXPECT_EQ(prepared.image, image) << ::testing::PrintToString(text);
    }
}

TEST(PartProgramImageTest, TwoMegabytesAreTheLastAcceptedLengthAndMessagesNameTheFile) {
    std::string text = "O1\n";
    text += std::string(PartProgramImage::kMaxFileBytes - text.size() - 1, 'X');
    text += '\n';
    ASSERT_EQ(text.size(), 2097152u);
    EXPECT_EQ(PartProgramImage::prepareText(text).result, Result::Ok);
    text += 'X';
    EXPECT_EQ(PartProgramImage::prepareText(text).result, Result::TooLong);

    const common::TempFolder folder("kelcc_prog_");
    const fs::path& dir = folder.path();
    const std::string path = (dir / "O0001.cnc").string();
    ASSERT_TRUE(common::AtomicFile::write(path, text).ok);
    EXPECT_EQ(PartProgramImage::PrepareProgram(path, "O0001.cnc").result, Result::TooLong);
    text.pop_back();
    ASSERT_TRUE(common::AtomicFile::write(path, text).ok);
    const auto prepared = PartProgramImage::PrepareProgram(path, "O0001.CNC");
    EXPECT_EQ(prepared.result, Result::Ok);
    EXPECT_EQ(prepared.image.size(), text.size() + 2);

    // Other files are sent as they are, without being read.
    const auto plain = PartProgramImage::PrepareProgram(path, "plc.ldx");
    EXPECT_EQ(plain.result, Result::Ok);
    EXPECT_FALSE(plain.isImage);
    const auto missing = PartProgramImage::PrepareProgram((dir / "none").string(), "O2.cnc");
    EXPECT_EQ(missing.result, Result::Unreadable);
    EXPECT_FALSE(missing.error.empty());

    const auto tooLong = PartProgramImage::messageFor(Result::TooLong, "O0001.cnc");
    ASSERT_TRUE(tooLong.has_value());
    EXPECT_EQ(tooLong->text, "零件程序文件 \"O0001.cnc\" 长度超过2M字节!");
    EXPECT_EQ(tooLong->caption, "文件长度超限");
    const auto badFirst = PartProgramImage::messageFor(Result::BadFirstLine, "O2.cnc");
    ASSERT_TRUE(badFirst.has_value());
    EXPECT_EQ(badFirst->text,
              "零件程序文件 \"O2.cnc\" 格式错误!\r\n\r\n文件开头应以字母'O'后加0-9999四位数字."
              "\r\n\r\n请修改该文件至符合语法规则.");
    EXPECT_EQ(badFirst->caption, "格式错误");
}

TEST(PartProgramDocumentTest, KeepsTheFileBytesAndMarksRealChanges) {
    const common::TempFolder folder("kelcc_doc_");
    const fs::path& dir = folder.path();
    const std::string path = ProgramName::filePath(dir.string(), "O0012");
    const std::string bytes("O0012\r\nG01 X1;\n\xd6\xd0\0end", 22);
    ASSERT_TRUE(common::AtomicFile::write(path, bytes).ok);

    PartProgramDocument doc;
    int marks = 0;
    doc.setProjectMark([&marks](bool on) { marks += on ? 1 : 0; });
    ASSERT_TRUE(doc.open(path).ok);
    EXPECT_EQ(doc.text(), bytes);
    EXPECT_EQ(doc.title(), "零件加工程序-O0012");
    EXPECT_FALSE(doc.setText(bytes));
    EXPECT_EQ(marks, 0);
    EXPECT_TRUE(doc.setText(PartProgramDocument::seedText("O0012")));
    EXPECT_EQ(marks, 1);
    ASSERT_TRUE(doc.save().ok);
    EXPECT_FALSE(doc.modified());
    std::string written;
    ASSERT_TRUE(common::AtomicFile::read(path, written).ok);
    EXPECT_EQ(written, "O0012\r\n");

    EXPECT_FALSE(doc.open((dir / "missing.cnc").string()).ok);
    EXPECT_EQ(doc.path(), path);  // a failed open keeps the document
}

}  // namespace
}  // namespace kelcc::core::cnc_data
