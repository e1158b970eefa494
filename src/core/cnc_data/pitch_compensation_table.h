#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "cnc_data/pitch_compensation_document.h"
#include "common/interaction.h"
#include "common/table_model.h"

namespace kelcc::core::cnc_data {

// The cells of the pitch compensation view: one row per point with the X
// and Z corrections. Rows are labelled 001-256 while the point index is
// 0-255.
class PitchCompensationTable final : public common::TableModel {
public:
    enum class Column { X, Z };
    static constexpr std::size_t kColumns = 2;
    static constexpr std::array<const char*, kColumns + 1> kHeaders{"序号", "X", "Z"};
    static constexpr int kColumnWidth = 120;
    static constexpr const char* kUnknownFormatText = "未知的文件数据格式";

    explicit PitchCompensationTable(PitchCompensationDocument& doc);

    // "%03d" of index + 1, 001-256.
    static std::string rowLabel(std::size_t index);
    static bool acceptsInput(std::string_view text) noexcept;

    const std::string& cell(std::size_t index, Column column) const;

    // As ToolOffsetTable::show: an entry with fewer than three tabs shows
    // "未知的文件数据格式" once and stops with the document untouched;
    // otherwise all rows are written back and the document is not modified.
    bool show(common::Interaction& interaction);

    // A value cell was left: the value is clamped to -255..255 and the row
    // collected; returns whether the document changed.
    bool editCell(std::size_t index, Column column, std::string_view text);

    // The grid: column 0 is the row label, then one column per value.
    int rowCount() const override;
    int columnCount() const override;
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    common::CellEditor editor(int row, int column) const override;
    common::CommitResult commit(int row, int column, std::string_view text, Mode mode) override;
    bool acceptsInput(int row, int column, std::string_view text) const override;
    // Rereads the cells from the document (undo, another window): its lines
    // are those show() wrote, so nothing is reported.
    void refresh() override;

private:
    std::string rowLine(std::size_t index) const;

    PitchCompensationDocument& m_doc;
    std::array<std::array<std::string, kColumns>, PitchCompensationDocument::kEntries> m_cells;
};

}  // namespace kelcc::core::cnc_data
