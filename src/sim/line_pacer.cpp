#include "line_pacer.h"

#include <algorithm>

namespace kelcc::sim {
namespace {

constexpr std::uint64_t kBitsPerByte = 10;  // start, eight data bits, stop

}  // namespace

void LinePacer::push(std::vector<std::uint8_t> chunk, std::uint64_t nowMs) {
    if (chunk.empty()) return;
    const std::uint64_t startUs = std::max((nowMs + m_delayMs) * 1000, m_lineFreeUs);
    std::uint64_t transmitUs = 0;
    if (m_baud > 0) {
        // Rounded up so that pacing never runs faster than the line.
        transmitUs = (chunk.size() * kBitsPerByte * 1000000 + m_baud - 1) / m_baud;
    }
    m_lineFreeUs = startUs + transmitUs;
    m_queuedBytes += chunk.size();
    m_queue.push_back({(m_lineFreeUs + 999) / 1000, std::move(chunk)});
}

std::vector<std::uint8_t> LinePacer::takeDue(std::uint64_t nowMs) {
    std::vector<std::uint8_t> out;
    while (auto chunk = popDue(nowMs))
        out.insert(out.end(), chunk->begin(), chunk->end());
    return out;
}

std::optional<std::vector<std::uint8_t>> LinePacer::popDue(std::uint64_t nowMs) {
    if (m_queue.empty() || m_queue.front().dueMs > nowMs) return std::nullopt;
    std::vector<std::uint8_t> bytes = std::move(m_queue.front().bytes);
    m_queue.pop_front();
    m_queuedBytes -= bytes.size();
    return bytes;
}

std::optional<std::uint64_t> LinePacer::nextDueMs() const {
    if (m_queue.empty()) return std::nullopt;
    return m_queue.front().dueMs;
}

}  // namespace kelcc::sim
