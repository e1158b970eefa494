#include "cnc_data/cell_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace kelcc::core::cnc_data {
namespace {

struct Case {
    const char* typed;
    const char* shown;  // nullptr: refused
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class DecimalRuleTest : public ::testing::TestWithParam<Case> {};

TEST_P(DecimalRuleTest, NormalisesToThreeDecimals) {
    const auto result = CellRules::normaliseDecimal(GetParam().typed);
    if (GetParam().shown == nullptr) {
        EXPECT_FALSE(result.has_value());
    } else {
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, GetParam().shown);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecimalRuleTest,
    ::testing::Values(Case{"", "0.000"}, Case{"5", "5.000"}, Case{".5", "0.500"},
                      Case{"1234.5", "999.999"}, Case{"007.12345", "7.123"}, Case{"-5", "-5.000"},
                      Case{"-.5", "-0.500"}, Case{"-1234", "-999.999"}, Case{"1000", "999.999"},
                      Case{"999", "999.000"}, Case{"-999.9999", "-999.999"}, Case{"12.", "12.000"},
                      Case{".", "0.000"}, Case{"007", "7.000"}, Case{"-", "0.000"},
                      Case{"00000000999", "999.000"}, Case{"99999999999999999999", "999.999"},
                      Case{"1-2", nullptr}, Case{"1.2.3", nullptr}, Case{"abc", nullptr},
                      Case{" 5", nullptr}, Case{"--5", nullptr}));

class SignedRuleTest : public ::testing::TestWithParam<Case> {};

TEST_P(SignedRuleTest, ClampsToTheCorrectionRange) {
    const auto result = CellRules::normaliseSigned(GetParam().typed);
    if (GetParam().shown == nullptr) {
        EXPECT_FALSE(result.has_value());
    } else {
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, GetParam().shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SignedRuleTest,
                         ::testing::Values(Case{"300", "255"}, Case{"-300", "-255"},
                                           Case{"255", "255"}, Case{"-255", "-255"}, Case{"", "0"},
                                           Case{"-", "0"}, Case{"-0", "0"}, Case{"0012", "12"},
                                           Case{"99999999999999999999", "255"},
                                           Case{"1.5", nullptr}, Case{"+5", nullptr},
                                           Case{"5-", nullptr}));

TEST(CellRulesTest, UnsignedTipDirectionIsClampedToOneDigit) {
    EXPECT_EQ(CellRules::normaliseUnsigned(""), "0");
    EXPECT_EQ(CellRules::normaliseUnsigned("7"), "7");
    EXPECT_EQ(CellRules::normaliseUnsigned("12"), "9");
    EXPECT_FALSE(CellRules::normaliseUnsigned("-1").has_value());
}

TEST(CellRulesTest, TypingChecksFollowTheCellLimits) {
    EXPECT_TRUE(CellRules::isDecimalInput("-999.999"));
    EXPECT_FALSE(CellRules::isDecimalInput("-999.9999"));
    EXPECT_TRUE(CellRules::isDecimalInput("-"));
    EXPECT_FALSE(CellRules::isDecimalInput("1..2"));
    EXPECT_TRUE(CellRules::isSignedInput("-255"));
    EXPECT_FALSE(CellRules::isSignedInput("-2555"));
    EXPECT_FALSE(CellRules::isSignedInput("2-"));
    EXPECT_TRUE(CellRules::isUnsignedInput("9"));
    EXPECT_FALSE(CellRules::isUnsignedInput("10"));
}

TEST(CellRulesTest, LeadingIntegerReadsLikeAtoiButNeverOverflows) {
    EXPECT_EQ(CellRules::leadingInteger("0032\tx"), 32);
    EXPECT_EQ(CellRules::leadingInteger("  -7abc"), -7);
    EXPECT_EQ(CellRules::leadingInteger("3.000"), 3);
    EXPECT_EQ(CellRules::leadingInteger("99999999999999999999999"), LONG_MAX);
    EXPECT_FALSE(CellRules::leadingInteger("").has_value());
    EXPECT_FALSE(CellRules::leadingInteger("-").has_value());
    EXPECT_FALSE(CellRules::leadingInteger("x1").has_value());
}

}  // namespace
}  // namespace kelcc::core::cnc_data
