#include "line_faults.h"

#include <algorithm>

namespace kelcc::sim {
namespace {

constexpr double kDraws = 4294967296.0;  // 2^32

std::uint64_t limitOf(double rate) noexcept {
    return static_cast<std::uint64_t>(std::clamp(rate, 0.0, 1.0) * kDraws);
}

}  // namespace

LineFaults::LineFaults(double corruptRate, double dropRate, std::uint32_t seed, double flipRate)
    : m_random(seed),
      m_corruptLimit(limitOf(corruptRate)),
      m_dropLimit(limitOf(dropRate)),
      m_flipLimit(limitOf(flipRate)) {}

std::vector<std::uint8_t> LineFaults::apply(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size());
    for (std::uint8_t byte : bytes) {
        if (m_dropLimit > 0 && m_random() < m_dropLimit) {
            ++m_dropped;
            continue;
        }
        if (m_corruptLimit > 0 && m_random() < m_corruptLimit) {
            // A non-zero mask always changes the byte.
            byte ^= static_cast<std::uint8_t>(1 + m_random() % 255);
            ++m_corrupted;
        }
        if (m_flipLimit > 0 && m_random() < m_flipLimit) {
            byte ^= static_cast<std::uint8_t>(1u << (m_random() % 8));
            ++m_flipped;
        }
        out.push_back(byte);
    }
    return out;
}

}  // namespace kelcc::sim
