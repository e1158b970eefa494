#include "tool_offset_table.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "cnc_data/cell_rules.h"

namespace kelcc::core::cnc_data {
namespace {

using Column = ToolOffsetTable::Column;

std::size_t at(Column column) noexcept {
    return static_cast<std::size_t>(column);
}

std::array<std::string, ToolOffsetTable::kColumns> initialRow() {
    return {CellRules::kDecimalInitial, CellRules::kDecimalInitial, CellRules::kDecimalInitial,
            CellRules::kIntegerInitial};
}

}  // namespace

ToolOffsetTable::ToolOffsetTable(ToolOffsetDocument& doc) : m_doc(doc) {
    m_cells.fill(initialRow());
}

std::string ToolOffsetTable::rowLabel(std::size_t index) {
    char label[32];
    std::snprintf(label, sizeof label, "%03zu", index);
    return label;
}

bool ToolOffsetTable::acceptsInput(Column column, std::string_view text) noexcept {
    return column == Column::T ? CellRules::isUnsignedInput(text) : CellRules::isDecimalInput(text);
}

const std::string& ToolOffsetTable::cell(std::size_t index, Column column) const {
    return m_cells.at(index).at(at(column));
}

bool ToolOffsetTable::show(common::Interaction& interaction) {
    m_cells.fill(initialRow());
    for (std::size_t index = 0; index < ToolOffsetDocument::kEntries; ++index) {
        const std::string& line = m_doc.entry(index);
        if (line.empty()) continue;
        const auto fields = CncTableDocument::fields(line);
        // A negative direction is as unknown as one above 9; it would put a
        // minus sign into a one-digit cell.
        const long tip = fields.size() >= 6 ? CellRules::leadingInteger(fields[5]).value_or(0) : 0;
        if (fields.size() < 6 || tip < 0 || tip > CellRules::kUnsignedLimit) {
            interaction.inform(kUnknownFormatText, common::kMessageCaption,
                               common::MessageIcon::None);
            return false;
        }
        m_cells[index] = {std::string(fields[1]), std::string(fields[3]), std::string(fields[4]),
                          std::to_string(tip)};
    }
    std::vector<std::string> lines;
    lines.reserve(ToolOffsetDocument::kEntries);
    for (std::size_t index = 0; index < ToolOffsetDocument::kEntries; ++index)
        lines.push_back(rowLine(index));
    m_doc.replaceEntries(std::move(lines));
    m_doc.setModified(false);
    return true;
}

bool ToolOffsetTable::editCell(std::size_t index, Column column, std::string_view text) {
    std::string& held = m_cells.at(index).at(at(column));
    const std::optional<std::string> normalised = column == Column::T
                                                      ? CellRules::normaliseUnsigned(text)
                                                      : CellRules::normaliseDecimal(text);
    if (!normalised) return false;
    held = *normalised;
    return m_doc.setEntry(index, rowLine(index));
}

std::string ToolOffsetTable::rowLine(std::size_t index) const {
    const auto& row = m_cells[index];
    const long tip = CellRules::leadingInteger(row[at(Column::T)]).value_or(0);
    return ToolOffsetDocument::formatLine(static_cast<int>(index), row[at(Column::X)],
                                          row[at(Column::Z)], row[at(Column::R)],
                                          static_cast<double>(tip));
}

}  // namespace kelcc::core::cnc_data

namespace kelcc::core::cnc_data {

int ToolOffsetTable::rowCount() const {
    return static_cast<int>(ToolOffsetDocument::kEntries);
}

int ToolOffsetTable::columnCount() const {
    return static_cast<int>(kColumns) + 1;
}

std::string ToolOffsetTable::header(int column) const {
    return column >= 0 && column <= static_cast<int>(kColumns)
               ? kHeaders[static_cast<std::size_t>(column)]
               : "";
}

std::string ToolOffsetTable::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    if (column == 0) return rowLabel(static_cast<std::size_t>(row));
    return cell(static_cast<std::size_t>(row), static_cast<Column>(column - 1));
}

common::CellEditor ToolOffsetTable::editor(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 1 || column >= columnCount()) return {};
    if (static_cast<Column>(column - 1) == Column::T)
        return {common::CellEditor::Kind::Number, static_cast<int>(CellRules::kUnsignedChars),
                static_cast<std::uint64_t>(CellRules::kUnsignedLimit)};
    common::CellEditor decimal{common::CellEditor::Kind::Text,
                               static_cast<int>(CellRules::kDecimalChars)};
    decimal.number = true;
    return decimal;
}

bool ToolOffsetTable::acceptsInput(int, int column, std::string_view text) const {
    return column >= 1 && column < columnCount() &&
           acceptsInput(static_cast<Column>(column - 1), text);
}

common::CommitResult ToolOffsetTable::commit(int row, int column, std::string_view typed, Mode) {
    common::CommitResult result;
    const auto col = static_cast<Column>(column - 1);
    const bool valid =
        editor(row, column).editable() && (col == Column::T ? CellRules::normaliseUnsigned(typed)
                                                            : CellRules::normaliseDecimal(typed));
    if (!valid) {
        result.status = common::CommitResult::Status::Refused;
        result.shown = text(row, column);
        return result;
    }
    const auto index = static_cast<std::size_t>(row);
    editCell(index, col, typed);
    result.shown = cell(index, col);
    if (result.shown != typed) result.status = common::CommitResult::Status::Adjusted;
    return result;
}

void ToolOffsetTable::refresh() {
    m_cells.fill(initialRow());
    for (std::size_t index = 0; index < ToolOffsetDocument::kEntries; ++index) {
        const auto fields = CncTableDocument::fields(m_doc.entry(index));
        if (fields.size() < 6) continue;
        const long tip = CellRules::leadingInteger(fields[5]).value_or(0);
        m_cells[index] = {std::string(fields[1]), std::string(fields[3]), std::string(fields[4]),
                          std::to_string(tip)};
    }
}

}  // namespace kelcc::core::cnc_data
