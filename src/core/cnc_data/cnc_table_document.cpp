#include "cnc_table_document.h"

#include <algorithm>

#include "cnc_data/cell_rules.h"

namespace kelcc::core::cnc_data {

CncTableDocument::CncTableDocument(std::size_t entryCount, std::string title)
    : m_entries(entryCount), m_title(std::move(title)) {}

bool CncTableDocument::setEntry(std::size_t index, std::string line) {
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::string& held = m_entries.at(index);
    if (held == line) return false;
    held = std::move(line);
    m_modified = true;
    if (m_projectMark) m_projectMark(true);
    return true;
}

void CncTableDocument::replaceEntries(std::vector<std::string> entries) {
    entries.resize(m_entries.size());
    m_entries = std::move(entries);
}

CncTableDocument::ReadResult CncTableDocument::read(std::string_view bytes) {
    if (bytes.substr(0, kHeader.size()) != kHeader) return ReadResult::BadHeader;
    bytes.remove_prefix(kHeader.size());

    std::vector<std::string> entries(m_entries.size());
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // The writer itself writes empty lines for empty entries; read as
        // number 0 they would wipe entry 0, so a line needs a number.
        const auto number = CellRules::leadingInteger(line.substr(0, line.find('\t')));
        if (!number || *number < 0 || static_cast<std::size_t>(*number) >= entries.size()) continue;
        entries[static_cast<std::size_t>(*number)] = std::string(line);
    }
    m_entries = std::move(entries);
    m_modified = false;
    return ReadResult::Ok;
}

std::string CncTableDocument::write() const {
    std::string bytes(kHeader);
    for (const std::string& line : m_entries) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

CncTableDocument::OpenResult CncTableDocument::open(const std::string& path) {
    std::string bytes;
    const common::FileResult file = common::AtomicFile::read(path, bytes, kMaxFileBytes);
    if (!file.ok) return {false, file.error};
    return {read(bytes) == ReadResult::Ok, {}};
}

std::vector<std::string_view> CncTableDocument::fields(std::string_view line) {
    std::vector<std::string_view> result;
    for (;;) {
        const auto tab = line.find('\t');
        result.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return result;
        line.remove_prefix(tab + 1);
    }
}

common::FileResult CncTableDocument::save(const std::string& path) {
    common::FileResult result = common::AtomicFile::write(path, write());
    if (result.ok) m_modified = false;
    return result;
}

}  // namespace kelcc::core::cnc_data
