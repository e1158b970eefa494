#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelcc::core::comm {

// 32-bit words in the records the controller exchanges: most significant
// byte first. Callers guarantee the four bytes exist.
struct WireBytes final {
    static void put32(std::string& out, std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i)
            out[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
    }

    static std::uint32_t get32(std::string_view in, std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(in[at + i]);
        return value;
    }
};

}  // namespace kelcc::core::comm
