#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/project_file.h"

namespace kelcc::core::app {

// The project tree as a model: the fixed entries, the records attached to
// the entries that stand for files, and the part programs in display order.
// Texts are UTF-8; record texts stay the bytes of the project file.
class ProjectTree final {
public:
    enum class Entry {
        Root,
        PlcBranch,
        CncBranch,
        PartProgramBranch,
        Parameters,
        ToolOffsets,
        PitchCompensation,
        DataTables,
        InformationTable,
        LadderProgram,
        ProgramInformation,
        KValues,
    };

    struct FixedEntry {
        Entry entry;
        const char* text;  // the root's text is built from the project name
        int image;
        Entry parent;  // the root names itself
    };

    struct Program {
        std::string name;  // tree text and file stem, UTF-8
        ProjectItemRecord record;
    };

    static constexpr const char* kRootFormat = "工程 - %1";
    static constexpr int kProgramImage = 8;

    // The fixed entries in the order they are created.
    static const std::vector<FixedEntry>& fixedEntries();

    void rebuild(const std::string& projectName);
    void clear();
    bool built() const noexcept { return m_built; }
    std::string rootText() const;
    void setProjectName(const std::string& projectName) { m_projectName = projectName; }

    // Attaches a record read from the project file to its entries. The PLC
    // program record goes to the ladder, information and data-table entries;
    // other types than 2 and 100-103 have no entry and are dropped.
    void attach(const ProjectItemRecord& record);
    const std::optional<ProjectItemRecord>& record(Entry entry) const;

    // The part program of that name (compared exactly), added at the end
    // when there is none.
    Program& findOrAddProgram(const std::string& name);
    const Program* findProgram(const std::string& name) const;
    bool removeProgram(const std::string& name);
    const std::vector<Program>& enumeratePrograms() const noexcept { return m_programs; }

    // The UTF-8 name of a record's GBK item name; bytes that are not GBK are
    // kept as they are.
    static std::string displayName(const std::string& gbkName);
    static std::string gbkName(const std::string& utf8Name);

private:
    bool m_built = false;
    std::string m_projectName;
    std::optional<ProjectItemRecord> m_ladder, m_information, m_dataTables;
    std::optional<ProjectItemRecord> m_parameters, m_toolOffsets, m_pitchCompensation;
    std::vector<Program> m_programs;
};

}  // namespace kelcc::core::app
