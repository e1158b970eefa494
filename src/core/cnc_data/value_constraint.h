#pragma once

#include <cstdint>
#include "common/language.h"

#include "compiler/compile_errors.h"

namespace kelcc::core::cnc_data {

// The catalogue follows the one language setting of the application, which
// the compile message tables already use.

enum class ValueKind : std::uint8_t {
    BitString = 1,
    Signed = 4,
    Unsigned = 5,
    BaudRate = 9,
    ThreadAngle = 10,
};

// How a parameter value may be typed and which values it accepts.
struct ValueConstraint {
    ValueKind kind = ValueKind::Unsigned;
    int digits = 0;  // most characters while typing
    std::int32_t maximum = 0;
    std::int32_t minimum = 0;
    bool operator==(const ValueConstraint&) const = default;
};

}  // namespace kelcc::core::cnc_data
