#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "comm/file_entry.h"
#include "transfer/session_list.h"

namespace kelcc::core::app {
class Project;
}

namespace kelcc::core::transfer {

// What a compare of a project with the controller finds, file by file: the
// project's files as a send of everything would name them, the controller's
// copies of those read into a staging folder, and the result for each.
class ControllerCompare final {
public:
    enum class Status { Same, Different, OnlyInProject, OnlyOnController, NotCompared };

    // One file the project would send.
    struct LocalFile {
        std::string name;  // on the controller
        std::string localPath;
        std::uint8_t area = comm::FileEntry::kConfigArea;
        bool present = false;
        std::string error;  // why it cannot be sent, when not present
        bool operator==(const LocalFile&) const = default;
    };

    struct Row {
        std::string name;
        std::uint8_t area = comm::FileEntry::kConfigArea;
        Status status = Status::NotCompared;
        std::vector<std::string> details;  // GBK as in the files
    };

    using Lists = std::map<int, std::vector<comm::FileEntry>>;

    // The PLC program, the parameters, tool offsets, pitch compensation and
    // every part program; a file missing here is reported, not fatal. The
    // ladder image is left out: the controller does not hand it back.
    static std::vector<LocalFile> projectFiles(const app::Project& project);

    // The files that are on both sides. The two parameter files travel as
    // one choice, so they are read only when the controller has both.
    static SessionList::ReceiveSelection toReceive(const std::vector<LocalFile>& files,
                                                   const Lists& lists);

    // The result for every file of either side. `lists` holds the areas that
    // were listed; a file counts as read when the staging folder holds it
    // at its listed size.
    static std::vector<Row> compare(const std::vector<LocalFile>& files, const Lists& lists,
                                    const std::string& stagingFolder);

    // Details of two versions of one file; empty when they are the same.
    // The PLC program is compared by its checksum and ladder networks.
    static std::vector<std::string> differences(const std::string& name,
                                                const std::string& projectBytes,
                                                const std::string& controllerBytes);

    static const char* statusText(Status status) noexcept;
    // True when every row is Same.
    static bool allSame(const std::vector<Row>& rows) noexcept;
};

}  // namespace kelcc::core::transfer
