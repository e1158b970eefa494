#include "pitch_compensation_table.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "cnc_data/cell_rules.h"

namespace kelcc::core::cnc_data {
namespace {

using Column = PitchCompensationTable::Column;

std::size_t at(Column column) noexcept {
    return static_cast<std::size_t>(column);
}

std::array<std::string, PitchCompensationTable::kColumns> initialRow() {
    return {CellRules::kIntegerInitial, CellRules::kIntegerInitial};
}

}  // namespace

PitchCompensationTable::PitchCompensationTable(PitchCompensationDocument& doc) : m_doc(doc) {
    m_cells.fill(initialRow());
}

std::string PitchCompensationTable::rowLabel(std::size_t index) {
    char label[32];
    std::snprintf(label, sizeof label, "%03zu", index + 1);
    return label;
}

bool PitchCompensationTable::acceptsInput(std::string_view text) noexcept {
    return CellRules::isSignedInput(text);
}

const std::string& PitchCompensationTable::cell(std::size_t index, Column column) const {
    return m_cells.at(index).at(at(column));
}

bool PitchCompensationTable::show(common::Interaction& interaction) {
    m_cells.fill(initialRow());
    for (std::size_t index = 0; index < PitchCompensationDocument::kEntries; ++index) {
        const std::string& line = m_doc.entry(index);
        if (line.empty()) continue;
        const auto fields = CncTableDocument::fields(line);
        if (fields.size() < 4) {
            interaction.inform(kUnknownFormatText, common::kMessageCaption,
                               common::MessageIcon::None);
            return false;
        }
        m_cells[index] = {std::string(fields[1]), std::string(fields[3])};
    }
    std::vector<std::string> lines;
    lines.reserve(PitchCompensationDocument::kEntries);
    for (std::size_t index = 0; index < PitchCompensationDocument::kEntries; ++index)
        lines.push_back(rowLine(index));
    m_doc.replaceEntries(std::move(lines));
    m_doc.setModified(false);
    return true;
}

bool PitchCompensationTable::editCell(std::size_t index, Column column, std::string_view text) {
    std::string& held = m_cells.at(index).at(at(column));
    const std::optional<std::string> normalised = CellRules::normaliseSigned(text);
    if (!normalised) return false;
    held = *normalised;
    return m_doc.setEntry(index, rowLine(index));
}

std::string PitchCompensationTable::rowLine(std::size_t index) const {
    const auto& row = m_cells[index];
    return PitchCompensationDocument::formatLine(static_cast<int>(index), row[at(Column::X)],
                                                 row[at(Column::Z)]);
}

}  // namespace kelcc::core::cnc_data

namespace kelcc::core::cnc_data {

int PitchCompensationTable::rowCount() const {
    return static_cast<int>(PitchCompensationDocument::kEntries);
}

int PitchCompensationTable::columnCount() const {
    return static_cast<int>(kColumns) + 1;
}

std::string PitchCompensationTable::header(int column) const {
    return column >= 0 && column <= static_cast<int>(kColumns)
               ? kHeaders[static_cast<std::size_t>(column)]
               : "";
}

std::string PitchCompensationTable::text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    if (column == 0) return rowLabel(static_cast<std::size_t>(row));
    return cell(static_cast<std::size_t>(row), static_cast<Column>(column - 1));
}

common::CellEditor PitchCompensationTable::editor(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 1 || column >= columnCount()) return {};
    common::CellEditor value{common::CellEditor::Kind::Text,
                             static_cast<int>(CellRules::kSignedChars)};
    value.number = true;
    return value;
}

bool PitchCompensationTable::acceptsInput(int, int column, std::string_view text) const {
    return column >= 1 && column < columnCount() && acceptsInput(text);
}

common::CommitResult PitchCompensationTable::commit(int row, int column, std::string_view typed,
                                                    Mode) {
    common::CommitResult result;
    if (!editor(row, column).editable() || !CellRules::normaliseSigned(typed)) {
        result.status = common::CommitResult::Status::Refused;
        result.shown = text(row, column);
        return result;
    }
    const auto index = static_cast<std::size_t>(row);
    const auto col = static_cast<Column>(column - 1);
    editCell(index, col, typed);
    result.shown = cell(index, col);
    if (result.shown != typed) result.status = common::CommitResult::Status::Adjusted;
    return result;
}

void PitchCompensationTable::refresh() {
    m_cells.fill(initialRow());
    for (std::size_t index = 0; index < PitchCompensationDocument::kEntries; ++index) {
        const auto fields = CncTableDocument::fields(m_doc.entry(index));
        if (fields.size() >= 4) m_cells[index] = {std::string(fields[1]), std::string(fields[3])};
    }
}

}  // namespace kelcc::core::cnc_data
