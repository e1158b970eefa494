#pragma once

namespace kelcc::core::ladder_editor {

enum class EditStatus {
    Done,     // the command ran (it may still have found nothing to change)
    Ignored,  // the command does nothing here and says nothing
    Refused,  // a message was shown; nothing changed
};

// What an editing command did, so that the view knows what to repaint and
// whether the row positions below changed.
struct EditResult {
    EditStatus status = EditStatus::Ignored;
    bool changed = false;  // cells or row comments changed
    int firstRow = 0;      // rows whose cells or comments changed; 0 when none
    int lastRow = 0;
    bool rowsMoved = false;  // rows were inserted: every row from firstRow on moved

    bool refused() const noexcept { return status == EditStatus::Refused; }

    // Widens the changed rows by one row.
    void touch(int row) noexcept {
        changed = true;
        if (firstRow == 0 || row < firstRow) firstRow = row;
        if (row > lastRow) lastRow = row;
    }
};

}  // namespace kelcc::core::ladder_editor
