#pragma once

#include <string>

namespace kelcc::core::app {

// Removal of a folder with everything in it (the staging folder).
class DirectoryTree final {
public:
    // Refuses an empty path and one of 3 characters or fewer (a root).
    // Symbolic links are removed as links, never followed, so nothing
    // outside the tree is touched. A folder is removed only when everything
    // inside it was; returns whether the whole tree is gone.
    static bool remove(const std::string& path);
};

}  // namespace kelcc::core::app
