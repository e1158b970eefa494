#include "compiler/compile_errors.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kelcc::core::compiler {
namespace {

struct ErrorTextCase {
    int code;
    std::string_view chinese;
    std::string_view english;
};

class CompileErrorTextTest : public ::testing::TestWithParam<ErrorTextCase> {};

TEST_P(CompileErrorTextTest, TextsAreByteExact) {
    const ErrorTextCase& c = GetParam();
    EXPECT_TRUE(CompileErrors::hasEntry(c.code));
    EXPECT_EQ(CompileErrors::text(c.code, common::Language::Chinese), c.chinese);
    EXPECT_EQ(CompileErrors::text(c.code, common::Language::English), c.english);
}

// Blanks at either end are part of the controller's texts.
INSTANTIATE_TEST_SUITE_P(
    Table, CompileErrorTextTest,
    ::testing::Values(ErrorTextCase{8, " 梯图扫描错误，请与开发者联系.", ""},
                      ErrorTextCase{213, "此处梯图与母线发生短接.",
                                    "A contact must proceed the output instruction."},
                      ErrorTextCase{kErrorTooManySteps, "梯形图程序超过5000步,请减少程序.",
                                    "Program exceeds 5000 steps."},
                      ErrorTextCase{kErrorBlocksTooDeep, "梯图块嵌套层次过深,请减少梯图的层次.",
                                    "Ladder blocks are nested too deeply."},
                      ErrorTextCase{302, "指令表生成的梯图出错，请与开发者联系. ", ""},
                      ErrorTextCase{414, "不能执行跳出第一级程序的跳转指令 ",
                                    "Jumping from Level 1 to Level2 is not allowed."},
                      ErrorTextCase{517, "DIFD指令使用次数超过上限100", ""}));

class UnknownErrorCodeTest : public ::testing::TestWithParam<int> {};

TEST_P(UnknownErrorCodeTest, ShowsTheUnknownText) {
    const int code = GetParam();
    EXPECT_FALSE(CompileErrors::hasEntry(code));
    EXPECT_EQ(CompileErrors::text(code, common::Language::Chinese),
              "未知报警信息，请与开发者联系.");
    EXPECT_EQ(CompileErrors::text(code, common::Language::English), "Unknown error.");
}

// 0 means no error, 418 is reported without a text of its own, and codes
// outside the table must not read past it.
INSTANTIATE_TEST_SUITE_P(Gaps, UnknownErrorCodeTest,
                         ::testing::Values(0, 9, 199, 217, 220, 305, 354, 418, 505, 518, 1000, -1,
                                           1 << 30));

TEST(CompileErrorsTest, EveryCodeOfTheTableHasATextInBothLanguages) {
    int entries = 0;
    for (int code = 0; code < CompileErrors::kTableSize; ++code) {
        if (!CompileErrors::hasEntry(code)) continue;
        ++entries;
        EXPECT_FALSE(CompileErrors::text(code, common::Language::Chinese).empty()) << code;
    }
    // 8 scan errors, 200-216, 218-219, 300-304, 350-353, 400-417, 500-504
    // and 510-517.
    EXPECT_EQ(entries, 8 + 17 + 2 + 5 + 4 + 18 + 5 + 8);
}

}  // namespace
}  // namespace kelcc::core::compiler
