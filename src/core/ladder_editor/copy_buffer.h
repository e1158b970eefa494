#pragma once

#include <string>
#include <vector>

#include "ladder_editor/cell_range.h"
#include "plc/ladder_grid.h"

namespace kelcc::core::ladder_editor {

// One copied cell, placed by its offset from the first cell of the range.
struct CopiedCell {
    int rowOffset = 0;
    int columnOffset = 0;
    int kind = 0;  // 15 for a cell that holds only a vertical link
    bool element = false;
    bool verticalLink = false;
    std::string text;  // GBK bytes, as in the grid

    bool operator==(const CopiedCell&) const = default;
};

// The ladder clipboard. There is one per application: the workbench owns
// it and hands the same object to every ladder window, so cells copied in
// one project can be pasted into another and survive closing the window.
class CopyBuffer final {
public:
    // Replaces the contents with the range (clipped to the grid) and a
    // copy of every non-empty cell in it.
    void copy(const plc::LadderGrid& grid, const CellRange& range);
    void clear();

    // Nothing copied yet (or cleared): paste does nothing.
    bool empty() const noexcept { return !m_hasRange; }
    const CellRange& range() const noexcept { return m_range; }
    // Row by row, columns ascending.
    const std::vector<CopiedCell>& cells() const noexcept { return m_cells; }

    // A buffer of one cell is pasted by the single-cell rules.
    bool singleCell() const noexcept { return m_hasRange && m_range.single(); }

private:
    bool m_hasRange = false;
    CellRange m_range;
    std::vector<CopiedCell> m_cells;
};

}  // namespace kelcc::core::ladder_editor
