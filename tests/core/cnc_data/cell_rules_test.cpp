#include "cnc_data/cell_rules.h"

#include <gtest/gtest.h>

namespace kelcc::core::cnc_data {
namespace {

using Rule = std::optional<std::string> (*)(std::string_view);

TEST(CellRulesTest, NormalisesWhenTheCellIsLeft) {
    constexpr Rule kDec = &CellRules::normaliseDecimal;
    constexpr Rule kSig = &CellRules::normaliseSigned;
    constexpr Rule kUns = &CellRules::normaliseUnsigned;
    struct Case {
        Rule rule;
        const char* typed;
        const char* shown;  // nullptr: refused, the cell keeps its text
    };
    const Case cases[] = {{kDec, "", "0.000"},
                          {kDec, ".5", "0.500"},
                          {kDec, "1234.5", "999.999"},
                          {kDec, "007.12345", "7.123"},
                          {kDec, "-.5", "-0.500"},
                          {kDec, "-1234", "-999.999"},
                          {kDec, "12.", "12.000"},
                          {kDec, "-", "0.000"},
                          {kDec, "99999999999999999999", "999.999"},
                          {kDec, "1-2", nullptr},
                          {kDec, "1.2.3", nullptr},
                          {kDec, " 5", nullptr},
                          {kSig, "300", "255"},
                          {kSig, "-300", "-255"},
                          {kSig, "-", "0"},
                          {kSig, "0012", "12"},
                          {kSig, "99999999999999999999", "255"},
                          {kSig, "1.5", nullptr},
                          {kSig, "+5", nullptr},
                          {kUns, "", "0"},
                          {kUns, "12", "9"},
                          {kUns, "-1", nullptr}};
    for (const Case& c : cases)
        EXPECT_EQ(c.rule(c.typed), c.shown ? std::optional<std::string>(c.shown) : std::nullopt)
            << '"' << c.typed << '"';
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
