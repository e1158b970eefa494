#include "ladder_editor/ladder_recovery.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "compiler/grid_text.h"

namespace kelcc::core::ladder_editor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "#KELCC recovery\t";
constexpr const char* kFileExtension = ".recovery";

// The text after the header line, and the path in it.
bool split(const std::string& bytes, std::string& path, std::string_view& grid) {
    if (bytes.compare(0, kHeader.size(), kHeader) != 0) return false;
    const std::size_t end = bytes.find('\n');
    if (end == std::string::npos) return false;
    path = bytes.substr(kHeader.size(), end - kHeader.size());
    grid = std::string_view(bytes).substr(end + 1);
    return !path.empty();
}

}  // namespace

LadderRecovery::LadderRecovery(std::string folder) : m_folder(std::move(folder)) {}

std::string LadderRecovery::fileFor(const std::string& programPath) const {
    // One copy per program file: its name is a hash of the path.
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : programPath)
        hash = (hash ^ c) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return (fs::path(m_folder) / (std::string(name) + kFileExtension)).string();
}

common::FileResult LadderRecovery::write(const plc::PlcDocument& doc) const {
    std::error_code ignored;
    fs::create_directories(m_folder, ignored);
    const std::string text =
        std::string(kHeader) + doc.path() + '\n' + compiler::GridText::format(doc);
    return common::AtomicFile::write(fileFor(doc.path()), text);
}

void LadderRecovery::remove(const std::string& programPath) const {
    std::error_code ignored;
    fs::remove(fileFor(programPath), ignored);
}

std::vector<LadderRecovery::Entry> LadderRecovery::entries() const {
    std::vector<Entry> out;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(m_folder, error)) {
        if (item.path().extension() != kFileExtension) continue;
        std::string bytes;
        if (!common::AtomicFile::read(item.path().string(), bytes).ok) continue;
        std::string path;
        std::string_view grid;
        if (split(bytes, path, grid)) out.push_back({path, item.path().string()});
    }
    return out;
}

bool LadderRecovery::restore(plc::PlcDocument& doc, const Entry& entry, std::string& error) {
    std::string bytes;
    const common::FileResult read = common::AtomicFile::read(entry.file, bytes);
    std::string path;
    std::string_view grid;
    if (!read.ok || !split(bytes, path, grid)) {
        error = read.ok ? entry.file + ": not a recovery file" : read.error;
        return false;
    }
    const compiler::GridText::ParseResult parsed = compiler::GridText::parse(grid, doc);
    if (!parsed.ok) {
        error = entry.file + ": " + parsed.error;
        return false;
    }
    doc.reloaded();
    doc.setModified(true);
    doc.project().markProjectModified();
    return true;
}

}  // namespace kelcc::core::ladder_editor
