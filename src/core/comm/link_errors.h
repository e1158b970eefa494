#pragma once

#include <cstdint>
#include <string>

#include "comm/link_types.h"

namespace kelcc::core::comm {

// What the engine does with each error code and the text shown for it, and
// which error each refusing answer raises: one table each.
class LinkErrors final {
public:
    // Action for codes that are not counted; the counted ones give Continue
    // here and become ErrorLimit when the count reaches the limit.
    static ErrorAction actionOf(LinkError code) noexcept;
    // Damage on the line is counted; the count restarts with every good frame.
    static bool counted(LinkError code) noexcept;
    static std::string messageOf(LinkError code);
    // The error a refusing answer (an acknowledgement, or a list, control
    // or file reply) raises; UnknownAnswer for a sub-code it cannot carry.
    static LinkError ofAnswer(Command answer, std::uint8_t subCode) noexcept;
};

}  // namespace kelcc::core::comm
