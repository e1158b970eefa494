#pragma once

#include <cstdint>

namespace kelcc::core::comm {

// Millisecond tick count; it may wrap, the engine only takes differences.
class LinkClock {
public:
    virtual ~LinkClock() = default;
    virtual std::uint32_t nowMs() const = 0;
};

}  // namespace kelcc::core::comm
