#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/document.h"

namespace kelcc::core::app {

// The open documents of the project, at most one per file. The registry
// does not keep a document alive: the windows showing it (and commands
// such as a save or a transfer) hold it, and it goes when the last lets go.
class DocumentRegistry final {
public:
    // The open document of the file, or nullptr.
    std::shared_ptr<common::Document> find(const std::string& path) const;
    template <class T>
    std::shared_ptr<T> find(const std::string& path) const {
        return std::dynamic_pointer_cast<T>(find(path));
    }

    // The open document of the file, or the one `make` returns, which is
    // registered under the file. nullptr when the file is open as another
    // kind of document.
    template <class T, class Make>
    std::shared_ptr<T> open(const std::string& path, Make make) {
        if (auto open = find(path)) return std::dynamic_pointer_cast<T>(open);
        std::shared_ptr<T> made = make();
        made->setPath(path);
        add(made);
        return made;
    }

    // Every document still open.
    std::vector<std::shared_ptr<common::Document>> documents() const;
    bool anyModified() const;

    // Save project as: every document of a file in `oldFolder` now edits the
    // file of the same name in `newFolder`; `renames` lists (old, new) paths
    // of files whose name changes with the project.
    void moveFolder(const std::string& oldFolder, const std::string& newFolder,
                    const std::vector<std::pair<std::string, std::string>>& renames);

    // The documents are no longer the files' (the project closed, or the
    // file was deleted); windows still holding them keep their own copy.
    void forget(const std::string& path);
    void clear() { m_entries.clear(); }

private:
    void add(const std::shared_ptr<common::Document>& doc);
    void prune() const;

    mutable std::vector<std::weak_ptr<common::Document>> m_entries;
};

}  // namespace kelcc::core::app
