#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "comm/file_entry.h"

namespace kelcc::sim {

// The controller's files: one folder per storage area (1-4) under a root.
// Names come from the line, so every access goes through ControllerName and
// nothing is ever touched outside the area folders.
class SimStorage final {
public:
    static constexpr std::uint8_t kFirstArea = 1;
    static constexpr std::uint8_t kLastArea = 4;

    // Creates the area folders when they are missing.
    explicit SimStorage(std::filesystem::path root);

    bool ready() const noexcept { return m_ready; }
    const std::filesystem::path& root() const noexcept { return m_root; }

    // Area 0 lists every area. Entries are sorted by area, then name; files
    // whose names could not travel on the line are left out.
    std::vector<core::comm::FileEntry> list(std::uint8_t area) const;

    // Nothing for an unknown area or an unsafe name.
    std::optional<std::filesystem::path> pathFor(std::uint8_t area, std::string_view name) const;
    bool exists(std::uint8_t area, std::string_view name) const;
    std::optional<std::vector<std::uint8_t>> read(std::uint8_t area, std::string_view name) const;
    // Written to a side file first and renamed, so a failed write never
    // leaves half a file under the real name.
    bool write(std::uint8_t area, std::string_view name, const std::vector<std::uint8_t>& bytes);
    bool remove(std::uint8_t area, std::string_view name);

private:
    std::filesystem::path m_root;
    bool m_ready = false;
};

}  // namespace kelcc::sim
