#include "row_layout.h"

#include <algorithm>

#include "plc/instruction_code.h"

namespace kelcc::core::ladder_editor {

using plc::InstructionCode;
using plc::LadderGrid;

RowLayout::RowLayout() : m_units(kRows + 1, 1), m_tree(kRows + 1, 0) {
    m_units[0] = 0;
    while (m_highBit * 2 <= kRows)
        m_highBit *= 2;
    // Linear Fenwick construction: each node passes its sum to its parent.
    for (int i = 1; i <= kRows; ++i) {
        m_tree[static_cast<std::size_t>(i)] += m_units[static_cast<std::size_t>(i)];
        const int parent = i + (i & -i);
        if (parent <= kRows)
            m_tree[static_cast<std::size_t>(parent)] += m_tree[static_cast<std::size_t>(i)];
    }
}

RowLayout::RowLayout(const LadderGrid& grid) : RowLayout() {
    rebuild(grid);
}

int RowLayout::unitsOfKind(int kind) noexcept {
    switch (static_cast<InstructionCode>(kind)) {
        case InstructionCode::SET:
        case InstructionCode::RST:
        case InstructionCode::JMPB:
        case InstructionCode::LBL:
        case InstructionCode::CALL:
        case InstructionCode::SP:
        case InstructionCode::SPE:
        case InstructionCode::END1:
        case InstructionCode::END2:
        case InstructionCode::DIFU:
        case InstructionCode::DIFD:
        case InstructionCode::ALT:
            return 2;
        case InstructionCode::MOVN:
        case InstructionCode::CODB:
        case InstructionCode::PARI:
        case InstructionCode::MOVE:
            return 3;
        case InstructionCode::CMP:
        case InstructionCode::TMRB:
        case InstructionCode::CTRC:
        case InstructionCode::DECB:
        case InstructionCode::ADDB:
        case InstructionCode::SUBB:
            return 4;
        case InstructionCode::ROTB:
            return 5;
        default:
            return 1;
    }
}

int RowLayout::unitsOfRow(const LadderGrid& grid, int row) noexcept {
    int units = 1;
    for (int column = 1; column <= LadderGrid::kColumns; ++column) {
        const plc::LadderCell* cell = grid.cell(row, column);
        if (cell && cell->element) units = std::max(units, unitsOfKind(cell->kind));
    }
    return units;
}

void RowLayout::rebuild(const LadderGrid& grid) {
    std::fill(m_tree.begin(), m_tree.end(), 0);
    for (int i = 1; i <= kRows; ++i) {
        const int units = unitsOfRow(grid, i);
        m_units[static_cast<std::size_t>(i)] = units;
        m_tree[static_cast<std::size_t>(i)] += units;
        const int parent = i + (i & -i);
        if (parent <= kRows)
            m_tree[static_cast<std::size_t>(parent)] += m_tree[static_cast<std::size_t>(i)];
    }
}

bool RowLayout::update(const LadderGrid& grid, int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, kRows);
    bool changed = false;
    for (int row = first; row <= last; ++row) {
        const int units = unitsOfRow(grid, row);
        const int old = m_units[static_cast<std::size_t>(row)];
        if (units == old) continue;
        m_units[static_cast<std::size_t>(row)] = units;
        add(row, units - old);
        changed = true;
    }
    return changed;
}

void RowLayout::add(int row, int delta) noexcept {
    for (int i = row; i <= kRows; i += i & -i)
        m_tree[static_cast<std::size_t>(i)] += delta;
}

int RowLayout::units(int row) const noexcept {
    if (row < 1 || row > kRows) return 0;
    return m_units[static_cast<std::size_t>(row)];
}

int RowLayout::top(int row) const noexcept {
    int sum = 0;
    for (int i = std::min(row - 1, kRows); i > 0; i -= i & -i)
        sum += m_tree[static_cast<std::size_t>(i)];
    return sum;
}

int RowLayout::rowAt(int y) const noexcept {
    if (y < 0) return 1;
    // Fenwick descent: the largest prefix of rows whose total stays <= y;
    // the row after it covers y.
    int position = 0;
    int remaining = y;
    for (int step = m_highBit; step > 0; step /= 2) {
        const int next = position + step;
        if (next <= kRows && m_tree[static_cast<std::size_t>(next)] <= remaining) {
            position = next;
            remaining -= m_tree[static_cast<std::size_t>(next)];
        }
    }
    return std::min(position + 1, kRows);
}

int RowLayout::scrollTopFor(int row) const noexcept {
    if (row <= 1) return 0;
    return std::max(0, top(row) - 1);
}

}  // namespace kelcc::core::ladder_editor
