#include "compiler/compile_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ladder_drawing.h"

namespace kelcc::core::compiler {
namespace {

using common::Language;

using test::LadderDrawing;

class CompileCommandTest : public ::testing::Test {
protected:
    CompileCommand::Outcome run(const std::vector<std::string>& rows, Language language) {
        LadderDrawing::draw(doc.grid(), 1, rows);
        return CompileCommand::run(doc, "工程1", language, interaction);
    }
    plc::SimpleProjectState project;
    plc::PlcDocument doc{project};
    common::RecordingInteraction interaction;
};

// The output lines and the failure message in both languages are golden
// corpus cases (golden/compile, golden/circuit_error); here the project state
// and the kind of message box.
TEST_F(CompileCommandTest, OnlySuccessMarksTheProjectCompiledAndFailureStops) {
    const CompileCommand::Outcome warned =
        run({"=LBL     L0007", "=END1    ", "=END2    ", "=SP      P0012", "=SPE    "},
            Language::Chinese);
    EXPECT_TRUE(warned.success);
    EXPECT_TRUE(project.plcCompiled());
    EXPECT_TRUE(interaction.messages().empty());
    EXPECT_EQ(doc.warningCount(), 0);

    doc.grid().clear();
    EXPECT_FALSE(run({"a|-|-|-|-|-|-|b"}, Language::English).success);
    EXPECT_FALSE(project.plcCompiled());
    ASSERT_EQ(interaction.messages().size(), 1u);
    EXPECT_EQ(interaction.messages()[0].caption, "KELCC");
    EXPECT_EQ(interaction.messages()[0].icon, common::MessageIcon::Stop);
    EXPECT_FALSE(interaction.messages()[0].question);
}

struct ErrorLineCase {
    plc::CompileResult result;
    Language language;
    const char* line;
};

class ErrorLine : public ::testing::TestWithParam<ErrorLineCase> {};

TEST_P(ErrorLine, TakesTheFormOfWhatIsKnown) {
    EXPECT_EQ(CompileCommand::errorLine(GetParam().result, GetParam().language), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ErrorLine,
    ::testing::Values(
        ErrorLineCase{
            {408, -1, -1, 0}, Language::Chinese, "    错误 0408                 : 缺少END2"},
        ErrorLineCase{{202, 3, -1, 0},
                      Language::English,
                      "    Error 0202 : [Row(3)Column( )] : Open circuit."},
        ErrorLineCase{{209, 2, 7, 0},
                      Language::English,
                      "    Error 0209 : [Row(2)Column(7)] : Multilevel output is not allowed."},
        ErrorLineCase{{5, -1, -1, 0},
                      Language::Chinese,
                      "    错误 0005                 :  梯图扫描错误，请与开发者联系."},
        ErrorLineCase{{999, 2501, 1, 0},
                      Language::Chinese,
                      "    错误 0999 : [行(2501)列(1)] : 未知报警信息，请与开发者联系."}));

}  // namespace
}  // namespace kelcc::core::compiler
