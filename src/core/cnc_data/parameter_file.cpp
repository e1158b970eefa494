#include "cnc_data/parameter_file.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace kelcc::core::cnc_data {
namespace {

constexpr std::size_t kMaxBitChars = 8;
// A data value within 32 bits has at most 10 digits.
constexpr std::size_t kMaxDataDigits = 10;
// Indices are written with four digits; a few more are tolerated.
constexpr std::size_t kMaxIndexDigits = 6;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool validBitValue(std::string_view value) {
    if (value.empty() || value.size() > kMaxBitChars) return false;
    for (char c : value) {
        if (c != '0' && c != '1') return false;
    }
    return true;
}

bool validDataValue(std::string_view value) {
    const bool negative = !value.empty() && value.front() == '-';
    if (negative) value.remove_prefix(1);
    if (value.empty() || value.size() > kMaxDataDigits) return false;
    std::int64_t number = 0;
    for (char c : value) {
        if (!isDigit(c)) return false;
        number = number * 10 + (c - '0');
    }
    if (negative) number = -number;
    return number >= std::numeric_limits<std::int32_t>::min() &&
           number <= std::numeric_limits<std::int32_t>::max();
}

std::size_t limitOf(ParameterKind kind) {
    return kind == ParameterKind::Bit ? ParameterCatalogue::kBitCount
                                      : ParameterCatalogue::kDataCount;
}

}  // namespace

std::optional<int> ParameterFile::lineIndex(std::string_view line, ParameterKind kind) {
    if (kind == ParameterKind::Empty) return std::nullopt;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab == 0 || tab > kMaxIndexDigits) return std::nullopt;
    int index = 0;
    for (char c : line.substr(0, tab)) {
        if (!isDigit(c)) return std::nullopt;
        index = index * 10 + (c - '0');
    }
    if (static_cast<std::size_t>(index) >= limitOf(kind)) return std::nullopt;
    const std::string_view value = line.substr(tab + 1);
    const bool valid = kind == ParameterKind::Bit ? validBitValue(value) : validDataValue(value);
    if (!valid) return std::nullopt;
    return index;
}

std::string_view ParameterFile::lineValue(std::string_view line) {
    const std::size_t tab = line.find('\t');
    return tab == std::string_view::npos ? std::string_view{} : line.substr(tab + 1);
}

std::string ParameterFile::formatLine(int index, std::string_view value) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d\t", index);
    return std::string(number) + std::string(value);
}

std::optional<std::vector<std::string>> ParameterFile::read(std::string_view bytes,
                                                            ParameterKind kind) {
    if (kind == ParameterKind::Empty || bytes.substr(0, kHeader.size()) != kHeader)
        return std::nullopt;
    std::vector<std::string> lines(limitOf(kind));
    bytes.remove_prefix(kHeader.size());
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (const auto index = lineIndex(line, kind))
            lines[static_cast<std::size_t>(*index)] = std::string(line);
    }
    return lines;
}

std::string ParameterFile::write(const std::vector<std::string>& lines, std::size_t count) {
    std::string bytes(kHeader);
    for (std::size_t i = 0; i < lines.size() && i < count; ++i) {
        if (lines[i].empty()) continue;
        bytes += lines[i];
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace kelcc::core::cnc_data
