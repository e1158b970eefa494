#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cnc_data/value_constraint.h"

namespace kelcc::core::cnc_data {

// The entry rules of a data parameter field, for a view to drive: which
// typed characters the field takes, and the value it settles on when left.
class NumericEntry final {
public:
    static constexpr char kBackspace = '\b';

    explicit NumericEntry(ValueConstraint rule) noexcept : m_rule(rule) {}

    const ValueConstraint& rule() const noexcept { return m_rule; }
    int maxLength() const noexcept { return m_rule.digits; }

    // Whether a typed character is taken by a field holding `text`.
    // Digits and backspace are; '-' only where the value may be negative,
    // as the first character of an empty or wholly selected field without a
    // '-'. No character is taken past maxLength().
    bool accepts(char key, std::string_view text, bool wholeTextSelected) const noexcept;

    // The text the field shows when it is left: empty stays empty, anything
    // else is read as a number and normalised.
    std::string normalise(std::string_view text) const;
    std::int32_t normaliseValue(std::int64_t value) const noexcept;

    // Reads an optional '-' and leading digits; no digits read as 0 and
    // values beyond 32 bits saturate, so no input overflows.
    static std::int64_t toNumber(std::string_view text) noexcept;

private:
    ValueConstraint m_rule;
};

}  // namespace kelcc::core::cnc_data
