#include "compiler/plc_document_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../common/file_bytes.h"
#include "../common/temp_folder.h"
#include "plc/program_file.h"

namespace kelcc::core::plc {
namespace {

namespace fs = std::filesystem;
using common::Answer;
using common::Language;
using common::RecordingInteraction;
using compiler::PlcDocumentFile;
using test::ReadBytes;

class PlcDocumentFileTest : public ::testing::Test {
protected:
    // A program of one network (X0.0 -> Y0.0) and the two ends.
    static std::string simpleProgram() {
        return "PLC VER1.0\r\nPLC_ORGANIZATION\r\nTOTALSTEPS\t4\r\n"
               "0000    LD      X0000.0\r\n0001    OUT     Y0000.0\r\n"
               "0002    END1    \r\n0003    END2    \r\nEND_PLC_ORGANIZATION\r\n\r\n";
    }

    common::TempFolder m_folder{"kelcc_docfile_"};
    const fs::path& m_dir = m_folder.path();
    const std::string m_path = (m_dir / "main_demo.ldx").string();
    SimpleProjectState m_project;
    PlcDocument m_doc{m_project};
    RecordingInteraction m_ui;
};

TEST_F(PlcDocumentFileTest, NewProjectFileOpensAsTwoEndRows) {
    test::WriteBytes(m_path, ProgramFile::newProjectFile());
    ASSERT_TRUE(PlcDocumentFile::open(m_doc, m_path, m_ui));
    EXPECT_TRUE(m_ui.messages().empty());
    ASSERT_EQ(m_doc.il().size(), 2u);
    EXPECT_EQ(m_doc.il()[0].opcode, 19u);
    ASSERT_NE(m_doc.cell(1, 1), nullptr);
    EXPECT_EQ(m_doc.cell(1, 1)->kind, 19);
    ASSERT_NE(m_doc.cell(2, 1), nullptr);
    EXPECT_EQ(m_doc.cell(2, 1)->kind, 20);
    EXPECT_EQ(m_doc.lastUsedRow(), 2);
    EXPECT_FALSE(m_doc.modified());
}

// The messages of each refusal (version, format, open check, rebuild) are
// golden corpus cases (golden/cli/open_refuses_*); here that the document is
// left empty, after the last stage too.
TEST_F(PlcDocumentFileTest, RefusalsLeaveNothingOpen) {
    std::string program =
        "PLC VER1.0\r\nPLC_ORGANIZATION\r\nTOTALSTEPS\t11\r\n0000    LD      X0000.0\r\n";
    for (int i = 1; i <= 7; ++i)
        program += "000" + std::to_string(i) + "    AND     X0000.1\r\n";
    test::WriteBytes(
        m_path, program + "0008    OUT     Y0000.0\r\n0009    END1    \r\n0010    END2    \r\n");
    ASSERT_TRUE(m_doc.il().append(1, "LD      X0000.0"));
    ASSERT_TRUE(m_doc.setCell(1, 1, 1, "X0000.0"));
    EXPECT_FALSE(PlcDocumentFile::open(m_doc, m_path, m_ui));
    EXPECT_EQ(m_ui.messages().size(), 1u);
    EXPECT_TRUE(m_doc.il().empty());
    EXPECT_EQ(m_doc.lastUsedRow(), 0);
    EXPECT_FALSE(PlcDocumentFile::open(m_doc, (m_dir / "missing.ldx").string(), m_ui));
    EXPECT_NE(m_ui.messages().back().text.find("No such file"), std::string::npos);
}

TEST_F(PlcDocumentFileTest, SaveCommandCompilesWritesBothFilesAndTheProject) {
    test::WriteBytes(m_path, simpleProgram());
    ASSERT_TRUE(PlcDocumentFile::open(m_doc, m_path, m_ui));

    // Unmodified: nothing happens.
    auto idle = PlcDocumentFile::fileSave(m_doc, m_path, "demo", common::Language::Chinese, m_ui);
    EXPECT_TRUE(idle.saved());
    EXPECT_TRUE(idle.lines.empty());
    EXPECT_FALSE(fs::exists(m_path + ".bin"));
    EXPECT_EQ(m_project.projectSaves(), 0);

    ASSERT_TRUE(m_doc.setCell(1, 2, 1, "X0000.1"));  // a second series contact
    auto saved = PlcDocumentFile::fileSave(m_doc, m_path, "demo", common::Language::Chinese, m_ui);
    ASSERT_TRUE(saved.saved());
    ASSERT_FALSE(saved.lines.empty());
    EXPECT_EQ(saved.lines.back(), "编译成功 : 0 错误, 0 警告.");
    EXPECT_FALSE(m_doc.modified());
    EXPECT_EQ(m_project.projectSaves(), 1);
    EXPECT_TRUE(m_project.plcCompiled());
    const std::string text = ReadBytes(m_path);
    EXPECT_NE(text.find("0001    AND     X0000.1\r\n"), std::string::npos) << text;
    EXPECT_TRUE(fs::exists(m_path + ".bin"));

    // What was saved opens again to the same ladder.
    PlcDocument again(m_project);
    ASSERT_TRUE(PlcDocumentFile::open(again, m_path, m_ui));
    EXPECT_TRUE(again.grid() == m_doc.grid());
    EXPECT_TRUE(again.il() == m_doc.il());
}

TEST_F(PlcDocumentFileTest, FailedCompileAsksAndEitherKeepsEditingOrReverts) {
    test::WriteBytes(m_path, simpleProgram());
    ASSERT_TRUE(PlcDocumentFile::open(m_doc, m_path, m_ui));
    const std::string before = ReadBytes(m_path);
    const plc::LadderGrid original = m_doc.grid();

    ASSERT_TRUE(m_doc.setCell(1, 8, 1, "X0000.2"));  // a contact in the output column
    m_ui.script({Answer::Yes});
    auto back = PlcDocumentFile::fileSave(m_doc, m_path, "demo", common::Language::Chinese, m_ui);
    EXPECT_EQ(back.outcome, PlcDocumentFile::SaveOutcome::ReturnToEditing);
    const auto& question = m_ui.messages().back();
    EXPECT_TRUE(question.question);
    EXPECT_EQ(question.caption, "修改梯形图");
    EXPECT_EQ(question.text, m_path +
                                 "\r\n\r\n梯形图程序转换失败,返回修改吗?\n按[是]返回修改程序,"
                                 "按[否]只保存修改前的程序");
    EXPECT_TRUE(m_doc.modified());
    EXPECT_EQ(m_doc.cell(1, 8)->kind, 1);  // the edit is still there
    EXPECT_EQ(ReadBytes(m_path), before);
    EXPECT_FALSE(m_project.plcCompiled());

    m_ui.script({Answer::No});
    auto reverted =
        PlcDocumentFile::fileSave(m_doc, m_path, "demo", common::Language::Chinese, m_ui);
    EXPECT_EQ(reverted.outcome, PlcDocumentFile::SaveOutcome::Reverted);
    EXPECT_FALSE(reverted.saved());
    EXPECT_FALSE(m_doc.modified());
    EXPECT_TRUE(m_doc.grid() == original);
    EXPECT_EQ(ReadBytes(m_path), before);
    EXPECT_EQ(m_project.projectSaves(), 0);
}

TEST_F(PlcDocumentFileTest, WriteFailuresAreReportedAndKeepTheEdits) {
    test::WriteBytes(m_path, simpleProgram());
    ASSERT_TRUE(PlcDocumentFile::open(m_doc, m_path, m_ui));
    ASSERT_TRUE(m_doc.setCell(1, 2, 1, "X0000.1"));
    const std::string gone = (m_dir / "no_such_folder" / "main_demo.ldx").string();
    auto r = PlcDocumentFile::fileSave(m_doc, gone, "demo", common::Language::Chinese, m_ui);
    EXPECT_EQ(r.outcome, PlcDocumentFile::SaveOutcome::WriteFailed);
    EXPECT_TRUE(m_doc.modified());
    EXPECT_EQ(m_project.projectSaves(), 0);
    ASSERT_FALSE(m_ui.messages().empty());
    EXPECT_NE(m_ui.messages().back().text.find("No such file"), std::string::npos);

    // The project file failing after the program was written is reported too.
    m_project.failProjectSaves("disk full");
    ASSERT_TRUE(m_doc.setCell(1, 3, 1, "X0000.2"));
    auto p = PlcDocumentFile::fileSave(m_doc, m_path, "demo", common::Language::Chinese, m_ui);
    EXPECT_EQ(p.outcome, PlcDocumentFile::SaveOutcome::WriteFailed);
    EXPECT_EQ(m_ui.messages().back().text, "disk full");
}

}  // namespace
}  // namespace kelcc::core::plc
