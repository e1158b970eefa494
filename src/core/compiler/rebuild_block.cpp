#include "rebuild_block.h"

#include <utility>

#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

using plc::LadderCell;

void RebuildBlock::clear() {
    for (int r = 1; r <= m_usedRows; ++r) {
        for (int col = 1; col <= kColumns; ++col)
            at(r, col).reset();
    }
    m_usedRows = 0;
    rows = 0;
    width = 0;
}

const LadderCell* RebuildBlock::cell(int row, int column) const noexcept {
    if (!inBlock(row, column)) return nullptr;
    const auto& c = m_cells[static_cast<std::size_t>(row * (kColumns + 1) + column)];
    return c ? &*c : nullptr;
}

void RebuildBlock::setElement(int row, int column, int kind, std::string text) {
    if (!inBlock(row, column)) return;
    auto& c = use(row, column);
    if (!c) {
        c.emplace();
        c->row = row;
        c->column = static_cast<std::uint8_t>(column);
    }
    c->element = 1;
    c->kind = kind;
    c->text = std::move(text);
}

void RebuildBlock::setLine(int row, int column) {
    setElement(row, column, plc::kCellKindLine, std::string());
}

void RebuildBlock::setLink(int row, int column) {
    if (!inBlock(row, column)) return;
    auto& c = use(row, column);
    if (!c) {
        c.emplace();
        c->row = row;
        c->column = static_cast<std::uint8_t>(column);
        c->kind = plc::kCellKindVerticalLink;
    }
    c->verticalLink = 1;
}

void RebuildBlock::moveFrom(RebuildBlock& other, int rowOffset, int columnOffset) {
    for (int r = 1; r <= other.m_usedRows; ++r) {
        for (int col = 1; col <= kColumns; ++col) {
            auto& from = other.at(r, col);
            if (!from) continue;
            const int toRow = r + rowOffset;
            const int toColumn = col + columnOffset;
            if (inBlock(toRow, toColumn)) {
                auto& to = use(toRow, toColumn);
                if (to && !from->element) {
                    // A bare link never wipes out an element.
                    to->verticalLink |= from->verticalLink;
                    from.reset();
                    continue;
                }
                const bool link = (to && to->verticalLink) || from->verticalLink;
                to = std::exchange(from, std::nullopt);
                to->row = toRow;
                to->column = static_cast<std::uint8_t>(toColumn);
                to->verticalLink = link ? 1 : 0;
            }
            from.reset();
        }
    }
    other.m_usedRows = 0;
    other.rows = 0;
    other.width = 0;
}

}  // namespace kelcc::core::compiler
