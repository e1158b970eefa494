#pragma once

#include <optional>

#include "cnc_data/value_constraint.h"

namespace kelcc::core::cnc_data {

// The value rules of data parameters 0015-0154, held as ranges of numbers
// that share one rule.
class ValueRules final {
public:
    static constexpr int kFirstNumber = 15;
    static constexpr int kLastNumber = 154;

    static std::optional<ValueConstraint> forNumber(int number) noexcept;
    // A rule of 0-0 marks a reserved parameter.
    static bool reserved(int number) noexcept;
};

}  // namespace kelcc::core::cnc_data
