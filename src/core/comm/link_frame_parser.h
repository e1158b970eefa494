#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "comm/link_types.h"

namespace kelcc::core::comm {

// Collects received chunks in one fixed buffer and takes frames out of it.
// Bytes that cannot begin a frame are dropped as soon as they are seen, so
// line noise never fills the buffer.
class LinkFrameParser final {
public:
    static constexpr std::size_t kCapacity = 16384;

    enum class Status : std::uint8_t {
        NeedMore = 0,
        Complete = 1,
        HeaderError = 2,
        CrcError = 3,
        // Announced more than LinkFrame::kMaxData bytes; only the header was
        // dropped, the announced data is not waited for.
        Oversized = 4,
    };

    struct Result {
        Status status = Status::NeedMore;
        // Filled for Complete and CrcError (whose header passed its check).
        Frame frame;
    };

    // False when the chunk does not fit; it is then dropped whole.
    bool append(std::span<const std::uint8_t> chunk) noexcept;
    Result next();
    void clear() noexcept {
        m_fill = 0;
        m_discarded = 0;
    }
    // Bytes dropped as not belonging to any frame since the last call:
    // line noise or what is left of a damaged frame.
    std::size_t takeDiscarded() noexcept;
    std::size_t buffered() const noexcept { return m_fill; }

private:
    void discardFront(std::size_t count) noexcept;

    std::array<std::uint8_t, kCapacity> m_buffer{};
    std::size_t m_fill = 0;
    std::size_t m_discarded = 0;
};

}  // namespace kelcc::core::comm
