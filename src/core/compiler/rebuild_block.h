#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "plc/ladder_cell.h"

namespace kelcc::core::compiler {

// Scratch grid of the ladder rebuild: one part of a network while it is
// drawn from the IL. Rows 1-14 and columns 1-8 are used; places outside
// them read as empty and writes there are ignored.
class RebuildBlock final {
public:
    static constexpr int kRows = 14;
    static constexpr int kColumns = 8;

    // Empties the block and sets its extent to {0, 0}.
    void clear();

    const plc::LadderCell* cell(int row, int column) const noexcept;
    // Places an element; a link already at the place keeps its flag.
    void setElement(int row, int column, int kind, std::string text);
    void setLine(int row, int column);
    // Sets the link flag, creating an element-less cell on an empty place.
    void setLink(int row, int column);
    // Moves every cell of other here, shifted by the offsets; other ends up
    // empty. A moved cell replaces what it lands on but keeps the link flag
    // found there (left by an earlier OR or ORB).
    void moveFrom(RebuildBlock& other, int rowOffset, int columnOffset);

    // The rows below hold no cell: a drawn block is mostly empty, and the
    // rebuild clears, moves and copies blocks for every network.
    int usedRows() const noexcept { return m_usedRows; }

    int rows = 0;
    int width = 0;

private:
    static bool inBlock(int row, int column) noexcept {
        return row >= 1 && row <= kRows && column >= 1 && column <= kColumns;
    }
    std::optional<plc::LadderCell>& at(int row, int column) {
        return m_cells[static_cast<std::size_t>(row * (kColumns + 1) + column)];
    }
    // A place about to be written.
    std::optional<plc::LadderCell>& use(int row, int column) {
        m_usedRows = std::max(m_usedRows, row);
        return at(row, column);
    }

    std::array<std::optional<plc::LadderCell>, (kRows + 1) * (kColumns + 1)> m_cells;
    int m_usedRows = 0;
};

}  // namespace kelcc::core::compiler
