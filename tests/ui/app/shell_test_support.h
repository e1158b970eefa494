#pragma once

#include <QTemporaryDir>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/app_settings.h"
#include "app/document_kinds.h"
#include "app/document_window.h"
#include "app/main_window.h"
#include "app/plc_properties_dialog.h"
#include "app/workbench_dialogs.h"
#include "common/interaction.h"

namespace kelcc::ui {
class KValueDialog;
}

namespace kelcc::ui::test {

// Dialog answers given by the test; what the dialogs were shown is kept.
// The PLC dialogs are the real ones, driven by the test before their OK.
class ScriptedDialogs final : public WorkbenchDialogs {
public:
    std::optional<core::app::ProjectLocation> projectLocation(
        QWidget*, const QString& title, const core::app::ProjectLocation& preset) override;
    std::optional<QString> projectFileToOpen(QWidget*) override { return fileToOpen; }
    std::optional<core::app::SettingsRules::Options> options(
        QWidget*, const core::app::SettingsRules::Options& current) override {
        optionsShown = current;
        return optionsAnswer;
    }
    std::optional<PlcTexts> plcProperties(QWidget* parent, const QString& title,
                                          const PlcTexts& current,
                                          core::common::Interaction& interaction) override;
    bool kValues(QWidget* parent, core::plc_tables::KTableModel& table, bool english) override;

    std::deque<std::optional<core::app::ProjectLocation>> locations;
    std::vector<std::pair<QString, core::app::ProjectLocation>> locationCalls;
    std::optional<QString> fileToOpen;
    std::optional<core::app::SettingsRules::Options> optionsAnswer;
    std::optional<core::app::SettingsRules::Options> optionsShown;
    std::function<void(PlcPropertiesDialog&)> properties;
    std::function<void(KValueDialog&)> kValuesDriver;
    QString propertiesTitle;
};

// A document window that loads and saves nothing and counts its saves.
class CountingDocument final : public DocumentWindow {
    Q_OBJECT

public:
    using DocumentWindow::DocumentWindow;
    bool load() override { return true; }
    bool isModified() const override { return m_modified; }
    void setModified(bool modified) override { m_modified = modified; }
    bool saveSilently() override {
        ++saves;
        m_modified = false;
        return true;
    }

    static inline int saves = 0;

private:
    bool m_modified = false;
};

// A main window over a temporary settings file, its messages recorded and
// its dialogs answered by the test. The tool-offset window kind is stood in
// by CountingDocument while the fixture lives.
class ShellFixture {
public:
    ShellFixture();
    ~ShellFixture();

    // Registers window kinds for the fixture's life and opens a copy of the
    // demo project in m_folder.
    void openDemo(const std::vector<core::app::ProjectItemType>& kinds,
                  const std::function<void()>& registerKinds);
    // A project made by the window's New project command.
    void createProject(const std::string& name);
    std::string folder() const { return m_dir.path().toStdString(); }
    bool recorded(const std::string& text, const std::string& caption = {}) const;

    QTemporaryDir m_dir;
    std::unique_ptr<AppSettings> m_settings;
    ScriptedDialogs m_dialogs;
    core::common::RecordingInteraction m_recorder;
    std::unique_ptr<MainWindow> m_window;
    DocumentKinds::Factory m_previousKind;
    std::vector<std::pair<core::app::ProjectItemType, DocumentKinds::Factory>> m_previousKinds;
    std::filesystem::path m_folder;
};

}  // namespace kelcc::ui::test
