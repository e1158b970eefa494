#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace kelcc::sim {

// Holds chunks back until a line of the given speed would have carried them
// (ten bit times per byte), plus a fixed delay. Used both ways: for what the
// controller writes and for what it reads. A chunk is released whole: the
// handshake must reach the other side in one piece, which a byte-by-byte
// trickle would break.
class LinePacer final {
public:
    LinePacer(std::uint32_t baud, std::uint32_t delayMs) noexcept
        : m_baud(baud), m_delayMs(delayMs) {}

    void push(std::vector<std::uint8_t> chunk, std::uint64_t nowMs);
    // Every chunk due by now, in order, joined.
    std::vector<std::uint8_t> takeDue(std::uint64_t nowMs);
    // The first chunk if it is due by now, on its own.
    std::optional<std::vector<std::uint8_t>> popDue(std::uint64_t nowMs);
    std::optional<std::uint64_t> nextDueMs() const;
    bool empty() const noexcept { return m_queue.empty(); }
    std::size_t queuedBytes() const noexcept { return m_queuedBytes; }

private:
    struct Pending {
        std::uint64_t dueMs = 0;
        std::vector<std::uint8_t> bytes;
    };

    std::uint32_t m_baud = 0;
    std::uint32_t m_delayMs = 0;
    // Kept in microseconds so that rounding does not add up over many
    // short chunks; each due time is rounded up to the next millisecond.
    std::uint64_t m_lineFreeUs = 0;
    std::size_t m_queuedBytes = 0;
    std::deque<Pending> m_queue;
};

}  // namespace kelcc::sim
