#include "ladder_grid.h"

#include <algorithm>
#include <utility>

#include "plc/instruction_code.h"

namespace kelcc::core::plc {

using plc::kCellKindVerticalLink;

LadderGrid::LadderGrid(const LadderGrid& other) {
    *this = other;
}

LadderGrid& LadderGrid::operator=(const LadderGrid& other) {
    if (this == &other) return *this;
    m_rows.resize(other.m_rows.size());
    for (int r = 0; r < storedRows(); ++r) {
        for (int c = 0; c <= kColumns; ++c) {
            Slot& to = slot(r, c);
            const Slot& from = other.slot(r, c);
            to.mark = from.mark;
            to.cell = from.cell ? std::make_unique<LadderCell>(*from.cell) : nullptr;
        }
    }
    return *this;
}

LadderGrid& LadderGrid::operator=(LadderGrid&& other) noexcept {
    // Swapping leaves the source with our old rows instead of none.
    if (this != &other) m_rows.swap(other.m_rows);
    return *this;
}

const LadderCell* LadderGrid::cell(int row, int column) const noexcept {
    if (!inRange(row, column) || !stored(row)) return nullptr;
    return slot(row, column).cell.get();
}

bool LadderGrid::setElement(int row, int column, int kind, std::string text) {
    if (!inRange(row, column) || kind == kCellKindVerticalLink) return false;
    ensureRow(row);
    auto& cell = slot(row, column).cell;
    if (!cell) {
        cell = std::make_unique<LadderCell>();
        cell->row = row;
        cell->column = static_cast<std::uint8_t>(column);
    } else if (cell->element == 1 && cell->kind == kind && cell->text == text) {
        return false;
    }
    cell->element = 1;
    cell->kind = kind;
    cell->text = std::move(text);
    return true;
}

bool LadderGrid::placeVerticalLink(int row, int column) {
    // A link from the last row would lead nowhere.
    if (!inRange(row, column) || row == kRows) return false;
    ensureRow(row);
    auto& cell = slot(row, column).cell;
    if (!cell) {
        cell = std::make_unique<LadderCell>();
        cell->row = row;
        cell->column = static_cast<std::uint8_t>(column);
        cell->kind = kCellKindVerticalLink;
    } else if (cell->verticalLink) {
        return false;
    }
    cell->verticalLink = 1;
    return true;
}

bool LadderGrid::setVerticalLink(int row, int column) {
    // The power rail already joins every row in column 1.
    if (column == 1) return false;
    return placeVerticalLink(row, column);
}

bool LadderGrid::setCell(int row, int column, int kind, std::string text) {
    if (kind == kCellKindVerticalLink) return setVerticalLink(row, column);
    return setElement(row, column, kind, std::move(text));
}

bool LadderGrid::deleteCell(int row, int column) {
    if (!inRange(row, column) || !stored(row)) return false;
    Slot& s = slot(row, column);
    s.mark = 0;
    if (!s.cell) return false;
    if (s.cell->verticalLink) {
        if (s.cell->element == 0 && s.cell->kind == kCellKindVerticalLink) return false;
        s.cell->element = 0;
        s.cell->kind = kCellKindVerticalLink;
        s.cell->text.clear();
        return true;
    }
    s.cell.reset();
    return true;
}

bool LadderGrid::clearVerticalLink(int row, int column) {
    if (!inRange(row, column) || !stored(row)) return false;
    Slot& s = slot(row, column);
    if (!s.cell || !s.cell->verticalLink) return false;
    if (s.cell->element == 0) {
        s.cell.reset();
    } else {
        s.cell->verticalLink = 0;
    }
    return true;
}

void LadderGrid::putCell(int row, int column, const LadderCell* cell) {
    if (!inRange(row, column) || (cell == nullptr && !stored(row))) return;
    ensureRow(row);
    Slot& s = slot(row, column);
    s.mark = 0;
    if (cell == nullptr) {
        s.cell.reset();
        return;
    }
    s.cell = std::make_unique<LadderCell>(*cell);
    s.cell->row = row;
    s.cell->column = static_cast<std::uint8_t>(column);
}

std::uint8_t LadderGrid::mark(int row, int column) const noexcept {
    return inRange(row, column) && stored(row) ? slot(row, column).mark : 0;
}

void LadderGrid::setMark(int row, int column, std::uint8_t mark) {
    if (!inRange(row, column) || (mark == 0 && !stored(row))) return;
    ensureRow(row);
    slot(row, column).mark = mark;
}

int LadderGrid::lastUsedRow() const noexcept {
    for (int r = storedRows() - 1; r >= 1; --r) {
        for (int c = 1; c <= kColumns; ++c) {
            if (slot(r, c).cell) return r;
        }
    }
    return 0;
}

bool LadderGrid::rowIsEmpty(int row) const noexcept {
    if (row < 1 || row > kRows || !stored(row)) return true;
    for (int c = 1; c <= kColumns; ++c) {
        const auto& cell = slot(row, c).cell;
        if (cell && !(cell->element == 0 && cell->kind == kCellKindVerticalLink)) return false;
    }
    return true;
}

void LadderGrid::renumberCells(int from) {
    for (int r = from; r < storedRows(); ++r) {
        for (auto& s : m_rows[static_cast<std::size_t>(r)])
            if (s.cell) s.cell->row = r;
    }
}

bool LadderGrid::insertRows(int first, int count) {
    if (first < 1 || first > kRows || count <= 0) return false;
    // Nothing is stored from `first` on: no row moves.
    if (!stored(first)) return false;
    const bool changed = lastUsedRow() >= first;
    m_rows.resize(static_cast<std::size_t>(std::min(storedRows() + count, kRows + 1)));
    count = std::min(count, storedRows() - first);
    // Rotate the rows that fall off the end to the insertion point, then
    // empty them.
    std::rotate(m_rows.begin() + first, m_rows.end() - count, m_rows.end());
    for (int r = first; r < first + count; ++r) {
        for (auto& s : m_rows[static_cast<std::size_t>(r)])
            s = Slot{};
    }
    renumberCells(first + count);
    return changed;
}

bool LadderGrid::deleteRows(int first, int count) {
    if (first < 1 || first > kRows || count <= 0) return false;
    if (!stored(first)) return false;
    const bool changed = lastUsedRow() >= first;
    count = std::min(count, storedRows() - first);
    auto begin = m_rows.begin() + first;
    std::rotate(begin, begin + count, m_rows.end());
    m_rows.resize(static_cast<std::size_t>(storedRows() - count));
    renumberCells(first);
    return changed;
}

void LadderGrid::removeRows(const std::vector<bool>& remove) {
    if (m_rows.empty()) return;
    const int limit = std::min<int>(kRows, static_cast<int>(remove.size()) - 1);
    int to = 1;
    for (int from = 1; from < storedRows(); ++from) {
        if (from <= limit && remove[static_cast<std::size_t>(from)]) continue;
        if (to != from) {
            m_rows[static_cast<std::size_t>(to)] =
                std::move(m_rows[static_cast<std::size_t>(from)]);
        }
        ++to;
    }
    m_rows.resize(static_cast<std::size_t>(to));
    renumberCells(1);
}

void LadderGrid::clear() {
    // Keeps the capacity: a grid that is cleared and filled again (the
    // rebuild, the fuzz targets) allocates its rows once.
    m_rows.clear();
}

namespace {

bool rowHasElement(const LadderGrid& grid, int row) {
    for (int c = 1; c <= LadderGrid::kColumns; ++c) {
        const LadderCell* cell = grid.cell(row, c);
        if (cell && cell->element) return true;
    }
    return false;
}

bool rowHasLink(const LadderGrid& grid, int row, int firstColumn) {
    for (int c = firstColumn; c <= LadderGrid::kColumns; ++c) {
        const LadderCell* cell = grid.cell(row, c);
        if (cell && cell->verticalLink) return true;
    }
    return false;
}

// The 15-row limit is the compiler's check, not the division's: a longer
// chain is still one network here.
std::vector<Network> divide(const LadderGrid& grid, int linkColumn, bool fromRowOne) {
    std::vector<Network> networks;
    const int last = grid.lastUsedRow();
    int row = 1;
    while (row <= last) {
        int start = row;
        while (start <= last && !rowHasElement(grid, start))
            ++start;
        if (start > last) break;
        // A link on a row always reaches the row below, even past the last
        // used row; only the grid's end stops it.
        int end = start;
        while (end < LadderGrid::kRows && rowHasLink(grid, end, linkColumn))
            ++end;
        Network n;
        n.firstRow = (fromRowOne && networks.empty()) ? 1 : start;
        n.lastRow = end;
        networks.push_back(n);
        row = end + 1;
    }
    return networks;
}

}  // namespace

std::vector<Network> LadderGrid::divideNetworks() const {
    return divide(*this, 2, false);
}

std::vector<Network> LadderGrid::divideNetworksForImage() const {
    return divide(*this, 1, true);
}

bool LadderGrid::operator==(const LadderGrid& other) const {
    const int rows = std::max(storedRows(), other.storedRows());
    for (int r = 1; r < rows; ++r) {
        for (int c = 1; c <= kColumns; ++c) {
            const LadderCell* a = cell(r, c);
            const LadderCell* b = other.cell(r, c);
            if (!a != !b) return false;
            if (a && *a != *b) return false;
        }
    }
    return true;
}

}  // namespace kelcc::core::plc
