#pragma once

#include <vector>

#include "plc/ladder_grid.h"

namespace kelcc::core::ladder_editor {

// Heights of the ladder rows in units of one contact row and their
// vertical positions, for a view that paints only the visible rows.
// Positions are prefix sums kept in a Fenwick tree: a height change, the
// top of a row and the row at a position each cost O(log rows).
class RowLayout final {
public:
    static constexpr int kRows = plc::LadderGrid::kRows;

    // Every row one unit high (an empty grid).
    RowLayout();
    explicit RowLayout(const plc::LadderGrid& grid);

    // Height of an element of the kind: 1 for contacts, coils and links;
    // 2, 3, 4 or 5 for the function boxes.
    static int unitsOfKind(int kind) noexcept;
    // The tallest element of the row; 1 for an empty row.
    static int unitsOfRow(const plc::LadderGrid& grid, int row) noexcept;

    void rebuild(const plc::LadderGrid& grid);
    // Cells of rows first..last changed (after rows moved, pass the last
    // row as `last`). Returns whether any height changed.
    bool update(const plc::LadderGrid& grid, int first, int last);

    // Rows outside 1..kRows have height 0.
    int units(int row) const noexcept;
    // Units above the row: the sum of the heights of rows 1..row-1.
    int top(int row) const noexcept;
    int bottom(int row) const noexcept { return top(row) + units(row); }
    // The row that covers the position (units from the top of row 1):
    // 1 for positions above, kRows for positions below the last row.
    int rowAt(int y) const noexcept;
    // Where a view scrolls to show a row: one unit above its top, the top
    // of the ladder for the first row.
    int scrollTopFor(int row) const noexcept;

private:
    void add(int row, int delta) noexcept;

    std::vector<int> m_units;  // index = row
    std::vector<int> m_tree;   // Fenwick tree over m_units
    int m_highBit = 1;         // highest power of two <= kRows
};

}  // namespace kelcc::core::ladder_editor
