#pragma once

#include <cstdint>
#include <string>

namespace kelcc::core::plc {

// One element (or a bare vertical link) of the ladder grid.
struct LadderCell {
    std::int32_t row = 0;            // informational
    std::uint8_t column = 0;         // informational
    std::uint16_t element = 0;       // 1: contact, coil, function box or line
    std::uint16_t verticalLink = 0;  // 1: a link runs from the left edge down
    std::int32_t kind = 0;           // instruction code; 15 = link only
    std::string text;                // operand or IL text; empty = none

    bool operator==(const LadderCell&) const = default;
};

}  // namespace kelcc::core::plc
