#include "network_snapshot.h"

#include <algorithm>

#include "compiler/ladder_grid.h"

namespace kelcc::core::compiler {

NetworkSnapshot NetworkSnapshot::capture(const LadderGrid& grid, int firstRow, int lastRow) {
    NetworkSnapshot snapshot;
    if (firstRow < 1 || firstRow > LadderGrid::kRows || lastRow < firstRow) return snapshot;
    lastRow = std::min({lastRow, firstRow + kRows - 1, LadderGrid::kRows});
    snapshot.m_firstRow = firstRow;
    snapshot.m_rowCount = lastRow - firstRow + 1;
    for (int i = 0; i < snapshot.m_rowCount; ++i) {
        for (int c = 1; c < kColumns; ++c) {
            if (const LadderCell* cell = grid.cell(firstRow + i, c))
                snapshot.m_cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)] = *cell;
        }
    }
    return snapshot;
}

const LadderCell* NetworkSnapshot::cell(int index, int column) const noexcept {
    if (index < 0 || index >= m_rowCount || column < 0 || column >= kColumns) return nullptr;
    const auto& slot = m_cells[static_cast<std::size_t>(index)][static_cast<std::size_t>(column)];
    return slot ? &*slot : nullptr;
}

}  // namespace kelcc::core::compiler
