#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../common/case_file.h"
#include "../common/temp_folder.h"
#include "cnc_data/part_program_document.h"
#include "cnc_data/part_program_image.h"
#include "cnc_data/program_name.h"
#include "common/atomic_file.h"

namespace kelcc::core::cnc_data {
namespace {

namespace fs = std::filesystem;
using Result = PartProgramImage::Result;

TEST(ProgramNameTest, ParsesTheNameEditAndPreparedProgramsAreRewritten) {
    for (const test::Case& c : test::ReadCases("core/cnc_data/cases/names_and_filters.txt")) {
        if (c[0] == "name") {
            const auto parsed = ProgramName::parse(c[1]);
            EXPECT_EQ(parsed.ok, c[2] != "refused") << c.where;
            EXPECT_EQ(parsed.name, parsed.ok ? c[2] : "") << c.where;
            EXPECT_EQ(parsed.error, parsed.ok ? "" : c[3]) << c.where;
        } else if (c[0] == "prepare") {
            const auto prepared = PartProgramImage::prepareText(c[1]);
            const char* results[] = {"Ok", "", "BadFirstLine", "BadCharacter"};
            const int result = static_cast<int>(prepared.result);
            EXPECT_EQ(result >= 0 ? results[result] : "", c[2]) << c.where;
            EXPECT_TRUE(prepared.isImage) << c.where;
            EXPECT_EQ(prepared.image, c[3]) << c.where;
        }
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
