#pragma once

#include <string>

#include "comm/link_types.h"

namespace kelcc::core::comm {

// What the engine does with each error code and the text shown for it.
class LinkErrors final {
public:
    // Action for codes that are not counted; the counted codes 1 and 2 give
    // Continue here and become ErrorLimit when the count reaches the limit.
    static ErrorAction actionOf(LinkError code) noexcept;
    static std::string messageOf(LinkError code);
    // The error a refusing answer (list, control or file reply) raises;
    // UnknownAnswer for a sub-code that answer cannot carry.
    static LinkError ofAnswer(Command answer, std::uint8_t subCode) noexcept;
};

}  // namespace kelcc::core::comm
