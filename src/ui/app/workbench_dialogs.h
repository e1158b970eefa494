#pragma once

#include <QString>
#include <array>
#include <optional>
#include <string>

#include "app/project.h"
#include "app/settings_rules.h"

class QPrinter;

namespace kelcc::core::common {
class Interaction;
}
namespace kelcc::core::plc_tables {
class KTableModel;
}
class QWidget;

namespace kelcc::ui {

// Every modal dialog the main window's commands need, behind one seam: the
// program shows the real dialogs, tests answer in their place.
class WorkbenchDialogs {
public:
    using PlcTexts = std::array<std::string, core::plc::ProjectState::kInfoTexts>;

    virtual ~WorkbenchDialogs() = default;

    // NewProjectDialog with that title; `preset` holds the texts of the
    // previous, refused answer (empty at first).
    virtual std::optional<core::app::ProjectLocation> projectLocation(
        QWidget* parent, const QString& title, const core::app::ProjectLocation& preset);
    virtual std::optional<QString> projectFileToOpen(QWidget* parent);
    virtual std::optional<core::app::Project::ImportRequest> importLadder(
        QWidget* parent, const core::app::Project& project);
    virtual std::optional<core::app::SettingsRules::Options> options(
        QWidget* parent, const core::app::SettingsRules::Options& current);
    // "梯形图属性" and "程序版本信息" (by title): the texts are GBK bytes as
    // the project holds them.
    virtual std::optional<PlcTexts> plcProperties(QWidget* parent, const QString& title,
                                                  const PlcTexts& current,
                                                  core::common::Interaction& interaction);
    // "K值设置" over the PLC document's K table; true when OK stored it.
    virtual bool kValues(QWidget* parent, core::plc_tables::KTableModel& table, bool english);
    virtual void about(QWidget* parent, const QString& programFolder);
    virtual void printSetup(QWidget* parent, QPrinter& printer);
};

}  // namespace kelcc::ui
