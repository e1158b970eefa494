#include "compiler/compile_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ladder_drawing.h"

namespace kelcc::core::compiler {
namespace {

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

// An uncalled subprogram and a label nobody jumps to, each found in its row.
const std::vector<std::string> kWarned = {"=LBL     L0007", "=END1    ", "=END2    ",
                                          "=SP      P0012", "=SPE    "};

TEST_F(CompileCommandTest, SuccessWithWarningsInChinese) {
    const CompileCommand::Outcome outcome = run(kWarned, Language::Chinese);
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(outcome.lines,
              (std::vector<std::string>{
                  "----------------工程 工程1 : 编译PLC主程序----------------",
                  "预处理......",
                  "正在编译......",
                  "    警告 0081 : [行(1)列(1)] : LBL L7没有跳转至该标号位置的JMPB指令",
                  "    警告 0080 : [行(4)列(1)] : SP S12子程序未被调用",
                  "\t",
                  "编译成功 : 0 错误, 2 警告.",
              }));
    EXPECT_TRUE(project.plcCompiled());
    EXPECT_TRUE(interaction.messages().empty());
    EXPECT_EQ(doc.warningCount(), 0);
}

TEST_F(CompileCommandTest, SuccessWithWarningsInEnglish) {
    const CompileCommand::Outcome outcome = run(kWarned, Language::English);
    EXPECT_EQ(outcome.lines,
              (std::vector<std::string>{
                  "----------------Project 工程1 : Compile PLC main program----------------",
                  "Preprocessing......",
                  "Compiling......",
                  "    Warning 0081 : [Row(1)Column(1)] : LBL L7No JUMP.",
                  "    Warning 0080 : [Row(4)Column(1)] : SP S12Subprograme is not called.",
                  "\t",
                  "Compile succeeded : 0 error(s), 2 warning(s).",
              }));
}

TEST_F(CompileCommandTest, FailureShowsOneErrorLineAndTheMessageBox) {
    const CompileCommand::Outcome outcome = run({"a|-|-|-|-|-|-|b"}, Language::Chinese);
    EXPECT_FALSE(outcome.success);
    EXPECT_EQ(outcome.lines, (std::vector<std::string>{
                                 "----------------工程 工程1 : 编译PLC主程序----------------",
                                 "预处理......",
                                 "正在编译......",
                                 "    错误 0201 : [行(1)列(8)] : 最后一列的触点不是OUT.",
                                 "\t",
                                 "编译失败 : 1 错误, 0 警告.",
                             }));
    EXPECT_FALSE(project.plcCompiled());
    ASSERT_EQ(interaction.messages().size(), 1u);
    EXPECT_EQ(interaction.messages()[0].text, "PLC程序编译失败!");
    EXPECT_EQ(interaction.messages()[0].caption, "KELCC");
    EXPECT_EQ(interaction.messages()[0].icon, common::MessageIcon::Stop);
    EXPECT_FALSE(interaction.messages()[0].question);
}

TEST_F(CompileCommandTest, FailureInEnglish) {
    const CompileCommand::Outcome outcome = run({}, Language::English);
    EXPECT_EQ(outcome.lines[3], "    Error 0408                 : Need END2");
    EXPECT_EQ(outcome.lines.back(), "Compile failed : 1 error(s), 0 warning(s).");
    EXPECT_EQ(interaction.messages().at(0).text, "PLC program compile failed!");
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
        ErrorLineCase{
            {418, -1, -1, 0}, Language::English, "    Error 0418                 : Unknown error."},
        ErrorLineCase{{5, -1, -1, 0},
                      Language::Chinese,
                      "    错误 0005                 :  梯图扫描错误，请与开发者联系."},
        ErrorLineCase{{999, 2501, 1, 0},
                      Language::Chinese,
                      "    错误 0999 : [行(2501)列(1)] : 未知报警信息，请与开发者联系."}));

}  // namespace
}  // namespace kelcc::core::compiler
