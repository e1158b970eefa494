#pragma once

#include "common/document_change.h"

namespace kelcc::core::common {

// A view of a document. Calls come on the thread that edits the document.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    // Content changed by an edit, an undo or a redo.
    virtual void documentChanged(const DocumentChange& change) { (void)change; }
    // The modified state flipped.
    virtual void modifiedChanged(bool modified) { (void)modified; }
    // What undo and redo would do changed (menu entries).
    virtual void undoStateChanged() {}
    // The content was read again from the file; the history is gone.
    virtual void documentReloaded() {}
};

}  // namespace kelcc::core::common
