#pragma once

#include <cstdint>
#include <string_view>

namespace kelcc::core::common {

// CRC-16 with polynomial 0x1021, no reflection, no final XOR. With initial
// value 0 this is both the PLC program checksum and the link frame CRC.
class Crc16 final {
public:
    explicit Crc16(std::uint16_t initial = 0) noexcept : m_value(initial) {}

    void update(std::string_view bytes) noexcept;
    void update(std::uint8_t byte) noexcept;
    std::uint16_t value() const noexcept { return m_value; }

    static std::uint16_t of(std::string_view bytes) noexcept;

private:
    std::uint16_t m_value;
};

}  // namespace kelcc::core::common
