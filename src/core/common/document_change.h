#pragma once

#include <algorithm>

namespace kelcc::core::common {

// What an edit, undo or redo touched, so that views repaint only that.
// Rows are the ladder's rows or a table's entries; 0..0 means none named.
struct DocumentChange {
    enum Part : unsigned {
        Cells = 1,      // cells of rows first..last
        RowsMoved = 2,  // rows from `first` on moved (inserted or deleted)
        Comments = 4,   // row comments of rows first..last
        Tables = 8,     // table entries: PLC tables, CNC data
        Program = 16,   // the instruction list (a compile)
        Everything = 0xFFu,
    };

    unsigned parts = 0;
    int first = 0;
    int last = 0;

    bool empty() const noexcept { return parts == 0; }
    bool has(Part part) const noexcept { return (parts & part) != 0; }

    void add(unsigned part, int firstRow, int lastRow) noexcept {
        parts |= part;
        if (firstRow <= 0) return;
        first = first == 0 ? firstRow : std::min(first, firstRow);
        last = std::max(last, lastRow);
    }
    void add(const DocumentChange& other) noexcept { add(other.parts, other.first, other.last); }
};

}  // namespace kelcc::core::common
