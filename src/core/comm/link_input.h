#pragma once

#include <cstdint>
#include <span>

namespace kelcc::core::comm {

// What the host drives: received chunks and the 300 ms tick.
class LinkInput {
public:
    virtual ~LinkInput() = default;
    virtual void onBytes(std::span<const std::uint8_t> chunk) = 0;
    virtual void onTick() = 0;
};

}  // namespace kelcc::core::comm
