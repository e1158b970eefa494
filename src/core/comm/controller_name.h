#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelcc::core::comm {

// File names that come from the controller (file lists, uploads) decide
// where this system writes, so they are checked before they become paths.
class ControllerName final {
public:
    // The name field of a file header.
    static constexpr std::size_t kMaxLength = 13;

    // A single plain name of at most kMaxLength bytes: not empty, not "." or
    // "..", no '/', '\\' or ':' (a drive on the other side) and no control
    // bytes.
    static bool isSafe(std::string_view name) noexcept;

    // folder + '/' + name + suffix, or nothing when the name is not safe.
    static std::optional<std::string> pathIn(std::string_view folder, std::string_view name,
                                             std::string_view suffix = {});

    // Where a file the controller uploads on its own is received: the
    // temporary folder, the name and ".tmp".
    static std::optional<std::string> uploadPath(std::string_view tempFolder,
                                                 std::string_view name) {
        return pathIn(tempFolder, name, ".tmp");
    }
};

}  // namespace kelcc::core::comm
