#include "app/workbench_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrinter>

#include "app/about_dialog.h"
#include "app/import_ladder_dialog.h"
#include "app/new_project_dialog.h"
#include "app/options_dialog.h"
#include "app/plc_properties_dialog.h"
#include "plc_tables/k_value_dialog.h"

namespace kelcc::ui {

std::optional<core::app::ProjectLocation> WorkbenchDialogs::projectLocation(
    QWidget* parent, const QString& title, const core::app::ProjectLocation& preset) {
    NewProjectDialog dialog(title, preset, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.location();
}

std::optional<QString> WorkbenchDialogs::projectFileToOpen(QWidget* parent) {
    QFileDialog dialog(parent, QCoreApplication::translate("WorkbenchDialogs", "打开工程..."));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QCoreApplication::translate("WorkbenchDialogs", "配置工程文件(*.gpr)"));
    dialog.setDefaultSuffix(QStringLiteral("gpr"));
    dialog.setDirectory(QDir::currentPath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<core::app::Project::ImportRequest> WorkbenchDialogs::importLadder(
    QWidget* parent, const core::app::Project& project) {
    ImportLadderDialog dialog(project, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.request();
}

std::optional<core::app::SettingsRules::Options> WorkbenchDialogs::options(
    QWidget* parent, const core::app::SettingsRules::Options& current) {
    OptionsDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

std::optional<WorkbenchDialogs::PlcTexts> WorkbenchDialogs::plcProperties(
    QWidget* parent, const QString& title, const PlcTexts& current,
    core::common::Interaction& interaction) {
    PlcPropertiesDialog dialog(title, current, interaction, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.texts();
}

bool WorkbenchDialogs::kValues(QWidget* parent, core::plc_tables::KTableModel& table,
                               bool english) {
    KValueDialog dialog(table, english, parent);
    return dialog.exec() == QDialog::Accepted;
}

void WorkbenchDialogs::about(QWidget* parent, const QString& programFolder) {
    AboutDialog dialog(programFolder, parent);
    dialog.exec();
}

void WorkbenchDialogs::printSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

}  // namespace kelcc::ui
