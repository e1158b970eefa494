#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace kelcc::sim {

// Holds written chunks back until a line of the given speed would have
// delivered them (ten bit times per byte), plus a fixed delay. A chunk is
// released whole: the handshake answer must reach the other side in one
// piece, which a byte-by-byte trickle would break.
class OutputPacer final {
public:
    OutputPacer(std::uint32_t baud, std::uint32_t delayMs) noexcept
        : m_baud(baud), m_delayMs(delayMs) {}

    void push(std::vector<std::uint8_t> chunk, std::uint64_t nowMs);
    // Every chunk due by now, in order, joined.
    std::vector<std::uint8_t> takeDue(std::uint64_t nowMs);
    std::optional<std::uint64_t> nextDueMs() const;
    bool empty() const noexcept { return m_queue.empty(); }

private:
    struct Pending {
        std::uint64_t dueMs = 0;
        std::vector<std::uint8_t> bytes;
    };

    std::uint32_t m_baud = 0;
    std::uint32_t m_delayMs = 0;
    std::uint64_t m_lineFreeMs = 0;
    std::deque<Pending> m_queue;
};

}  // namespace kelcc::sim
