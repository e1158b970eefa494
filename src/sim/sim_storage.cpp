#include "sim_storage.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "comm/controller_name.h"

namespace kelcc::sim {

namespace fs = std::filesystem;
using core::comm::ControllerName;
using core::comm::FileEntry;

namespace {

// Side files of unfinished writes start with a dot and are never listed.
constexpr std::string_view kSidePrefix = ".part-";

}  // namespace

SimStorage::SimStorage(fs::path root) : m_root(std::move(root)) {
    std::error_code error;
    m_ready = true;
    for (int area = kFirstArea; area <= kLastArea; ++area) {
        fs::create_directories(m_root / std::to_string(area), error);
        if (!fs::is_directory(m_root / std::to_string(area), error)) m_ready = false;
    }
}

std::optional<fs::path> SimStorage::pathFor(std::uint8_t area, std::string_view name) const {
    if (area < kFirstArea || area > kLastArea) return std::nullopt;
    if (!name.empty() && name.front() == '.') return std::nullopt;  // hidden and side files
    const auto path = ControllerName::pathIn((m_root / std::to_string(area)).string(), name);
    if (!path) return std::nullopt;
    return fs::path(*path);
}

std::vector<FileEntry> SimStorage::list(std::uint8_t area) const {
    std::vector<FileEntry> entries;
    const int first = area == 0 ? kFirstArea : area;
    const int last = area == 0 ? kLastArea : area;
    if (first < kFirstArea || last > kLastArea) return entries;
    for (int a = first; a <= last; ++a) {
        std::error_code error;
        std::vector<FileEntry> inArea;
        for (const auto& item : fs::directory_iterator(m_root / std::to_string(a), error)) {
            const std::string name = item.path().filename().string();
            if (!item.is_regular_file(error) || !pathFor(static_cast<std::uint8_t>(a), name))
                continue;
            const auto size = item.file_size(error);
            if (error || size > 0xFFFFFFFFu) continue;
            FileEntry entry;
            entry.name = name;
            entry.area = static_cast<std::uint8_t>(a);
            entry.size = static_cast<std::uint32_t>(size);
            inArea.push_back(std::move(entry));
        }
        std::sort(inArea.begin(), inArea.end(),
                  [](const FileEntry& x, const FileEntry& y) { return x.name < y.name; });
        entries.insert(entries.end(), inArea.begin(), inArea.end());
    }
    return entries;
}

bool SimStorage::exists(std::uint8_t area, std::string_view name) const {
    const auto path = pathFor(area, name);
    std::error_code error;
    return path && fs::is_regular_file(*path, error);
}

std::optional<std::vector<std::uint8_t>> SimStorage::read(std::uint8_t area,
                                                          std::string_view name) const {
    if (!exists(area, name)) return std::nullopt;
    std::ifstream in(*pathFor(area, name), std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool SimStorage::write(std::uint8_t area, std::string_view name,
                       const std::vector<std::uint8_t>& bytes) {
    const auto path = pathFor(area, name);
    if (!path) return false;
    const fs::path side = path->parent_path() / (std::string(kSidePrefix) + std::string(name));
    {
        std::ofstream out(side, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::error_code ignored;
            fs::remove(side, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(side, *path, error);
    return !error;
}

bool SimStorage::remove(std::uint8_t area, std::string_view name) {
    if (!exists(area, name)) return false;
    std::error_code error;
    return fs::remove(*pathFor(area, name), error) && !error;
}

}  // namespace kelcc::sim
