#include "cnc_table_document.h"

#include <algorithm>
#include <memory>

#include "cnc_data/cell_rules.h"
#include "common/undo_command.h"

namespace kelcc::core::cnc_data {

namespace {

// One changed entry: its line before and after.
class EntryCommand final : public common::UndoCommand {
public:
    EntryCommand(CncTableDocument& doc, std::size_t index, std::string before, std::string after)
        : UndoCommand(CncTableDocument::kEditText),
          m_doc(doc),
          m_index(index),
          m_before(std::move(before)),
          m_after(std::move(after)) {}

    void redo() override { m_doc.storeEntry(m_index, m_after); }
    void undo() override { m_doc.storeEntry(m_index, m_before); }
    std::size_t bytes() const noexcept override {
        return UndoCommand::bytes() + sizeof(*this) + m_before.capacity() + m_after.capacity();
    }

private:
    CncTableDocument& m_doc;
    std::size_t m_index;
    std::string m_before;
    std::string m_after;
};

}  // namespace

CncTableDocument::CncTableDocument(std::size_t entryCount, std::string title)
    : m_entries(entryCount), m_title(std::move(title)) {}

bool CncTableDocument::setEntry(std::size_t index, std::string line) {
    std::replace(line.begin(), line.end(), '\n', ' ');
    const std::string& held = m_entries.at(index);
    if (held == line) return false;
    undoStack().push(std::make_unique<EntryCommand>(*this, index, held, std::move(line)));
    return true;
}

void CncTableDocument::storeEntry(std::size_t index, std::string line) {
    m_entries.at(index) = std::move(line);
    if (m_projectMark) m_projectMark(true);
    common::DocumentChange change;
    // Rows of the change count from 1 (0 names none).
    change.add(common::DocumentChange::Tables, static_cast<int>(index) + 1,
               static_cast<int>(index) + 1);
    notifyChanged(change);
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
    setLoaded(true);
    setModified(false);
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

std::string CncTableDocument::recoveryContent() const {
    std::string out;
    for (const std::string& line : m_entries) {
        out += line;
        out += '\n';
    }
    return out;
}

bool CncTableDocument::restore(std::string_view content) {
    std::vector<std::string> entries;
    while (!content.empty()) {
        const auto end = content.find('\n');
        if (end == std::string_view::npos) return false;
        entries.emplace_back(content.substr(0, end));
        content.remove_prefix(end + 1);
    }
    if (entries.size() != m_entries.size()) return false;
    m_entries = std::move(entries);
    reloaded();
    setModified(true);
    if (m_projectMark) m_projectMark(true);
    return true;
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
    if (result.ok) setModified(false);
    return result;
}

}  // namespace kelcc::core::cnc_data
