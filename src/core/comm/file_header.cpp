#include "comm/file_header.h"

#include "comm/wire_bytes.h"

namespace kelcc::core::comm {

FileHeader FileHeader::forEntry(const FileEntry& entry, std::optional<std::uint32_t> size) {
    const std::uint32_t bytes = size.value_or(entry.size);
    return {entry.name, 0, bytes, bytes, entry.kind, entry.area};
}

std::optional<std::string> FileHeader::encode() const {
    if (name.size() > kNameSize || name.find('\0') != std::string::npos) return std::nullopt;
    std::string out(kSize, '\0');
    out.replace(0, name.size(), name);
    WireBytes::put32(out, 13, offset);
    WireBytes::put32(out, 17, size);
    WireBytes::put32(out, 21, size2);
    out[25] = static_cast<char>(kind);
    out[26] = static_cast<char>(area);
    return out;
}

std::optional<FileHeader> FileHeader::decode(std::string_view bytes) {
    if (bytes.size() != kSize) return std::nullopt;
    FileHeader header;
    const std::string_view field = bytes.substr(0, kNameSize);
    header.name = std::string(field.substr(0, field.find('\0')));
    header.offset = WireBytes::get32(bytes, 13);
    header.size = WireBytes::get32(bytes, 17);
    header.size2 = WireBytes::get32(bytes, 21);
    header.kind = static_cast<std::uint8_t>(bytes[25]);
    header.area = static_cast<std::uint8_t>(bytes[26]);
    return header;
}

FileEntry FileHeader::toEntry(std::string localPath) const {
    return {name, std::move(localPath), area, kind, size};
}

}  // namespace kelcc::core::comm
