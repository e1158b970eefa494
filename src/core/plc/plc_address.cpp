#include "plc/plc_address.h"

#include <array>
#include <cstdio>
#include <utility>

namespace kelcc::core::plc {
namespace {

constexpr std::array<std::pair<std::string_view, std::uint32_t>, 14> kCounts = {{
    {"X", 256},
    {"Y", 256},
    {"F", 256},
    {"G", 256},
    {"R", 1000},
    {"D", 1000},
    {"DC", 100},
    {"DT", 100},
    {"K", 40},
    {"A", 25},
    {"C", 100},
    {"T", 100},
    {"L", 10000},
    {"P", 10000},
}};

}  // namespace

std::uint32_t AddressCount(std::string_view letters) noexcept {
    for (const auto& [word, count] : kCounts) {
        if (word == letters) return count;
    }
    return 0;
}

AddressParts SplitAddress(std::string_view text) noexcept {
    AddressParts parts;
    if (text.empty()) return parts;
    std::size_t letterLength = 1;
    if (text.size() >= 2 && text[0] == 'D' && (text[1] == 'C' || text[1] == 'T')) letterLength = 2;
    parts.letters = text.substr(0, letterLength);
    const std::string_view rest = text.substr(letterLength);
    const std::size_t point = rest.find('.');
    if (point == std::string_view::npos) {
        parts.number = rest;
    } else {
        parts.number = rest.substr(0, point);
        parts.hasPoint = true;
        parts.bitPart = rest.substr(point + 1);
    }
    return parts;
}

std::optional<std::uint64_t> DecimalValue(std::string_view digits) noexcept {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!IsDecimalDigit(c)) return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (kDecimalSaturated - digit) / 10) {
            value = kDecimalSaturated;
        } else {
            value = value * 10 + digit;
        }
    }
    return value;
}

std::optional<int> ReadBitNumber(bool hasPoint, std::string_view bitPart) noexcept {
    if (!hasPoint || bitPart.empty()) return 0;
    if (bitPart[0] < '0' || bitPart[0] > '7') return std::nullopt;
    for (const char c : bitPart.substr(1)) {
        if (c != ' ') return std::nullopt;
    }
    return bitPart[0] - '0';
}

std::string FormatByteAddress(std::string_view letters, std::uint32_t number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(number));
    return std::string(letters) + digits;
}

std::string FormatBitAddress(std::string_view letters, std::uint32_t number, int bit) {
    return FormatByteAddress(letters, number) + '.' + static_cast<char>('0' + bit);
}

std::string PlcAddress::text() const {
    return bit ? FormatBitAddress(letters, number, *bit) : FormatByteAddress(letters, number);
}

std::optional<PlcAddress> ParsePlcAddress(std::string_view text) {
    const AddressParts parts = SplitAddress(text);
    const std::uint32_t count = AddressCount(parts.letters);
    const auto number = DecimalValue(parts.number);
    if (count == 0 || !number || *number >= count) return std::nullopt;
    PlcAddress address{std::string(parts.letters), static_cast<std::uint32_t>(*number), {}};
    if (parts.hasPoint) {
        address.bit = ReadBitNumber(true, parts.bitPart);
        if (!address.bit) return std::nullopt;
    }
    return address;
}

}  // namespace kelcc::core::plc
