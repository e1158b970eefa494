#include "copy_buffer.h"

#include <algorithm>

namespace kelcc::core::ladder_editor {

using plc::LadderGrid;

void CopyBuffer::copy(const LadderGrid& grid, const CellRange& range) {
    CellRange r = range.normalized();
    r.firstRow = std::clamp(r.firstRow, 1, LadderGrid::kRows);
    r.lastRow = std::clamp(r.lastRow, 1, LadderGrid::kRows);
    r.firstColumn = std::clamp(r.firstColumn, 1, LadderGrid::kColumns);
    r.lastColumn = std::clamp(r.lastColumn, 1, LadderGrid::kColumns);

    m_cells.clear();
    m_range = r;
    m_hasRange = true;
    for (int row = r.firstRow; row <= r.lastRow; ++row) {
        for (int column = r.firstColumn; column <= r.lastColumn; ++column) {
            const plc::LadderCell* cell = grid.cell(row, column);
            if (!cell) continue;
            m_cells.push_back({row - r.firstRow, column - r.firstColumn, cell->kind,
                               cell->element != 0, cell->verticalLink != 0, cell->text});
        }
    }
}

void CopyBuffer::clear() {
    m_hasRange = false;
    m_range = {};
    m_cells.clear();
}

}  // namespace kelcc::core::ladder_editor
