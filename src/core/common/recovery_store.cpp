#include "common/recovery_store.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kelcc::core::common {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "#KELCC recovery\t";
constexpr const char* kFileExtension = ".recovery";
// A copy larger than any document the workbench keeps is not one of ours.
constexpr std::size_t kMaxCopyBytes = std::size_t{256} << 20;

struct Header {
    int kind = 0;
    std::string path;
    std::size_t contentStart = 0;
};

// "#KELCC recovery<TAB>kind<TAB>path<LF>" and the content after it.
std::optional<Header> parseHeader(std::string_view bytes) {
    if (bytes.substr(0, kHeader.size()) != kHeader) return std::nullopt;
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = bytes.substr(kHeader.size(), end - kHeader.size());
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab + 1 == line.size()) return std::nullopt;
    Header header;
    const auto [ptr, ec] = std::from_chars(line.data(), line.data() + tab, header.kind);
    if (ec != std::errc() || ptr != line.data() + tab) return std::nullopt;
    header.path = std::string(line.substr(tab + 1));
    header.contentStart = end + 1;
    return header;
}

}  // namespace

RecoveryStore::RecoveryStore(std::string folder) : m_folder(std::move(folder)) {}

std::string RecoveryStore::fileFor(const std::string& path) const {
    // The name is a hash of the path: one copy per file.
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : path)
        hash = (hash ^ c) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return (fs::path(m_folder) / (std::string(name) + kFileExtension)).string();
}

FileResult RecoveryStore::write(const std::string& path, int kind, std::string_view content) const {
    std::error_code ignored;
    fs::create_directories(m_folder, ignored);
    std::string bytes = std::string(kHeader) + std::to_string(kind) + '\t' + path + '\n';
    bytes += content;
    return AtomicFile::write(fileFor(path), bytes);
}

void RecoveryStore::remove(const std::string& path) const {
    std::error_code ignored;
    fs::remove(fileFor(path), ignored);
}

std::vector<RecoveryStore::Entry> RecoveryStore::entries() const {
    std::vector<Entry> out;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(m_folder, error)) {
        if (item.path().extension() != kFileExtension) continue;
        std::string bytes;
        if (!AtomicFile::read(item.path().string(), bytes, kMaxCopyBytes).ok) continue;
        if (auto header = parseHeader(bytes))
            out.push_back({std::move(header->path), header->kind, item.path().string()});
    }
    return out;
}

bool RecoveryStore::read(const Entry& entry, std::string& content, std::string& error) {
    std::string bytes;
    const FileResult read = AtomicFile::read(entry.file, bytes, kMaxCopyBytes);
    if (!read.ok) {
        error = read.error;
        return false;
    }
    const auto header = parseHeader(bytes);
    if (!header) {
        error = entry.file + ": not a recovery file";
        return false;
    }
    content = bytes.substr(header->contentStart);
    return true;
}

std::string RecoveryStore::pack(
    std::initializer_list<std::pair<std::string_view, std::string_view>> parts) {
    std::string out;
    for (const auto& [name, bytes] : parts) {
        out += name;
        out += '\t';
        out += std::to_string(bytes.size());
        out += '\n';
        out += bytes;
    }
    return out;
}

std::optional<RecoveryStore::Parts> RecoveryStore::unpack(std::string_view content) {
    Parts parts;
    while (!content.empty()) {
        const std::size_t tab = content.find('\t');
        const std::size_t end = content.find('\n');
        if (tab == std::string_view::npos || end == std::string_view::npos || tab > end)
            return std::nullopt;
        std::size_t size = 0;
        const auto [ptr, ec] =
            std::from_chars(content.data() + tab + 1, content.data() + end, size);
        if (ec != std::errc() || ptr != content.data() + end || size > content.size() - end - 1)
            return std::nullopt;
        parts.emplace(std::string(content.substr(0, tab)),
                      std::string(content.substr(end + 1, size)));
        content.remove_prefix(end + 1 + size);
    }
    return parts;
}

}  // namespace kelcc::core::common
