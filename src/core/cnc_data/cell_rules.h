#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelcc::core::cnc_data {

// The input rules of the table cells, free of any widget: a grid calls the
// typing checks while a cell is edited and the normalisers when it is left.
// A normaliser answers nullopt for text a cell editor cannot produce; the
// grid then keeps the cell's previous text.
class CellRules final {
public:
    static constexpr std::size_t kDecimalChars = 8;
    static constexpr std::size_t kSignedChars = 4;
    static constexpr std::size_t kUnsignedChars = 1;
    static constexpr long kSignedLimit = 255;
    static constexpr long kUnsignedLimit = 9;
    static constexpr const char* kDecimalInitial = "0.000";
    static constexpr const char* kIntegerInitial = "0";

    // Text a decimal cell may hold while typing: an optional leading '-',
    // digits and at most one '.', at most 8 characters.
    static bool isDecimalInput(std::string_view text) noexcept;
    // Text a signed cell may hold while typing: a leading '-' and digits.
    static bool isSignedInput(std::string_view text) noexcept;
    static bool isUnsignedInput(std::string_view text) noexcept;

    // Signed number with exactly three decimals, -999.999 to 999.999;
    // an integer part of 1000 or more gives the limit of its sign.
    static std::optional<std::string> normaliseDecimal(std::string_view text);
    // Clamped to -255..255, written as a plain integer.
    static std::optional<std::string> normaliseSigned(std::string_view text);
    // Clamped to 0..9.
    static std::optional<std::string> normaliseUnsigned(std::string_view text);

    // The value of the decimal number at the start of `text` (after blanks
    // and an optional sign), saturated to the range of long; nullopt when
    // no digit follows.
    static std::optional<long> leadingInteger(std::string_view text) noexcept;
};

}  // namespace kelcc::core::cnc_data
