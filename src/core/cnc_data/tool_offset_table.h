#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "cnc_data/tool_offset_document.h"
#include "common/interaction.h"
#include "common/table_model.h"

namespace kelcc::core::cnc_data {

// The cells of the tool offset view: one row per entry with X, Z, R and the
// tip direction T. The grid widget shows these texts and reports each
// finished cell edit through editCell.
class ToolOffsetTable final : public common::TableModel {
public:
    enum class Column { X, Z, R, T };
    static constexpr std::size_t kColumns = 4;
    static constexpr std::array<const char*, kColumns + 1> kHeaders{"序号", "X", "Z", "R", "T"};
    static constexpr int kColumnWidth = 80;
    static constexpr const char* kUnknownFormatText = "未知的文件数据格式";

    explicit ToolOffsetTable(ToolOffsetDocument& doc);

    // "%03d" of the entry index, 000-032.
    static std::string rowLabel(std::size_t index);
    static bool acceptsInput(Column column, std::string_view text) noexcept;

    const std::string& cell(std::size_t index, Column column) const;

    // Fills the cells from the document, every row from its initial texts.
    // An entry with fewer than five tabs or a tip direction outside 0-9
    // shows "未知的文件数据格式" once and stops: rows already filled stay,
    // the document is left untouched. Otherwise every row is written back
    // into the document, which is then not modified; the project's mark is
    // left as it was, since showing is no edit.
    bool show(common::Interaction& interaction);

    // A cell was left with `text`. Text the cell's rule refuses leaves the
    // cell as it was. Otherwise the cell holds the normalised text and the
    // row is collected into the document, which marks itself and the
    // project modified when the line changed. Returns whether it did.
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

    ToolOffsetDocument& m_doc;
    std::array<std::array<std::string, kColumns>, ToolOffsetDocument::kEntries> m_cells;
};

}  // namespace kelcc::core::cnc_data
