#include "crc16.h"

#include <array>

namespace kelcc::core::common {
namespace {

constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        auto v = static_cast<std::uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            v = (v & 0x8000) ? static_cast<std::uint16_t>((v << 1) ^ 0x1021)
                             : static_cast<std::uint16_t>(v << 1);
        table[i] = v;
    }
    return table;
}

constexpr auto kTable = makeTable();

}  // namespace

void Crc16::update(std::uint8_t byte) noexcept {
    m_value = static_cast<std::uint16_t>((m_value << 8) ^ kTable[((m_value >> 8) ^ byte) & 0xFF]);
}

void Crc16::update(std::string_view bytes) noexcept {
    for (char c : bytes)
        update(static_cast<std::uint8_t>(c));
}

std::uint16_t Crc16::of(std::string_view bytes) noexcept {
    Crc16 crc;
    crc.update(bytes);
    return crc.value();
}

}  // namespace kelcc::core::common
