#include "output_pacer.h"

#include <algorithm>

namespace kelcc::sim {
namespace {

constexpr std::uint64_t kBitsPerByte = 10;  // start, eight data bits, stop

}  // namespace

void OutputPacer::push(std::vector<std::uint8_t> chunk, std::uint64_t nowMs) {
    if (chunk.empty()) return;
    const std::uint64_t start = std::max(nowMs + m_delayMs, m_lineFreeMs);
    std::uint64_t transmitMs = 0;
    if (m_baud > 0) {
        // Rounded up so that pacing never runs faster than the line.
        transmitMs = (chunk.size() * kBitsPerByte * 1000 + m_baud - 1) / m_baud;
    }
    const std::uint64_t due = start + transmitMs;
    m_lineFreeMs = due;
    m_queue.push_back({due, std::move(chunk)});
}

std::vector<std::uint8_t> OutputPacer::takeDue(std::uint64_t nowMs) {
    std::vector<std::uint8_t> out;
    while (!m_queue.empty() && m_queue.front().dueMs <= nowMs) {
        const auto& bytes = m_queue.front().bytes;
        out.insert(out.end(), bytes.begin(), bytes.end());
        m_queue.pop_front();
    }
    return out;
}

std::optional<std::uint64_t> OutputPacer::nextDueMs() const {
    if (m_queue.empty()) return std::nullopt;
    return m_queue.front().dueMs;
}

}  // namespace kelcc::sim
