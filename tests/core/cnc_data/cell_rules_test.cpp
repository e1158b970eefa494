#include "cnc_data/cell_rules.h"

#include <gtest/gtest.h>

namespace kelcc::core::cnc_data {
namespace {

using Rule = std::optional<std::string> (*)(std::string_view);

struct Case {
    Rule rule;
    const char* typed;
    const char* shown;  // nullptr: refused, the cell keeps its text
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class CellRuleTest : public ::testing::TestWithParam<Case> {};

TEST_P(CellRuleTest, NormalisesWhenTheCellIsLeft) {
    const auto result = GetParam().rule(GetParam().typed);
    ASSERT_EQ(result.has_value(), GetParam().shown != nullptr);
    if (result) {
        EXPECT_EQ(*result, GetParam().shown);
    }
}

constexpr Rule kDec = &CellRules::normaliseDecimal;
constexpr Rule kSig = &CellRules::normaliseSigned;
constexpr Rule kUns = &CellRules::normaliseUnsigned;

INSTANTIATE_TEST_SUITE_P(
    Decimal, CellRuleTest,
    ::testing::Values(Case{kDec, "", "0.000"}, Case{kDec, ".5", "0.500"},
                      Case{kDec, "1234.5", "999.999"}, Case{kDec, "007.12345", "7.123"},
                      Case{kDec, "-.5", "-0.500"}, Case{kDec, "-1234", "-999.999"},
                      Case{kDec, "12.", "12.000"}, Case{kDec, "-", "0.000"},
                      Case{kDec, "99999999999999999999", "999.999"}, Case{kDec, "1-2", nullptr},
                      Case{kDec, "1.2.3", nullptr}, Case{kDec, " 5", nullptr}));

INSTANTIATE_TEST_SUITE_P(Integer, CellRuleTest,
                         ::testing::Values(Case{kSig, "300", "255"}, Case{kSig, "-300", "-255"},
                                           Case{kSig, "-", "0"}, Case{kSig, "0012", "12"},
                                           Case{kSig, "99999999999999999999", "255"},
                                           Case{kSig, "1.5", nullptr}, Case{kSig, "+5", nullptr},
                                           Case{kUns, "", "0"}, Case{kUns, "12", "9"},
                                           Case{kUns, "-1", nullptr}));

TEST(CellRulesTest, TypingChecksFollowTheCellLimits) {
    EXPECT_TRUE(CellRules::isDecimalInput("-999.999"));
    EXPECT_FALSE(CellRules::isDecimalInput("-999.9999"));
    EXPECT_TRUE(CellRules::isSignedInput("-255"));
    EXPECT_FALSE(CellRules::isSignedInput("-2555"));
    EXPECT_FALSE(CellRules::isUnsignedInput("10"));
}

}  // namespace
}  // namespace kelcc::core::cnc_data
