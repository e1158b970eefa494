#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plc/ladder_cell.h"
#include "plc/network.h"

namespace kelcc::core::plc {

// The ladder diagram: rows 1..kRows, columns 1..kColumns. Row 0 and column 0
// exist only so that ladder coordinates index the grid directly.
class LadderGrid final {
public:
    static constexpr int kRows = 5000;
    static constexpr int kColumns = 8;
    static constexpr int kMaxCompiledNetworkRows = 15;
    static constexpr int kMaxDrawnNetworkRows = 14;

    LadderGrid() noexcept = default;
    // Copies are deep: every cell object is duplicated.
    LadderGrid(const LadderGrid& other);
    LadderGrid& operator=(const LadderGrid& other);
    // A moved-from grid reads as empty and can be filled again.
    LadderGrid(LadderGrid&& other) noexcept = default;
    LadderGrid& operator=(LadderGrid&& other) noexcept;

    static bool inRange(int row, int column) noexcept {
        return row >= 1 && row <= kRows && column >= 1 && column <= kColumns;
    }

    // nullptr for an empty place or coordinates outside the grid.
    const LadderCell* cell(int row, int column) const noexcept;

    // Places an element (kind != 15). A bare link at the place keeps its flag.
    // Returns whether the grid changed.
    bool setElement(int row, int column, int kind, std::string text);
    // Sets the vertical-link flag; ignored in column 1 and in row kRows.
    bool setVerticalLink(int row, int column);
    // The rebuild from the instruction list may leave link flags in column 1
    // (the binary image counts them); only row kRows is refused here.
    bool placeVerticalLink(int row, int column);
    // Kind 15 means setVerticalLink, any other kind setElement.
    bool setCell(int row, int column, int kind, std::string text);
    // Removes the element; a cell with a vertical link stays as a bare link.
    bool deleteCell(int row, int column);
    // Removes the vertical-link flag (an editing operation); a bare link cell
    // disappears.
    bool clearVerticalLink(int row, int column);

    // Puts the place back exactly as given (nullptr: empty), whatever the
    // editing rules say; undo uses it to restore a recorded state.
    void putCell(int row, int column, const LadderCell* cell);
    std::uint8_t mark(int row, int column) const noexcept;
    void setMark(int row, int column, std::uint8_t mark);

    // Highest row holding any cell in columns 1-8; 0 when the grid is empty.
    int lastUsedRow() const noexcept;
    // True when every cell of the row is empty or a bare vertical link.
    bool rowIsEmpty(int row) const noexcept;

    // Moves rows >= first down by count; rows pushed past kRows are lost.
    // Returns whether any cell moved or was lost.
    bool insertRows(int first, int count);
    // Removes rows first..first+count-1; rows below move up. Returns whether
    // any cell was removed or moved.
    bool deleteRows(int first, int count);
    // Removes every row r (1..kRows) with remove[r] set in one pass; the
    // remaining rows move up in order. remove is indexed by row.
    void removeRows(const std::vector<bool>& remove);
    void clear();

    // The compiler's division: starts at rows with an element, continues
    // through vertical links in columns 2-8.
    std::vector<Network> divideNetworks() const;
    // The binary image's division: links in columns 1-8 count, and the first
    // network starts at row 1, leading empty rows included.
    std::vector<Network> divideNetworksForImage() const;

    bool operator==(const LadderGrid& other) const;

private:
    struct Slot {
        std::uint8_t mark = 0;
        std::unique_ptr<LadderCell> cell;
    };
    using Row = std::array<Slot, kColumns + 1>;

    int storedRows() const noexcept { return static_cast<int>(m_rows.size()); }
    bool stored(int row) const noexcept { return row < storedRows(); }
    void ensureRow(int row) {
        if (!stored(row)) m_rows.resize(static_cast<std::size_t>(row) + 1);
    }
    void renumberCells(int from);

    Slot& slot(int row, int column) { return m_rows[static_cast<std::size_t>(row)][column]; }
    const Slot& slot(int row, int column) const {
        return m_rows[static_cast<std::size_t>(row)][column];
    }

    // Rows 0.. as far as cells were ever placed since the last clear; the
    // rows past its end are empty. Most programs use a few hundred of the
    // 5000 rows, and scans, copies and clears stop at the end.
    std::vector<Row> m_rows;
};

}  // namespace kelcc::core::plc
