#include "compiler/compile_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../common/case_file.h"
#include "ladder_drawing.h"

namespace kelcc::core::compiler {
namespace {

using common::Language;

using test::LadderDrawing;

// The output lines and the failure message in both languages are golden
// corpus cases (golden/compile, golden/circuit_error); here the project state
// and the kind of message box.
TEST(CompileCommand, OnlySuccessMarksTheProjectCompiledAndFailureStops) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc{project};
    common::RecordingInteraction interaction;
    LadderDrawing::draw(doc.grid(), 1,
                        {"=LBL     L0007", "=END1    ", "=END2    ", "=SP      P0012", "=SPE    "});
    EXPECT_TRUE(CompileCommand::run(doc, "工程1", Language::Chinese, interaction).success);
    EXPECT_TRUE(project.plcCompiled());
    EXPECT_TRUE(interaction.messages().empty());
    EXPECT_EQ(doc.warningCount(), 0);

    doc.grid().clear();
    LadderDrawing::draw(doc.grid(), 1, {"a|-|-|-|-|-|-|b"});
    EXPECT_FALSE(CompileCommand::run(doc, "工程1", Language::English, interaction).success);
    EXPECT_FALSE(project.plcCompiled());
    ASSERT_EQ(interaction.messages().size(), 1u);
    EXPECT_EQ(interaction.messages()[0].caption, "KELCC");
    EXPECT_EQ(interaction.messages()[0].icon, common::MessageIcon::Stop);
    EXPECT_FALSE(interaction.messages()[0].question);
}

TEST(CompileCommand, ErrorLinesTakeTheFormOfWhatIsKnown) {
    for (const kelcc::test::Case& c :
         kelcc::test::ReadCases("core/compiler/cases/error_lines.txt")) {
        const plc::CompileResult result{std::stoi(c[0]), std::stoi(c[1]), std::stoi(c[2]), 0};
        const Language language = c[3] == "en" ? Language::English : Language::Chinese;
        EXPECT_EQ(CompileCommand::errorLine(result, language), c[4]) << c.where;
    }
}

}  // namespace
}  // namespace kelcc::core::compiler
