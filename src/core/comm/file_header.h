#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "comm/file_entry.h"

namespace kelcc::core::comm {

// The 27-byte header that names a file in the file commands (write, read,
// delete, upload). Numbers are most significant byte first.
struct FileHeader {
    static constexpr std::size_t kSize = 27;
    static constexpr std::size_t kNameSize = 13;

    std::string name;  // a 13-byte name fills its field without a zero
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    // The size again when this system sends it. What the controller puts
    // here in an upload is kept but not used.
    std::uint32_t size2 = 0;
    std::uint8_t kind = FileEntry::kFileKind;
    std::uint8_t area = FileEntry::kConfigArea;

    // The header that asks for or announces an entry: offset 0, the size
    // twice. `size` overrides the entry's size (a part program is sent as
    // its prepared image).
    static FileHeader forEntry(const FileEntry& entry,
                               std::optional<std::uint32_t> size = std::nullopt);

    // The wire bytes; nothing when the name does not fit the field or holds
    // a zero byte (a cut name would address another file).
    std::optional<std::string> encode() const;

    // The name is taken up to its first zero byte and is not checked here;
    // nothing unless exactly kSize bytes are given.
    static std::optional<FileHeader> decode(std::string_view bytes);

    // The entry of an upload the controller starts: the size is the one at
    // offset 17.
    FileEntry toEntry(std::string localPath) const;

    bool operator==(const FileHeader&) const = default;
};

}  // namespace kelcc::core::comm
