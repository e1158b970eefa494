#pragma once

#include <string>
#include <vector>

#include "common/document_change.h"
#include "common/document_listener.h"
#include "common/undo_stack.h"

namespace kelcc::core::common {

// What every document of a project file has: its path, its undo history
// (whose clean index is the modified state), its listeners and the windows
// attached to it. Documents are shared: every window showing the file is a
// view of the one document.
class Document {
public:
    explicit Document(std::string path = {});
    virtual ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const std::string& path() const noexcept { return m_path; }
    void setPath(std::string path) { m_path = std::move(path); }

    UndoStack& undoStack() noexcept { return m_undo; }
    const UndoStack& undoStack() const noexcept { return m_undo; }

    bool modified() const noexcept { return !m_undo.isClean(); }
    // false: the current state is the saved one; true: modified until the
    // next save whatever is undone.
    void setModified(bool modified);

    // Whether the content was read from the file yet (a shared document is
    // read once, by the first window that shows it).
    bool loaded() const noexcept { return m_loaded; }
    void setLoaded(bool loaded) noexcept { m_loaded = loaded; }

    void addListener(DocumentListener* listener);
    void removeListener(DocumentListener* listener);

    // Windows showing the document; the close question comes with the last.
    void attachView() noexcept { ++m_views; }
    void detachView() noexcept {
        if (m_views > 0) --m_views;
    }
    int viewCount() const noexcept { return m_views; }

    // The content was replaced from the file: the history is cleared (it
    // would not apply to the new content) and every view redraws.
    void reloaded();

protected:
    void notifyChanged(const DocumentChange& change);

private:
    void stackChanged();

    std::string m_path;
    UndoStack m_undo;
    std::vector<DocumentListener*> m_listeners;
    int m_views = 0;
    bool m_loaded = false;
    bool m_lastModified = false;
};

}  // namespace kelcc::core::common
