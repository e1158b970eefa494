#include "comm/file_header.h"

namespace kelcc::core::comm {
namespace {

void put32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

std::uint32_t get32(std::string_view in, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(in[at + i]);
    return value;
}

}  // namespace

FileHeader FileHeader::forEntry(const CFileEntry& entry, std::optional<std::uint32_t> size) {
    const std::uint32_t bytes = size.value_or(entry.size);
    return {entry.name, 0, bytes, bytes, entry.kind, entry.area};
}

std::optional<std::string> FileHeader::encode() const {
    if (name.size() > kNameSize || name.find('\0') != std::string::npos) return std::nullopt;
    std::string out(kSize, '\0');
    out.replace(0, name.size(), name);
    put32(out, 13, offset);
    put32(out, 17, size);
    put32(out, 21, size2);
    out[25] = static_cast<char>(kind);
    out[26] = static_cast<char>(area);
    return out;
}

std::optional<FileHeader> FileHeader::decode(std::string_view bytes) {
    if (bytes.size() != kSize) return std::nullopt;
    FileHeader header;
    const std::string_view field = bytes.substr(0, kNameSize);
    header.name = std::string(field.substr(0, field.find('\0')));
    header.offset = get32(bytes, 13);
    header.size = get32(bytes, 17);
    header.size2 = get32(bytes, 21);
    header.kind = static_cast<std::uint8_t>(bytes[25]);
    header.area = static_cast<std::uint8_t>(bytes[26]);
    return header;
}

CFileEntry FileHeader::toEntry(std::string localPath) const {
    return {name, std::move(localPath), area, kind, size};
}

}  // namespace kelcc::core::comm
