#include "cnc_data/value_rules.h"

#include <array>

namespace kelcc::core::cnc_data {
namespace {

struct RuleRange {
    int first;
    int last;
    ValueConstraint rule;
};

// Numbers first-last share one rule: {kind, digits, maximum, minimum}.
constexpr std::array kRules = {
    RuleRange{15, 18, {ValueKind::Unsigned, 3, 255, 1}},
    RuleRange{19, 19, {ValueKind::Unsigned, 3, 255, 0}},
    RuleRange{20, 20, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{21, 21, {ValueKind::Signed, 4, 2000, -2000}},
    RuleRange{22, 22, {ValueKind::Unsigned, 4, 3825, 10}},
    RuleRange{23, 23, {ValueKind::Unsigned, 4, 7650, 10}},
    RuleRange{24, 25, {ValueKind::Unsigned, 4, 4000, 8}},
    RuleRange{26, 26, {ValueKind::Unsigned, 4, 4000, 0}},
    RuleRange{27, 27, {ValueKind::Unsigned, 10, 8000, 0}},
    RuleRange{28, 28, {ValueKind::Unsigned, 4, 8000, 6}},
    RuleRange{29, 29, {ValueKind::Unsigned, 4, 4000, 0}},
    RuleRange{30, 30, {ValueKind::Unsigned, 4, 8000, 0}},
    RuleRange{31, 31, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{32, 32, {ValueKind::Unsigned, 3, 4000, 6}},
    RuleRange{33, 33, {ValueKind::Unsigned, 4, 8000, 6}},
    RuleRange{34, 35, {ValueKind::Unsigned, 4, 2000, 0}},
    RuleRange{36, 36, {ValueKind::Signed, 5, 1000, -1000}},
    RuleRange{37, 40, {ValueKind::Unsigned, 4, 9999, 10}},
    RuleRange{41, 41, {ValueKind::Unsigned, 4, 8000, 0}},
    RuleRange{42, 42, {ValueKind::Unsigned, 3, 100, 1}},
    RuleRange{43, 43, {ValueKind::Unsigned, 4, 9999, 0}},
    RuleRange{44, 44, {ValueKind::BaudRate, 6, 115200, 2400}},
    RuleRange{45, 48, {ValueKind::Signed, 8, 9999999, -9999999}},
    RuleRange{49, 50, {ValueKind::Signed, 7, 9999999, -9999999}},
    RuleRange{51, 52, {ValueKind::Unsigned, 5, 99999, 1}},
    RuleRange{53, 54, {ValueKind::Signed, 6, 99999, -99999}},
    RuleRange{55, 55, {ValueKind::Unsigned, 4, 9999, 1}},
    RuleRange{56, 56, {ValueKind::Unsigned, 5, 99999, 0}},
    RuleRange{57, 57, {ValueKind::Unsigned, 2, 99, 1}},
    RuleRange{58, 58, {ValueKind::Unsigned, 2, 99, 0}},
    RuleRange{59, 60, {ValueKind::Unsigned, 5, 99999, 0}},
    RuleRange{61, 64, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{65, 66, {ValueKind::Unsigned, 5, 60000, 0}},
    RuleRange{67, 67, {ValueKind::Unsigned, 4, 1000, 0}},
    RuleRange{68, 68, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{69, 69, {ValueKind::Unsigned, 5, 60000, 0}},
    RuleRange{70, 70, {ValueKind::Unsigned, 4, 5000, 100}},
    RuleRange{71, 71, {ValueKind::Unsigned, 4, 4080, 16}},
    RuleRange{72, 72, {ValueKind::Unsigned, 4, 4080, 0}},
    RuleRange{73, 75, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{76, 76, {ValueKind::Unsigned, 4, 5000, 100}},
    RuleRange{77, 77, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{78, 78, {ValueKind::Unsigned, 5, 60000, 1000}},
    RuleRange{79, 79, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{80, 81, {ValueKind::Unsigned, 4, 5000, 100}},
    RuleRange{82, 82, {ValueKind::Unsigned, 4, 4000, 0}},
    RuleRange{83, 83, {ValueKind::Unsigned, 5, 4000, 0}},
    RuleRange{84, 84, {ValueKind::Unsigned, 2, 32, 1}},
    RuleRange{85, 85, {ValueKind::Unsigned, 4, 4000, 0}},
    RuleRange{86, 86, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{87, 87, {ValueKind::Unsigned, 5, 10000, 0}},
    RuleRange{88, 88, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{89, 89, {ValueKind::Unsigned, 5, 60000, 0}},
    RuleRange{90, 97, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{98, 99, {ValueKind::Unsigned, 3, 255, 0}},
    RuleRange{100, 101, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{102, 103, {ValueKind::Unsigned, 6, 999999, 1000}},
    RuleRange{104, 105, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{106, 106, {ValueKind::Unsigned, 3, 100, 0}},
    RuleRange{107, 107, {ValueKind::Unsigned, 4, 8000, 0}},
    RuleRange{108, 108, {ValueKind::Unsigned, 5, 60000, 0}},
    RuleRange{109, 109, {ValueKind::Unsigned, 4, 8000, 1}},
    RuleRange{110, 111, {ValueKind::Unsigned, 3, 255, 1}},
    RuleRange{112, 112, {ValueKind::Unsigned, 5, 60000, 0}},
    RuleRange{113, 113, {ValueKind::Unsigned, 4, 7650, 0}},
    RuleRange{114, 115, {ValueKind::Unsigned, 6, 99999, -99999}},
    RuleRange{116, 118, {ValueKind::Unsigned, 1, 0, 0}},
    RuleRange{119, 119, {ValueKind::Unsigned, 1, 5, 2}},
    RuleRange{120, 154, {ValueKind::Unsigned, 9, 99999999, -99999999}},
};

}  // namespace

std::optional<ValueConstraint> ValueRules::forNumber(int number) noexcept {
    for (const RuleRange& range : kRules) {
        if (number >= range.first && number <= range.last) return range.rule;
    }
    return std::nullopt;
}

bool ValueRules::reserved(int number) noexcept {
    const auto rule = forNumber(number);
    return rule && rule->minimum == 0 && rule->maximum == 0;
}

}  // namespace kelcc::core::cnc_data
