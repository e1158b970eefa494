#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace kelcc::sim {

// A noisy line: each byte is dropped, corrupted or has one bit flipped at a
// given rate, drawn from a seeded generator so that a failing run can be
// repeated exactly.
class LineFaults final {
public:
    LineFaults(double corruptRate, double dropRate, std::uint32_t seed, double flipRate = 0.0);

    bool active() const noexcept {
        return m_corruptLimit > 0 || m_dropLimit > 0 || m_flipLimit > 0;
    }
    std::vector<std::uint8_t> apply(std::span<const std::uint8_t> bytes);

    std::uint64_t corrupted() const noexcept { return m_corrupted; }
    std::uint64_t dropped() const noexcept { return m_dropped; }
    std::uint64_t flipped() const noexcept { return m_flipped; }

private:
    std::mt19937 m_random;
    // Rates as limits on a 32-bit draw; 0 never fires.
    std::uint64_t m_corruptLimit = 0;
    std::uint64_t m_dropLimit = 0;
    std::uint64_t m_flipLimit = 0;
    std::uint64_t m_corrupted = 0;
    std::uint64_t m_flipped = 0;
    std::uint64_t m_dropped = 0;
};

}  // namespace kelcc::sim
