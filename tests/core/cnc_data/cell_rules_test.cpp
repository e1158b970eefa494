#include "cnc_data/cell_rules.h"

#include <gtest/gtest.h>

#include "../common/case_file.h"

namespace kelcc::core::cnc_data {
namespace {

TEST(CellRulesTest, NormalisesWhenTheCellIsLeft) {
    for (const test::Case& c : test::ReadCases("core/cnc_data/cases/entry.txt")) {
        std::optional<std::string> shown;
        if (c[0] == "decimal") {
            shown = CellRules::normaliseDecimal(c[1]);
        } else if (c[0] == "signed") {
            shown = CellRules::normaliseSigned(c[1]);
        } else if (c[0] == "unsigned") {
            shown = CellRules::normaliseUnsigned(c[1]);
        } else {
            continue;
        }
        EXPECT_EQ(shown.value_or("refused"), c[2]) << c.where;
    }
}

TEST(CellRulesTest, TypingChecksFollowTheCellLimits) {
    EXPECT_TRUE(CellRules::isDecimalInput("-999.999"));
    EXPECT_FALSE(CellRules::isDecimalInput("-999.9999"));
    EXPECT_TRUE(CellRules::isSignedInput("-255"));
    EXPECT_FALSE(CellRules::isSignedInput("-2555"));
    EXPECT_FALSE(CellRules::isUnsignedInput("10"));
}

}  // namespace
}  // namespace kelcc::core::cnc_data
