#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "comm/file_entry.h"

namespace kelcc::core::comm {

// The text the controller sends for a file list request: per file the name,
// the size in decimal and the storage area as one digit, each followed by a
// tab, and the line ended by CR LF.
class FileList final {
public:
    struct Parsed {
        bool ok = false;
        std::vector<FileEntry> entries;  // kind 1, no local path
        // Names that could not name a local file (ControllerName::isSafe);
        // they are left out of `entries`.
        std::vector<std::string> refused;
    };

    // A line without its three tabs, a size that is not a 32-bit decimal
    // number or an area that is not one digit makes the whole list invalid.
    static Parsed parse(std::string_view text);
    static std::string format(const std::vector<FileEntry>& entries);

    // The storage areas a list is requested for.
    static bool isListedArea(int area) noexcept {
        return area >= 0 && area <= FileEntry::kLastArea;
    }

    // The part programs offered for reading: "O" and exactly four digits,
    // with the extension "cnc" in any letter case.
    static bool isOfferedProgram(std::string_view name) noexcept;
    static std::vector<FileEntry> offeredPrograms(const std::vector<FileEntry>& entries);
};

}  // namespace kelcc::core::comm
