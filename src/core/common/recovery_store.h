#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/atomic_file.h"

namespace kelcc::core::common {

// Copies of modified documents in a folder, written now and then while the
// workbench runs and removed when the document is saved, dropped or the
// workbench ends normally. What is left at the next start was lost by a
// crash or a power cut. A copy names the file it belongs to and the kind of
// window that shows it; its content is the document's own form, never a
// file of the project, so nothing here can be sent to the controller.
class RecoveryStore final {
public:
    struct Entry {
        std::string path;  // the document's file
        int kind = 0;      // what shows it, as the caller numbers its kinds
        std::string file;  // the copy
    };

    explicit RecoveryStore(std::string folder);

    // One copy per path: a newer one replaces the older.
    FileResult write(const std::string& path, int kind, std::string_view content) const;
    void remove(const std::string& path) const;
    // The copies in the folder; unreadable and foreign files are skipped.
    std::vector<Entry> entries() const;
    static bool read(const Entry& entry, std::string& content, std::string& error);

    // Several named parts in one content, each "name<TAB>length<LF>bytes".
    using Parts = std::map<std::string, std::string, std::less<>>;
    static std::string pack(
        std::initializer_list<std::pair<std::string_view, std::string_view>> parts);
    static std::optional<Parts> unpack(std::string_view content);

private:
    std::string fileFor(const std::string& path) const;

    std::string m_folder;
};

}  // namespace kelcc::core::common
