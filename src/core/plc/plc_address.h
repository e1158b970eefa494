#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelcc::core::plc {

// Lexical pieces of an address text such as "X5.3", "DC10" or "R0012".
// Nothing is validated: callers decide what each piece must look like.
struct AddressParts {
    std::string_view letters;  // first character, or "DC"/"DT" when a D is followed by C or T
    std::string_view number;   // everything after the letters up to the first point or the end
    bool hasPoint = false;
    std::string_view bitPart;  // everything after the first point
};

// A valid address taken apart; bit is empty for a byte address.
struct PlcAddress {
    std::string letters;
    std::uint32_t number = 0;
    std::optional<int> bit;

    std::string text() const;  // canonical form: X0005.3, R0012, DC0001
    bool operator==(const PlcAddress&) const = default;
};

inline constexpr bool IsDecimalDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// Number of addresses of a letter word ("X" 256, "R" 1000, "DC" 100, ...);
// 0 for any word that names no address area.
std::uint32_t AddressCount(std::string_view letters) noexcept;

AddressParts SplitAddress(std::string_view text) noexcept;

// Value of a non-empty run of decimal digits; empty for any other text.
// Saturates at kDecimalSaturated, so a 30-digit number is simply too large
// for every range instead of wrapping round.
inline constexpr std::uint64_t kDecimalSaturated = UINT64_MAX;
std::optional<std::uint64_t> DecimalValue(std::string_view digits) noexcept;

// The bit part of a bit operand: no point, or a point with nothing after
// it, is bit 0; a point, one of "0"-"7" and then only blanks is that bit.
// Anything else has no bit number.
std::optional<int> ReadBitNumber(bool hasPoint, std::string_view bitPart) noexcept;

std::string FormatByteAddress(std::string_view letters, std::uint32_t number);
std::string FormatBitAddress(std::string_view letters, std::uint32_t number, int bit);

// Takes apart an address of any letter (as written by the canonical
// formatters, or typed loosely as "X5.3"): digits below the letter's count
// and, after a point, a bit 0-7 followed by nothing but blanks. A text
// without a point is a byte address.
std::optional<PlcAddress> ParsePlcAddress(std::string_view text);

}  // namespace kelcc::core::plc
