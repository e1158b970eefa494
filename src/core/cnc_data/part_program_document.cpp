#include "part_program_document.h"

#include "cnc_data/program_name.h"

namespace kelcc::core::cnc_data {

std::string PartProgramDocument::title() const {
    return "零件加工程序-" + m_name;
}

bool PartProgramDocument::setText(std::string text) {
    if (text == m_text) return false;
    m_text = std::move(text);
    m_modified = true;
    if (m_projectMark) m_projectMark(true);
    return true;
}

common::FileResult PartProgramDocument::open(const std::string& path) {
    std::string bytes;
    common::FileResult result = common::AtomicFile::read(path, bytes, kMaxFileBytes);
    if (!result.ok) return result;
    m_path = path;
    m_name = ProgramName::fromPath(path);
    m_text = std::move(bytes);
    m_modified = false;
    return result;
}

common::FileResult PartProgramDocument::save() {
    if (m_path.empty()) return {false, "no file to save the part program to"};
    common::FileResult result = common::AtomicFile::write(m_path, m_text);
    if (result.ok) m_modified = false;
    return result;
}

std::string PartProgramDocument::seedText(std::string_view name) {
    return std::string(name) + "\r\n";
}

}  // namespace kelcc::core::cnc_data
