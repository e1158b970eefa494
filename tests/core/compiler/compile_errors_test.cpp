#include "compiler/compile_errors.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kelcc::core::compiler {
namespace {

using common::Language;

// The texts themselves are in the golden compile outputs.
class UnknownErrorCodeTest : public ::testing::TestWithParam<int> {};

TEST_P(UnknownErrorCodeTest, ShowsTheUnknownText) {
    const int code = GetParam();
    EXPECT_FALSE(CompileErrors::hasEntry(code));
    EXPECT_EQ(CompileErrors::text(code, Language::Chinese), "未知报警信息，请与开发者联系.");
    EXPECT_EQ(CompileErrors::text(code, Language::English), "Unknown error.");
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
        EXPECT_FALSE(CompileErrors::text(code, Language::Chinese).empty()) << code;
    }
    // 8 scan errors, 200-216, 218-219, 300-304, 350-353, 400-417, 500-504
    // and 510-517.
    EXPECT_EQ(entries, 8 + 17 + 2 + 5 + 4 + 18 + 5 + 8);
}

}  // namespace
}  // namespace kelcc::core::compiler
