#include "cell_rules.h"

#include <algorithm>
#include <climits>

namespace kelcc::core::cnc_data {
namespace {

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) noexcept {
    return std::all_of(text.begin(), text.end(), isDigit);
}

std::string_view withoutLeadingZeros(std::string_view digits) noexcept {
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

// Splits an optional leading '-' from digits; nullopt when anything else is
// in the text.
std::optional<std::pair<bool, std::string_view>> signedDigits(std::string_view text) noexcept {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (!allDigits(text)) return std::nullopt;
    return std::make_pair(negative, text);
}

// Digits compared as text, so no input length can overflow.
long clampedValue(std::string_view digits, long limit) noexcept {
    const std::string_view significant = withoutLeadingZeros(digits);
    if (significant.size() > 9) return limit;
    long value = 0;
    for (char c : significant)
        value = value * 10 + (c - '0');
    return std::min(value, limit);
}

}  // namespace

bool CellRules::isDecimalInput(std::string_view text) noexcept {
    if (text.size() > kDecimalChars) return false;
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    const auto point = text.find('.');
    if (point == std::string_view::npos) return allDigits(text);
    return allDigits(text.substr(0, point)) && allDigits(text.substr(point + 1));
}

bool CellRules::isSignedInput(std::string_view text) noexcept {
    return text.size() <= kSignedChars && signedDigits(text).has_value();
}

bool CellRules::isUnsignedInput(std::string_view text) noexcept {
    return text.size() <= kUnsignedChars && allDigits(text);
}

std::optional<std::string> CellRules::normaliseDecimal(std::string_view text) {
    if (text.empty()) return std::string(kDecimalInitial);
    const bool negative = text.front() == '-';
    if (negative) text.remove_prefix(1);
    const auto point = text.find('.');
    const std::string_view integerPart = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (!allDigits(integerPart) || !allDigits(decimals)) return std::nullopt;
    // A lone minus sign is no number; "-.000" would reach the controller.
    if (integerPart.empty() && point == std::string_view::npos) return std::string(kDecimalInitial);

    const std::string_view significant = withoutLeadingZeros(integerPart);
    if (significant.size() > 3) return std::string(negative ? "-999.999" : "999.999");
    std::string result = negative ? "-" : "";
    result += significant.empty() ? std::string_view("0") : significant;
    result += '.';
    result += decimals.substr(0, 3);
    result.append(3 - std::min<std::size_t>(decimals.size(), 3), '0');
    return result;
}

std::optional<std::string> CellRules::normaliseSigned(std::string_view text) {
    const auto parts = signedDigits(text);
    if (!parts) return std::nullopt;
    const long value = clampedValue(parts->second, kSignedLimit);
    return std::to_string(parts->first ? -value : value);
}

std::optional<std::string> CellRules::normaliseUnsigned(std::string_view text) {
    if (!allDigits(text)) return std::nullopt;
    return std::to_string(clampedValue(text, kUnsignedLimit));
}

std::optional<long> CellRules::leadingInteger(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\v' ||
                               text[i] == '\f' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i])) return std::nullopt;
    long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (value > (LONG_MAX - digit) / 10) {
            value = LONG_MAX;
            while (i < text.size() && isDigit(text[i]))
                ++i;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace kelcc::core::cnc_data
