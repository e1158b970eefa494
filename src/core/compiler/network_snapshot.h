#pragma once

#include <array>
#include <optional>

#include "compiler/ladder_cell.h"

namespace kelcc::core::compiler {

class LadderGrid;

// A copy of the cells of one network (at most 15 rows of columns 0-8), kept
// by the ladder editor. It owns its cells and does not follow later edits.
class NetworkSnapshot final {
public:
    static constexpr int kRows = 15;
    static constexpr int kColumns = 9;  // columns 0-8, like the grid

    NetworkSnapshot() = default;

    // Copies rows firstRow..firstRow+kRows-1 (or up to lastRow when smaller).
    static NetworkSnapshot capture(const LadderGrid& grid, int firstRow, int lastRow);

    int firstRow() const noexcept { return m_firstRow; }
    int rowCount() const noexcept { return m_rowCount; }
    // index: 0..kRows-1 from the first row; column: 0..8. nullptr when empty.
    const LadderCell* cell(int index, int column) const noexcept;

    bool operator==(const NetworkSnapshot&) const = default;

private:
    int m_firstRow = 0;
    int m_rowCount = 0;
    std::array<std::array<std::optional<LadderCell>, kColumns>, kRows> m_cells{};
};

}  // namespace kelcc::core::compiler
