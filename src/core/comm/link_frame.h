#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "comm/link_types.h"

namespace kelcc::core::comm {

// Frame layout on the wire, numbers most significant byte first:
// start, sequence, command, sub-code, length (2), header sum, data, CRC (2).
// The CRC is present only when there is data.
class LinkFrame final {
public:
    static constexpr std::uint8_t kStart = 0x12;
    static constexpr std::size_t kHeaderSize = 7;
    static constexpr std::size_t kCrcSize = 2;
    static constexpr std::size_t kMaxData = 2048;
    static constexpr std::size_t kPacketSize = 512;
    static constexpr std::size_t kFullDataFrameSize = kHeaderSize + kPacketSize + kCrcSize;

    static constexpr std::array<std::uint8_t, 3> kLinkRequest{0xAA, 0xAA, 0xAA};
    static constexpr std::array<std::uint8_t, 3> kLinkAccept{0x55, 0x55, 0x55};

    // Sum of the first six header bytes modulo 256.
    static std::uint8_t headerSum(std::span<const std::uint8_t> header) noexcept;
    static std::uint16_t dataCrc(std::span<const std::uint8_t> data) noexcept;

    // The complete frame bytes. Data beyond kMaxData is cut off: the
    // controller never takes more.
    static std::vector<std::uint8_t> encode(const Frame& frame);
    static std::size_t encodedSize(std::size_t dataSize) noexcept {
        return kHeaderSize + (dataSize > 0 ? dataSize + kCrcSize : 0);
    }
};

}  // namespace kelcc::core::comm
