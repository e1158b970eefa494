#include "app/project_tree.h"

#include "app/project_file_names.h"
#include "common/text_codec.h"

namespace kelcc::core::app {

const std::vector<ProjectTree::FixedEntry>& ProjectTree::fixedEntries() {
    static const std::vector<FixedEntry> entries = {
        {Entry::Root, "", 0, Entry::Root},
        {Entry::PlcBranch, "PLC", 13, Entry::Root},
        {Entry::CncBranch, "CNC配置", 4, Entry::Root},
        {Entry::PartProgramBranch, "零件加工程序", 10, Entry::Root},
        {Entry::Parameters, "参数", 7, Entry::CncBranch},
        {Entry::ToolOffsets, "刀具偏置", 11, Entry::CncBranch},
        {Entry::PitchCompensation, "螺距补偿", 12, Entry::CncBranch},
        {Entry::DataTables, "数据设置表", 5, Entry::PlcBranch},
        {Entry::InformationTable, "显示信息表", 6, Entry::PlcBranch},
        {Entry::LadderProgram, "梯形图程序", 3, Entry::PlcBranch},
        {Entry::ProgramInformation, "程序版本信息", 15, Entry::PlcBranch},
        {Entry::KValues, "K值设置", 14, Entry::PlcBranch},
    };
    return entries;
}

void ProjectTree::rebuild(const std::string& projectName) {
    clear();
    m_built = true;
    m_projectName = projectName;
}

void ProjectTree::clear() {
    *this = ProjectTree();
}

std::string ProjectTree::rootText() const {
    return ProjectFileNames::format(kRootFormat, m_projectName);
}

void ProjectTree::attach(const ProjectItemRecord& record) {
    switch (static_cast<ProjectItemType>(record.type)) {
        case ProjectItemType::PlcProgram:
            m_ladder = m_information = m_dataTables = record;
            break;
        case ProjectItemType::Parameters:
            m_parameters = record;
            break;
        case ProjectItemType::ToolOffsets:
            m_toolOffsets = record;
            break;
        case ProjectItemType::PitchCompensation:
            m_pitchCompensation = record;
            break;
        case ProjectItemType::PartProgram:
            // A second record of the same name reuses the entry and keeps
            // the first record.
            if (findProgram(displayName(record.name)) == nullptr)
                m_programs.push_back({displayName(record.name), record});
            break;
        default:
            break;
    }
}

const std::optional<ProjectItemRecord>& ProjectTree::record(Entry entry) const {
    static const std::optional<ProjectItemRecord> kNone;
    switch (entry) {
        case Entry::LadderProgram:
        case Entry::ProgramInformation:
            return m_ladder;
        case Entry::InformationTable:
            return m_information;
        case Entry::DataTables:
            return m_dataTables;
        case Entry::Parameters:
            return m_parameters;
        case Entry::ToolOffsets:
            return m_toolOffsets;
        case Entry::PitchCompensation:
            return m_pitchCompensation;
        default:
            return kNone;
    }
}

ProjectTree::Program& ProjectTree::findOrAddProgram(const std::string& name) {
    for (Program& p : m_programs)
        if (p.name == name) return p;
    ProjectItemRecord record;
    record.type = static_cast<std::uint8_t>(ProjectItemType::PartProgram);
    record.name = gbkName(name);
    m_programs.push_back({name, std::move(record)});
    return m_programs.back();
}

const ProjectTree::Program* ProjectTree::findProgram(const std::string& name) const {
    for (const Program& p : m_programs)
        if (p.name == name) return &p;
    return nullptr;
}

bool ProjectTree::removeProgram(const std::string& name) {
    for (auto it = m_programs.begin(); it != m_programs.end(); ++it) {
        if (it->name == name) {
            m_programs.erase(it);
            return true;
        }
    }
    return false;
}

std::string ProjectTree::displayName(const std::string& gbkName) {
    auto converted = common::TextCodec::gbkToUtf8(gbkName);
    return converted.ok ? converted.text : gbkName;
}

std::string ProjectTree::gbkName(const std::string& utf8Name) {
    auto converted = common::TextCodec::utf8ToGbk(utf8Name);
    return converted.ok ? converted.text : utf8Name;
}

}  // namespace kelcc::core::app
