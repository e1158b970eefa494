#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cnc_data/project_mark.h"
#include "common/atomic_file.h"

namespace kelcc::core::cnc_data {

// One part program file, edited as a whole text. The text is the file's
// bytes exactly as read: no line-end or code-page conversion happens here.
class PartProgramDocument final {
public:
    // Far beyond what can be sent (2 MB); larger files are refused as
    // unreadable instead of being loaded whole.
    static constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

    PartProgramDocument() = default;
    PartProgramDocument(const PartProgramDocument&) = delete;
    PartProgramDocument& operator=(const PartProgramDocument&) = delete;

    const std::string& path() const noexcept { return m_path; }
    const std::string& name() const noexcept { return m_name; }
    // "零件加工程序-<name>"
    std::string title() const;
    const std::string& text() const noexcept { return m_text; }

    // Replaces the text; a change marks the document and the project
    // modified. Returns whether the text changed.
    bool setText(std::string text);

    bool modified() const noexcept { return m_modified; }
    void setModified(bool modified) noexcept { m_modified = modified; }
    void setProjectMark(ProjectMark mark) { m_projectMark = std::move(mark); }

    // Reads the whole file; on failure the document is left as it was.
    common::FileResult open(const std::string& path);
    // Writes the text to the document's own path, atomically.
    common::FileResult save();

    // The contents of a new program file: its name and a line end.
    static std::string seedText(std::string_view name);

private:
    std::string m_path;
    std::string m_name;
    std::string m_text;
    bool m_modified = false;
    ProjectMark m_projectMark;
};

}  // namespace kelcc::core::cnc_data
