#include "cnc_data/parameter_table_model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "cnc_data/bit_value_control.h"
#include "cnc_data/numeric_entry.h"

namespace kelcc::core::cnc_data {

namespace {

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

bool contains(std::string_view text, const std::string& loweredNeedle) {
    return lowered(text).find(loweredNeedle) != std::string::npos;
}

}  // namespace

ParameterTableModel::ParameterTableModel(ParameterDocument& doc, common::Language language)
    : m_doc(doc), m_language(language) {
    m_table.load(m_doc);
    setFilter({});
}

bool ParameterTableModel::matches(int number, std::string_view filter) {
    if (filter.empty()) return true;
    const std::string needle = lowered(filter);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", number);
    if (contains(digits, needle)) return true;
    if (ParameterCatalogue::slot(number).kind == ParameterKind::Empty) return false;
    return contains(ParameterCatalogue::description(number, common::Language::Chinese), needle) ||
           contains(ParameterCatalogue::description(number, common::Language::English), needle) ||
           contains(ParameterCatalogue::rangeText(number), needle);
}

void ParameterTableModel::setFilter(std::string filter) {
    m_filter = std::move(filter);
    m_numbers.clear();
    for (int number = ParameterCatalogue::kFirstNumber; number <= ParameterCatalogue::kLastNumber;
         ++number)
        if (matches(number, m_filter)) m_numbers.push_back(number);
}

int ParameterTableModel::numberAt(int row) const {
    return row >= 0 && row < rowCount() ? m_numbers[static_cast<std::size_t>(row)] : 0;
}

int ParameterTableModel::rowOfNumber(int number) const {
    const auto at = std::lower_bound(m_numbers.begin(), m_numbers.end(), number);
    return at != m_numbers.end() && *at == number ? static_cast<int>(at - m_numbers.begin()) : -1;
}

bool ParameterTableModel::differsFromDefault(int number) const {
    if (ParameterCatalogue::slot(number).kind == ParameterKind::Empty) return false;
    const std::string& value = m_table.value(number);
    return !value.empty() && value != ParameterCatalogue::defaultValue(number);
}

bool ParameterTableModel::setValue(int number, std::string_view text) {
    if (!m_table.setValue(number, text)) return false;
    return m_table.collect(m_doc);
}

bool ParameterTableModel::setBit(int number, int bit, bool on) {
    if (!m_table.setBit(number, bit, on)) return false;
    return m_table.collect(m_doc);
}

int ParameterTableModel::rowCount() const {
    return static_cast<int>(m_numbers.size());
}

int ParameterTableModel::columnCount() const {
    return ParameterTable::kColumns;
}

std::string ParameterTableModel::header(int column) const {
    if (column < 0 || column >= ParameterTable::kColumns) return {};
    const auto& header = ParameterTable::kHeaders[static_cast<std::size_t>(column)];
    return std::string(m_language == common::Language::Chinese ? header.textZh : header.textEn);
}

std::string ParameterTableModel::text(int row, int column) const {
    const int number = numberAt(row);
    return number ? m_table.cellText(number, column, m_language) : std::string();
}

common::CellEditor ParameterTableModel::editor(int row, int column) const {
    const int number = numberAt(row);
    if (column != ParameterTable::kValueColumn || !m_table.editable(number)) return {};
    const auto rule = ParameterCatalogue::constraint(number);
    return {common::CellEditor::Kind::Text, rule ? rule->digits : 0};
}

bool ParameterTableModel::acceptsValueInput(int number, std::string_view text) {
    const ParameterSlot slot = ParameterCatalogue::slot(number);
    if (slot.kind == ParameterKind::Bit)
        return text.size() <= static_cast<std::size_t>(BitValueControl::kBits) &&
               std::all_of(text.begin(), text.end(), BitValueControl::acceptsTextKey);
    const auto rule = ParameterCatalogue::constraint(number);
    if (slot.kind != ParameterKind::Data || !rule) return false;
    // The field's key rule, replayed over the text as if typed.
    const NumericEntry entry(*rule);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!entry.accepts(text[i], text.substr(0, i), false)) return false;
    return true;
}

bool ParameterTableModel::acceptsInput(int row, int column, std::string_view text) const {
    return editor(row, column).editable() && acceptsValueInput(numberAt(row), text);
}

common::CommitResult ParameterTableModel::commit(int row, int column, std::string_view typed,
                                                 Mode) {
    common::CommitResult result;
    const int number = numberAt(row);
    // A pasted text the field could not have been typed with is refused
    // whole; what it could is normalised as on leaving the field.
    if (!editor(row, column).editable() || !acceptsValueInput(number, typed)) {
        result.status = common::CommitResult::Status::Refused;
        result.shown = text(row, column);
        return result;
    }
    setValue(number, typed);
    result.shown = m_table.value(number);
    if (result.shown != typed) result.status = common::CommitResult::Status::Adjusted;
    return result;
}

bool ParameterTableModel::marked(int row, int column) const {
    return column == ParameterTable::kValueColumn && differsFromDefault(numberAt(row));
}

int ParameterTableModel::rowOf(std::string_view key) const {
    const auto number = NumericEntry::toNumber(key);
    return rowOfNumber(static_cast<int>(number));
}

void ParameterTableModel::refresh() {
    m_table.load(m_doc);
}

}  // namespace kelcc::core::cnc_data
