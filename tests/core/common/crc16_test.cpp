#include "common/crc16.h"

#include <gtest/gtest.h>

namespace kelcc::core::common {
namespace {

// Reference: bit by bit, as the controller's manual describes the checksum.
std::uint16_t bitwise(std::string_view bytes) {
    std::uint16_t v = 0;
    for (unsigned char b : bytes) {
        v ^= static_cast<std::uint16_t>(b << 8);
        for (int i = 0; i < 8; ++i)
            v = (v & 0x8000) ? static_cast<std::uint16_t>((v << 1) ^ 0x1021)
                             : static_cast<std::uint16_t>(v << 1);
    }
    return v;
}

TEST(Crc16, CheckValueTableAndIncrementalUpdateMatchTheBitwiseReference) {
    // The standard check value of CRC-16/XMODEM.
    EXPECT_EQ(Crc16::of("123456789"), 0x31C3);
    EXPECT_EQ(Crc16::of(""), 0x0000);
    for (int b = 0; b < 256; ++b) {
        const std::string s(1, static_cast<char>(b));
        ASSERT_EQ(Crc16::of(s), bitwise(s)) << b;
    }
    std::string text = "LD      X0000.0AND     R0012.3OUT     Y0001.1";
    Crc16 crc;
    crc.update(text.substr(0, 7));
    crc.update(text.substr(7));
    EXPECT_EQ(crc.value(), bitwise(text));
}

}  // namespace
}  // namespace kelcc::core::common
