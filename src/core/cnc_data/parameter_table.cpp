#include "cnc_data/parameter_table.h"

#include <cstdio>

#include "cnc_data/bit_value_control.h"
#include "cnc_data/numeric_entry.h"
#include "cnc_data/value_rules.h"

namespace kelcc::core::cnc_data {
namespace {

const std::string kNoValue;

bool validNumber(int number) {
    return number >= ParameterCatalogue::kFirstNumber && number <= ParameterCatalogue::kLastNumber;
}

}  // namespace

ParameterTable::ParameterTable() : m_values(kRows) {
    for (int number = 1; number < kRows; ++number)
        m_values[static_cast<std::size_t>(number)] = ParameterCatalogue::defaultValue(number);
}

void ParameterTable::load(const ParameterDocument& document) {
    for (int number = 1; number < kRows; ++number) {
        const ParameterSlot slot = ParameterCatalogue::slot(number);
        if (slot.kind != ParameterKind::Empty)
            m_values[static_cast<std::size_t>(number)] = document.value(slot.kind, slot.index);
    }
}

const std::string& ParameterTable::value(int number) const {
    return validNumber(number) ? m_values[static_cast<std::size_t>(number)] : kNoValue;
}

bool ParameterTable::editable(int number) const noexcept {
    const ParameterSlot slot = ParameterCatalogue::slot(number);
    if (slot.kind == ParameterKind::Bit) return true;
    return slot.kind == ParameterKind::Data && slot.index < ParameterCatalogue::kDataWithRules;
}

std::string ParameterTable::cellText(int row, int column, common::Language language) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return {};
    if (row == 0) {
        const ColumnHeader& header = kHeaders[static_cast<std::size_t>(column)];
        return std::string(language == common::Language::Chinese ? header.textZh : header.textEn);
    }
    switch (column) {
        case kNumberColumn: {
            char text[8];
            std::snprintf(text, sizeof text, "%04d", row);
            return text;
        }
        case kValueColumn:
            return value(row);
        case kTypeColumn:
            return ParameterCatalogue::typeText(row);
        case kRangeColumn:
            return ParameterCatalogue::rangeText(row);
        default:
            return std::string(ParameterCatalogue::description(row, language));
    }
}

bool ParameterTable::setValue(int number, std::string_view text) {
    if (!editable(number)) return false;
    std::string stored;
    if (!text.empty()) {
        if (ParameterCatalogue::slot(number).kind == ParameterKind::Bit) {
            if (!BitValueControl::parse(text)) return false;
            stored = BitValueControl::padText(text);
        } else {
            for (std::size_t i = 0; i < text.size(); ++i) {
                const bool sign = i == 0 && text[i] == '-';
                if (!sign && (text[i] < '0' || text[i] > '9')) return false;
            }
            stored = NumericEntry(*ValueRules::forNumber(number)).normalise(text);
        }
    }
    std::string& cell = m_values[static_cast<std::size_t>(number)];
    if (cell == stored) return false;
    cell = std::move(stored);
    return true;
}

bool ParameterTable::collect(ParameterDocument& document) const {
    std::vector<std::string> bits(ParameterCatalogue::kBitCount);
    std::vector<std::string> data(ParameterCatalogue::kDataCount);
    for (int i = 0; i < ParameterCatalogue::kBitCount; ++i)
        bits[static_cast<std::size_t>(i)] = value(ParameterCatalogue::bitNumber(i));
    for (int i = 0; i < ParameterCatalogue::kDataCount; ++i)
        data[static_cast<std::size_t>(i)] = value(ParameterCatalogue::dataNumber(i));
    return document.collect(bits, data);
}

int ParameterTable::bitOf(int number, int bit) const {
    if (ParameterCatalogue::slot(number).kind != ParameterKind::Bit || bit < 0 || bit > 7) return 0;
    const auto byte = BitValueControl::parse(value(number));
    return byte ? (*byte >> bit) & 1 : 0;
}

bool ParameterTable::setBit(int number, int bit, bool on) {
    if (ParameterCatalogue::slot(number).kind != ParameterKind::Bit || bit < 0 || bit > 7)
        return false;
    const std::uint8_t byte = BitValueControl::parse(value(number)).value_or(0);
    const unsigned mask = 1u << bit;
    const auto updated = static_cast<std::uint8_t>(on ? (byte | mask) : (byte & ~mask));
    return setValue(number, BitValueControl::format(updated));
}

std::string ParameterTable::itemText(const GroupItem& item, common::Language language) const {
    if (item.isSwitch()) return std::string(item.option(bitOf(item.number, item.bit), language));
    return value(item.number);
}

}  // namespace kelcc::core::cnc_data
