#include "cnc_data/numeric_entry.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kelcc::core::cnc_data {
namespace {

constexpr std::array<std::int32_t, 7> kBaudRates = {2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr std::int32_t kMaxThreadAngle = 80;

std::int32_t threadAngle(std::int64_t value) {
    if (value <= 0) return 0;
    if (value >= kMaxThreadAngle) return kMaxThreadAngle;
    // Only 0, 29, 30, 55, 60 and 80 degrees are thread angles.
    if (value <= 28) return 0;
    if (value == 29) return 29;
    if (value <= 54) return 30;
    if (value <= 59) return 55;
    return 60;
}

}  // namespace

bool NumericEntry::accepts(char key, std::string_view text, bool wholeTextSelected) const noexcept {
    if (key == kBackspace) return true;
    const std::size_t lengthAfter = wholeTextSelected ? 1 : text.size() + 1;
    if (lengthAfter > static_cast<std::size_t>(std::max(m_rule.digits, 0))) return false;
    if (key >= '0' && key <= '9') return true;
    if (key != '-') return false;
    // A row whose range goes below zero takes a sign even when its kind says
    // unsigned; otherwise its lower values could never be entered.
    const bool mayBeNegative = m_rule.kind == ValueKind::Signed || m_rule.minimum < 0;
    return mayBeNegative && (text.empty() || wholeTextSelected) &&
           text.find('-') == std::string_view::npos;
}

std::int64_t NumericEntry::toNumber(std::string_view text) noexcept {
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    std::int64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        number = std::min(number * 10 + (c - '0'), kLimit);
    }
    return negative ? -number : number;
}

std::int32_t NumericEntry::normaliseValue(std::int64_t value) const noexcept {
    if (m_rule.kind == ValueKind::ThreadAngle) return threadAngle(value);
    const std::int64_t low = std::min(m_rule.minimum, m_rule.maximum);
    const auto clamped =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(value, low, m_rule.maximum));
    if (m_rule.kind != ValueKind::BaudRate) return clamped;
    std::int32_t rate = kBaudRates.front();
    for (std::int32_t candidate : kBaudRates) {
        if (candidate <= clamped) rate = candidate;
    }
    return rate;
}

std::string NumericEntry::normalise(std::string_view text) const {
    if (text.empty()) return {};
    return std::to_string(normaliseValue(toNumber(text)));
}

}  // namespace kelcc::core::cnc_data
