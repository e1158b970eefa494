#pragma once

#include <algorithm>

namespace kelcc::core::ladder_editor {

// A place in the ladder: row 1-5000, column 1-8 (the cursor may stand in
// column 9 after a contact was entered in column 8).
struct CellPos {
    int row = 1;
    int column = 1;

    bool operator==(const CellPos&) const = default;
};

// A rectangle of cells, as the view's mouse selection converts to.
struct CellRange {
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;

    int rows() const noexcept { return lastRow - firstRow + 1; }
    int columns() const noexcept { return lastColumn - firstColumn + 1; }
    bool single() const noexcept { return firstRow == lastRow && firstColumn == lastColumn; }

    // First before last in both directions.
    CellRange normalized() const noexcept {
        return {std::min(firstRow, lastRow), std::min(firstColumn, lastColumn),
                std::max(firstRow, lastRow), std::max(firstColumn, lastColumn)};
    }

    bool operator==(const CellRange&) const = default;
};

}  // namespace kelcc::core::ladder_editor
