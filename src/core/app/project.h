#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/document_registry.h"
#include "app/project_host.h"
#include "app/project_item_type.h"
#include "app/project_tree.h"
#include "common/atomic_file.h"
#include "common/interaction.h"
#include "plc/project_state.h"

namespace kelcc::core::app {

// The answers of NewProjectDialog: project name and storage path.
struct ProjectLocation {
    std::string name;
    std::string path;
};

// Shows NewProjectDialog and returns its answers, or nothing when it was
// cancelled. It is called again after an answer that a check refused (the
// dialog stays open).
using LocationDialog = std::function<std::optional<ProjectLocation>()>;

// The open project: folder, name, flags, PLC information and tree, with the
// project commands. Dialog answers come in as arguments or through a
// LocationDialog; questions and messages go through the Interaction; window
// actions go to the ProjectHost. Paths use '/'; texts of messages are UTF-8.
class Project final : public plc::ProjectState {
public:
    static constexpr const char* kSaveCaption = "保存工程";
    static constexpr const char* kExitCaption = "退出";
    static constexpr const char* kNoProjectTitle = "KELCC";
    static constexpr const char* kTitleFormat = "KELCC - 工程:%1";
    static constexpr const char* kNewProjectTitle = "新建配置工程...";
    static constexpr const char* kSaveAsTitle = "工程另存为...";
    static constexpr int kMaxNameCharacters = 30;
    static constexpr int kMaxOpenPathCharacters = 255;

    static constexpr const char* kEnterNameText = "请输入工程名称.";
    static constexpr const char* kEnterPathText = "请输入存储路径.";
    static constexpr const char* kMissingPathText = "\"%1\" 不存在的目录路径,创建工程失败.";
    static constexpr const char* kFolderExistsText = "文件夹已存在,覆盖该文件夹吗?";
    static constexpr const char* kCreateProjectFailedText = "创建工程失败.";
    static constexpr const char* kCreatePlcFailedText = "创建PLC程序文件失败.";
    static constexpr const char* kCreateParametersFailedText = "创建参数文件失败.";
    static constexpr const char* kCreateToolOffsetsFailedText = "创建刀补文件失败.";
    static constexpr const char* kCreatePitchFailedText = "创建螺补文件失败.";
    static constexpr const char* kBadExtensionText = "文件扩展名错误!";
    static constexpr const char* kNameTooLongText = "文件名过长!";
    static constexpr const char* kOpenFailedText = "文件打开失败!";
    static constexpr const char* kUnsupportedVersionText = "不支持的文件版本!";
    static constexpr const char* kNoProjectFileText = "路径名 %1 无效,未找到工程文件!";
    static constexpr const char* kSaveQuestionText = "是否保存当前打开的工程?";
    static constexpr const char* kWrongLadderExtensionText = "错误的文件扩展名!";
    static constexpr const char* kEnterFilePathText = "请输入文件路径!";
    static constexpr const char* kFileNotFoundText = "未找到文件 \"%1\" !";
    static constexpr const char* kOverwriteLadderText =
        "将覆盖当前工程中的梯形图程序,确定要继续吗?";
    static constexpr const char* kOverwriteStagedText = "工程文件夹中已存在文件 %1 ,覆盖该文件吗?";
    static constexpr const char* kPlcDamagedText = "PLC程序文件数据不完整或已破坏!";

    enum class OpenOutcome {
        Opened,       // the project is open (ProjectOpen also needs its PLC information)
        NothingDone,  // already open, or the user kept the current project
        Failed,       // refused; the user was told where the Part says so
    };

    struct ImportRequest {
        bool intoOpenProject = false;
        std::string sourcePath;
        // Where the file is staged; empty: the temporary folder + "plc.tmp".
        std::string stagingFolder;
    };

    Project(common::Interaction& interaction, ProjectHost& host);

    // --- state ---
    bool hasProject() const noexcept { return !m_folder.empty(); }
    const std::string& folder() const noexcept { return m_folder; }
    const std::string& name() const noexcept { return m_name; }
    bool projectOpen() const noexcept { return m_projectOpen; }
    bool projectModified() const noexcept { return m_modified; }
    bool plcCompiled() const noexcept { return m_plcCompiled; }
    std::string windowTitle() const;
    std::string projectFilePath() const;
    std::string plcProgramPath() const;
    std::string filePath(const std::string& fileName) const;
    ProjectTree& tree() noexcept { return m_tree; }
    const ProjectTree& tree() const noexcept { return m_tree; }
    common::Interaction& interaction() const noexcept { return m_ui; }
    ProjectHost& host() const noexcept { return m_host; }
    // The open documents of the project's files, shared by their windows.
    DocumentRegistry& documents() noexcept { return m_documents; }

    // --- plc::ProjectState ---
    void markProjectModified() override { markProjectModified(true); }
    void setPlcCompiled(bool compiled) override { m_plcCompiled = compiled; }
    std::string plcInfo(int index) const override;
    void setPlcInfo(int index, std::string text) override;
    std::string saveProjectFile() override;

    void markProjectModified(bool modified) noexcept { m_modified = modified; }

    // --- commands ---
    bool newProject(const LocationDialog& dialog);
    // After the open dialog; `chosenPath` names an existing file.
    OpenOutcome openProject(const std::string& chosenPath);
    // From the recent-files list and the reopening at start-up.
    OpenOutcome openProjectByPath(const std::string& path);
    bool closeProjectAsk();
    bool closeProject() { return closeProjectAsk(); }
    // Closing the main window: false keeps the program running. No drops
    // the edits (nothing is saved); the caller then runs saveProject().
    bool confirmExit();
    bool saveProject();
    bool saveProjectAs(const LocationDialog& dialog);
    bool importPlcProgram(const ImportRequest& request, const LocationDialog& newProjectDialog);

    bool loadProjectFile(const std::string& path, bool rebuild);
    // The same from the file's bytes (the file could be read).
    bool loadProjectBytes(std::string_view bytes, bool rebuild);
    // The project file as WriteProjectFile would write it now.
    std::string projectFileBytes() const { return buildProjectFile(); }
    // Writes the project file; a failure has been shown to the user.
    bool writeProjectFile();
    bool adoptStagedFiles(const std::string& stagingFolder, bool reload);
    bool openProjectItem(const std::string& path, ProjectItemType type, bool exists);
    // Open on a file entry of the tree (commands 5000 and 5011).
    bool openTreeEntry(ProjectTree::Entry entry);
    // PLC program properties: true when the texts changed.
    bool setPlcProperties(const std::array<std::string, kInfoTexts>& texts);

    // --- checks of the dialogs (message shown, dialog stays open) ---
    bool checkLocation(const ProjectLocation& location) const;
    // ImportLadderDialog's OK.
    bool checkImportPath(const std::string& path) const;
    // A file chosen with the dialog's browse button.
    bool checkBrowsedLadder(const std::string& path) const;

    // The file's bytes copied to `to` atomically; false with the error text.
    static common::FileResult copyFile(const std::string& from, const std::string& to);
    static bool samePath(const std::string& a, const std::string& b);

private:
    std::optional<ProjectLocation> askLocation(const LocationDialog& dialog) const;
    std::optional<std::string> prepareFolder(const ProjectLocation& location);
    bool createProjectFiles();
    void closeEverything();
    void forgetProject();
    bool readPlcInformation();
    void finishOpen(const std::string& path);
    OpenOutcome adoptProjectFile(const std::string& path, bool addToRecent);
    void tell(const std::string& text, common::MessageIcon icon) const;
    std::string buildProjectFile() const;
    bool adoptOne(const std::string& stagingFolder, const std::string& fileName);

    common::Interaction& m_ui;
    ProjectHost& m_host;
    std::string m_folder;
    std::string m_name;
    bool m_projectOpen = false;
    bool m_modified = false;
    bool m_plcCompiled = true;
    std::array<std::string, kInfoTexts> m_info;
    ProjectTree m_tree;
    DocumentRegistry m_documents;
};

}  // namespace kelcc::core::app
