#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comm/file_entry.h"

namespace kelcc::core::app {
class Project;
}

namespace kelcc::core::transfer {

// Which files a send or receive session moves, in which order and under
// which names, from what the user checked in the file dialog.
class SessionList final {
public:
    static constexpr const char* kNoSelectionText = "未选定文件!";
    static constexpr const char* kStagingFailedText = "创建临时目录路径失败!";

    static constexpr const char* kPlcProgram = "plc.ldx";
    static constexpr const char* kPlcBinary = "plc.bin";
    static constexpr const char* kStagingPrefix = "KELCC";

    // Fully checked nodes of the file dialog.
    struct Selection {
        bool plcProgram = false;
        bool parameters = false;
        bool toolOffsets = false;
        bool pitchCompensation = false;
        bool empty() const noexcept {
            return !plcProgram && !parameters && !toolOffsets && !pitchCompensation;
        }
    };

    struct SendSelection : Selection {
        std::vector<std::string> programs;  // names as in the project tree
    };

    struct ReceiveSelection : Selection {
        // Part programs of the areas 2-4 as their lists gave them.
        std::vector<comm::FileEntry> programs;
    };

    struct Built {
        bool ok = false;
        std::vector<comm::FileEntry> entries;
        std::string error;  // the text to show when !ok; the dialog stays open
        // Part programs of the same name checked in more than one area: only
        // the first is received, since they would land on the same file.
        std::vector<comm::FileEntry> skipped;
    };

    // The project's files in the fixed order, each sized from the file on
    // disk; part programs follow in the project's order, in area 2. A file
    // that cannot be opened gives its error text and no list.
    static Built forSending(const app::Project& project, const SendSelection& selection);

    // Everything goes into the staging folder under its controller name:
    // the configuration files (without "plc.bin"), sized as `configList`
    // (the list of area 1) gives them, then the part programs in area order.
    static Built forReceiving(const std::string& stagingFolder, const ReceiveSelection& selection,
                              const std::vector<comm::FileEntry>& configList);

    // tempFolder + "KELCC" + the time in lower-case hexadecimal.
    static std::string stagingFolderPath(const std::string& tempFolder, std::uint64_t seconds);
    // Removes what is there and makes a new folder only this user can
    // enter; false when the new folder could not be made by us (the dialog
    // then shows kStagingFailedText).
    static bool makeStagingFolder(const std::string& path);

    static std::uint64_t totalSize(const std::vector<comm::FileEntry>& entries) noexcept;
};

}  // namespace kelcc::core::transfer
