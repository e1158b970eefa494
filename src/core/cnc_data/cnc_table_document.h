#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cnc_data/project_mark.h"
#include "common/atomic_file.h"
#include "common/document.h"

namespace kelcc::core::cnc_data {

// A CNC table file held as one text line per entry: the tool offsets
// (Tcomp.cmp) and the pitch compensation (Wcomp.wmp). The file is the four
// bytes 03 04 05 06, then every entry in index order, each ended by CR LF
// (an empty entry gives an empty line). Lines are kept as bytes; what a
// line means is the table's business (ToolOffsetTable,
// PitchCompensationTable). The document is shared by the windows showing
// it; every changed entry is one step of its undo history.
class CncTableDocument : public common::Document {
public:
    static constexpr std::string_view kHeader{"\x03\x04\x05\x06", 4};
    // Real tables are a few kilobytes; a larger file is refused as
    // unreadable instead of being loaded whole.
    static constexpr std::size_t kMaxFileBytes = std::size_t{4} << 20;

    enum class ReadResult { Ok, BadHeader };

    struct OpenResult {
        bool ok = false;
        std::string error;  // the system's error text; empty for a bad header
    };

    static constexpr const char* kEditText = "编辑";

    ~CncTableDocument() override = default;

    const std::string& title() const noexcept { return m_title; }
    std::size_t entryCount() const noexcept { return m_entries.size(); }
    const std::string& entry(std::size_t index) const { return m_entries.at(index); }
    const std::vector<std::string>& entries() const noexcept { return m_entries; }

    // Stores one entry as one undo step; a change marks the document and
    // the project modified. Returns whether the entry changed. A line feed
    // inside the line is stored as a blank so that one entry stays one line.
    bool setEntry(std::size_t index, std::string line);
    // The step's own change, also for its undo: no new step.
    void storeEntry(std::size_t index, std::string line);
    // Replaces every entry without marking anything: the table's own
    // rewrite when it is shown, which is no edit.
    void replaceEntries(std::vector<std::string> entries);

    void setProjectMark(ProjectMark mark) { m_projectMark = std::move(mark); }

    // Reading starts from an empty table: every line whose leading number is
    // an index of the table replaces that entry, all other lines (empty
    // ones too) are ignored. On BadHeader the document is left as it was.
    ReadResult read(std::string_view bytes);
    std::string write() const;

    // Open and save of the file on disk; save is atomic and clears the
    // modified flag on success.
    OpenResult open(const std::string& path);
    common::FileResult save(const std::string& path);

    // The recovery copy: every entry, one per line, exactly as held. Restore
    // puts one in place of the entries, which are then modified; false with
    // the document unchanged for a copy of another table.
    std::string recoveryContent() const;
    bool restore(std::string_view content);

    // A line split at every tab: n tabs give n + 1 fields.
    static std::vector<std::string_view> fields(std::string_view line);

    // The contents of a new table file: the header without entries.
    static std::string seedFile() { return std::string(kHeader); }

protected:
    CncTableDocument(std::size_t entryCount, std::string title);

private:
    std::vector<std::string> m_entries;
    std::string m_title;
    ProjectMark m_projectMark;
};

}  // namespace kelcc::core::cnc_data
