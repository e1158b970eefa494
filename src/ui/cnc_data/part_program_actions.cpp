#include "cnc_data/part_program_actions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/document_kinds.h"
#include "app/message_translator.h"
#include "app/part_program_commands.h"
#include "app/project.h"
#include "app/workbench.h"
#include "cnc_data/delete_program_dialog.h"
#include "cnc_data/part_program_dialogs.h"
#include "cnc_data/part_program_window.h"
#include "cnc_data/program_name_dialog.h"

namespace kelcc::ui {

namespace {

using core::app::PartProgramCommands;
using core::app::Project;

std::vector<std::string> programNames(const Project& project) {
    std::vector<std::string> names;
    for (const auto& program : project.tree().enumeratePrograms())
        names.push_back(program.name);
    return names;
}

// The tree pane redraws only when the list of programs changed.
class TreeWatch final {
public:
    explicit TreeWatch(Workbench& workbench)
        : m_workbench(workbench), m_before(programNames(workbench.project())) {}
    TreeWatch(const TreeWatch&) = delete;
    TreeWatch& operator=(const TreeWatch&) = delete;
    ~TreeWatch() {
        if (programNames(m_workbench.project()) != m_before) m_workbench.refreshProjectTree();
    }

private:
    Workbench& m_workbench;
    std::vector<std::string> m_before;
};

// The first O number the project does not use, in its tree or as a file in
// its folder, so that the preset does not ask to overwrite anything.
std::string freeProgramName(const Project& project) {
    const std::vector<std::string> taken = programNames(project);
    for (int number = 1; number <= 9999; ++number) {
        char name[8];
        std::snprintf(name, sizeof name, "O%04d", number);
        if (std::find(taken.begin(), taken.end(), name) != taken.end()) continue;
        if (QFileInfo::exists(QString::fromStdString(project.filePath(std::string(name) + ".cnc"))))
            continue;
        return name;
    }
    return PartProgramCommands::kPresetName;
}

std::optional<std::string> askName(ProgramNameDialog& dialog) {
    if (PartProgramDialogs::exec(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.typedName();
}

}  // namespace

bool PartProgramActions::newProgram(Workbench& workbench) {
    Project& project = workbench.project();
    if (!project.hasProject()) return false;
    ProgramNameDialog dialog(ProgramNameDialog::Kind::NewProgram, workbench.dialogParent());
    dialog.setName(QString::fromStdString(freeProgramName(project)));
    // A refused name keeps the dialog open; the core checks the name again
    // and asks about an existing file, after which the same dialog, with
    // what was typed, comes back on Cancel.
    dialog.setCheck([&project](const std::string& name) {
        return PartProgramCommands::checkName(name, project.interaction(),
                                              PartProgramCommands::kNewTitle)
            .has_value();
    });
    const TreeWatch watch(workbench);
    return PartProgramCommands::newProgram(project, [&dialog] { return askName(dialog); });
}

bool PartProgramActions::importProgram(Workbench& workbench) {
    Project& project = workbench.project();
    if (!project.hasProject()) return false;
    QFileDialog files(workbench.dialogParent(),
                      QCoreApplication::translate("PartProgramActions", "加工程序文件"));
    files.setAcceptMode(QFileDialog::AcceptOpen);
    files.setFileMode(QFileDialog::ExistingFile);
    files.setNameFilter(
        QCoreApplication::translate("PartProgramActions", "CNC加工程序文件(*.cnc)"));
    files.setDefaultSuffix(QStringLiteral("cnc"));
    if (PartProgramDialogs::exec(files) != QDialog::Accepted || files.selectedFiles().isEmpty())
        return false;
    const std::string source = QFile::encodeName(files.selectedFiles().constFirst()).toStdString();

    ProgramNameDialog dialog(ProgramNameDialog::Kind::ImportProgram, workbench.dialogParent());
    dialog.setName(QString::fromStdString(PartProgramCommands::importPreset(source)));
    const TreeWatch watch(workbench);
    return PartProgramCommands::importProgram(project, source,
                                              [&dialog] { return askName(dialog); });
}

bool PartProgramActions::openProgram(Workbench& workbench, const std::string& name) {
    return PartProgramCommands::openProgram(workbench.project(), name);
}

bool PartProgramActions::deleteProgram(Workbench& workbench, const std::string& name) {
    Project& project = workbench.project();
    if (!project.hasProject() || project.tree().findProgram(name) == nullptr) return false;
    DeleteProgramDialog dialog(QString::fromStdString(name), workbench.dialogParent());
    if (PartProgramDialogs::exec(dialog) != QDialog::Accepted) return false;
    const TreeWatch watch(workbench);
    return PartProgramCommands::deleteProgram(project, name, dialog.deleteFile());
}

void PartProgramActions::registerWindowKind() {
    MessageTranslator::addTemplates({PartProgramCommands::kExistsText,
                                     PartProgramWindow::kNotGbkText,
                                     PartProgramWindow::kUnsavableText});
    DocumentKinds::registerKind(
        core::app::ProjectItemType::PartProgram,
        [](Workbench& workbench, const std::string& path, core::app::ProjectItemType) {
            return new PartProgramWindow(workbench, path);
        });
}

}  // namespace kelcc::ui
