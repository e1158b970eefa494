#include "shell_test_support.h"

#include "plc_tables/k_value_dialog.h"

namespace kelcc::ui::test {

using core::app::ProjectItemType;

std::optional<core::app::ProjectLocation> ScriptedDialogs::projectLocation(
    QWidget*, const QString& title, const core::app::ProjectLocation& preset) {
    locationCalls.emplace_back(title, preset);
    if (locations.empty()) return std::nullopt;
    auto answer = locations.front();
    locations.pop_front();
    return answer;
}

std::optional<WorkbenchDialogs::PlcTexts> ScriptedDialogs::plcProperties(
    QWidget* parent, const QString& title, const PlcTexts& current,
    core::common::Interaction& interaction) {
    propertiesTitle = title;
    PlcPropertiesDialog dialog(title, current, interaction, parent);
    if (properties) properties(dialog);
    if (dialog.result() != QDialog::Accepted) return std::nullopt;
    return dialog.texts();
}

bool ScriptedDialogs::kValues(QWidget* parent, core::plc_tables::KTableModel& table, bool english) {
    KValueDialog dialog(table, english, parent);
    if (kValuesDriver) kValuesDriver(dialog);
    return dialog.result() == QDialog::Accepted;
}

ShellFixture::ShellFixture()
    : m_settings(std::make_unique<AppSettings>(m_dir.filePath(QStringLiteral("KELCC.ini")))),
      m_previousKind(DocumentKinds::factory(ProjectItemType::ToolOffsets)) {
    // Only the windows the tests open themselves.
    m_settings->setValue("Options", "AutoOpen", "0");
    DocumentKinds::registerKind(
        ProjectItemType::ToolOffsets,
        [](Workbench& workbench, const std::string& path, ProjectItemType type) {
            return new CountingDocument(workbench, path, type);
        });
    m_window = std::make_unique<MainWindow>(*m_settings, 0, m_dialogs);
    m_window->messageBoxes().setTestRecorder(&m_recorder);
    CountingDocument::saves = 0;
}

ShellFixture::~ShellFixture() {
    m_window.reset();
    for (const auto& [type, factory] : m_previousKinds) {
        if (factory)
            DocumentKinds::registerKind(type, factory);
        else
            DocumentKinds::unregisterKind(type);
    }
    DocumentKinds::registerKind(ProjectItemType::ToolOffsets, m_previousKind);
}

void ShellFixture::openDemo(const std::vector<ProjectItemType>& kinds,
                            const std::function<void()>& registerKinds) {
    for (ProjectItemType type : kinds)
        m_previousKinds.emplace_back(type, DocumentKinds::factory(type));
    registerKinds();
    m_folder = std::filesystem::path(folder()) / "LatheDemo";
    std::filesystem::copy(KELCC_DEMO_DIR, m_folder);
    m_window->show();
    m_window->openProjectByPath(QString::fromStdString((m_folder / "LatheDemo.gpr").string()));
}

void ShellFixture::createProject(const std::string& name) {
    m_dialogs.locations.push_back(core::app::ProjectLocation{name, folder()});
    m_window->newProject();
}

bool ShellFixture::recorded(const std::string& text, const std::string& caption) const {
    for (const auto& message : m_recorder.messages())
        if (message.text == text && (caption.empty() || message.caption == caption)) return true;
    return false;
}

}  // namespace kelcc::ui::test
