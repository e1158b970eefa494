#include "cnc_data/parameter_catalogue.h"

#include <cstdio>

#include "cnc_data/bit_parameter_texts.h"
#include "cnc_data/data_parameter_texts.h"
#include "cnc_data/value_rules.h"

namespace kelcc::core::cnc_data {
namespace {

constexpr ValueConstraint kBitRule{ValueKind::BitString, 8, 255, 0};
constexpr std::int32_t kDwordFrom = 65535;

}  // namespace

ParameterSlot ParameterCatalogue::slot(int number) noexcept {
    if (number >= 1 && number <= 14) return {ParameterKind::Bit, number - 1};
    if (number >= kFirstDataNumber && number < kFirstDataNumber + kDataCount)
        return {ParameterKind::Data, number - kFirstDataNumber};
    if (number == 164) return {ParameterKind::Bit, 14};
    if (number == 168) return {ParameterKind::Bit, 15};
    if (number >= 172 && number <= 185) return {ParameterKind::Bit, number - 156};
    return {};
}

int ParameterCatalogue::bitNumber(int bitIndex) noexcept {
    if (bitIndex < 0 || bitIndex >= kBitCount) return 0;
    if (bitIndex <= 13) return bitIndex + 1;
    if (bitIndex == 14) return 164;
    if (bitIndex == 15) return 168;
    return 156 + bitIndex;
}

int ParameterCatalogue::dataNumber(int dataIndex) noexcept {
    if (dataIndex < 0 || dataIndex >= kDataCount) return 0;
    return kFirstDataNumber + dataIndex;
}

std::optional<ValueConstraint> ParameterCatalogue::constraint(int number) noexcept {
    const ParameterSlot where = slot(number);
    if (where.kind == ParameterKind::Bit) return kBitRule;
    if (where.kind == ParameterKind::Data) return ValueRules::forNumber(number);
    return std::nullopt;
}

std::string ParameterCatalogue::typeText(int number) {
    const auto rule = constraint(number);
    if (!rule) return {};
    if (rule->kind == ValueKind::BitString) return "BIT";
    if (rule->kind == ValueKind::Signed) return "LONG";
    return rule->maximum < kDwordFrom ? "WORD" : "DWORD";
}

std::string ParameterCatalogue::rangeText(int number) {
    const auto rule = constraint(number);
    if (!rule || rule->kind == ValueKind::BitString) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%ld , %ld", static_cast<long>(rule->minimum),
                  static_cast<long>(rule->maximum));
    return text;
}

std::string_view ParameterCatalogue::description(int number, common::Language language) noexcept {
    const ParameterSlot where = slot(number);
    if (where.kind == ParameterKind::Bit)
        return BitParameterTexts::mnemonics(where.index, language);
    if (where.kind == ParameterKind::Data) return DataParameterTexts::description(number, language);
    return {};
}

std::string_view ParameterCatalogue::defaultValue(int number) noexcept {
    switch (slot(number).kind) {
        case ParameterKind::Bit:
            return "00000000";
        case ParameterKind::Data:
            return "0";
        case ParameterKind::Empty:
            break;
    }
    return {};
}

}  // namespace kelcc::core::cnc_data
