#pragma once

#include <string>

namespace kelcc::core::plc {

// What the PLC program document needs from the open project: the project's
// modified and compiled marks and the three program version texts, which
// belong to the project rather than to the document.
class ProjectState {
public:
    static constexpr int kInfoTexts = 3;

    virtual ~ProjectState() = default;
    virtual void markProjectModified() = 0;
    virtual void setPlcCompiled(bool compiled) = 0;
    virtual std::string plcInfo(int index) const = 0;  // index 0-2
    virtual void setPlcInfo(int index, std::string text) = 0;
    // Writes the project file after the program was saved; returns the
    // system's error text on failure, empty on success.
    virtual std::string saveProjectFile() = 0;
};

// A project state that only remembers; used where no project is open (the
// command-line tool) and by tests.
class SimpleProjectState final : public ProjectState {
public:
    void markProjectModified() override { m_modified = true; }
    void setPlcCompiled(bool compiled) override { m_compiled = compiled; }
    std::string plcInfo(int index) const override;
    void setPlcInfo(int index, std::string text) override;
    std::string saveProjectFile() override {
        ++m_projectSaves;
        return m_saveError;
    }

    int projectSaves() const { return m_projectSaves; }
    void failProjectSaves(std::string error) { m_saveError = std::move(error); }

    bool projectModified() const { return m_modified; }
    bool plcCompiled() const { return m_compiled; }
    void clearModified() { m_modified = false; }

private:
    bool m_modified = false;
    bool m_compiled = true;
    std::string m_info[kInfoTexts];
    int m_projectSaves = 0;
    std::string m_saveError;
};

}  // namespace kelcc::core::plc
