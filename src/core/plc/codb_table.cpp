#include "plc/codb_table.h"

#include <algorithm>
#include <cstdio>

#include "plc/address_check.h"
#include "plc/plc_address.h"

namespace kelcc::core::plc {
namespace {

constexpr std::string_view kPlaceholder = "%1!d!";
constexpr std::size_t kMaxDigits = 10;

std::optional<std::uint64_t> EntryValue(std::string_view text) noexcept {
    if (text.size() > kMaxDigits) return std::nullopt;
    return DecimalValue(text);
}

}  // namespace

std::uint64_t CodbTableMax(int length1Bytes) noexcept {
    const std::uint64_t limit = ConstantLimit(length1Bytes);
    return limit == 0 ? 0 : limit - 1;
}

std::string CodbTableLine(std::size_t index, std::string_view value) {
    char number[24];
    std::snprintf(number, sizeof number, "%03zu", index);
    return std::string(number) + "  " + std::string(value);
}

std::string WithNumber(std::string_view message, std::uint64_t number) {
    std::string text(message);
    const std::size_t at = text.find(kPlaceholder);
    if (at != std::string::npos) text.replace(at, kPlaceholder.size(), std::to_string(number));
    return text;
}

std::vector<std::string> CodbFreshTable(int length2) {
    const int bits = std::clamp(length2, 1, 8);
    return std::vector<std::string>(std::size_t{1} << bits, "0");
}

std::optional<std::string> CodbEditEntry(std::string& entry, std::string_view typed,
                                         int length1Bytes) {
    const auto value = EntryValue(typed);
    if (!value) {
        entry = "0";
        return std::string(kCodbTooLongMessage);
    }
    const std::uint64_t max = CodbTableMax(length1Bytes);
    if (*value > max) {
        entry = "0";
        return WithNumber(kCodbMaxMessage, max);
    }
    entry = std::to_string(*value);
    return std::nullopt;
}

void CodbLowerToMax(std::vector<std::string>& entries, int length1Bytes) {
    const std::uint64_t max = CodbTableMax(length1Bytes);
    for (std::string& entry : entries) {
        const auto value = EntryValue(entry);
        if (value && *value > max) entry = std::to_string(max);
    }
}

bool CodbEntryValid(std::string_view entry, int length1Bytes) noexcept {
    const auto value = EntryValue(entry);
    return value && *value <= CodbTableMax(length1Bytes);
}

}  // namespace kelcc::core::plc
