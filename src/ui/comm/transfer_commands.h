#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/project.h"
#include "app/settings_rules.h"
#include "comm/deferred_interaction.h"
#include "comm/link_event_pump.h"
#include "comm/port_paths.h"
#include "comm/transfer_progress_window.h"
#include "transfer/session_driver.h"
#include "transfer/transfer_session.h"

class QAction;
class QLabel;
class QMainWindow;
class QMenu;

namespace kelcc::ui {

class AppSettings;
class TransferDialogs;

// The Transfer menu of the main window: communication settings, connect
// and disconnect, send the project and read from the controller, the
// progress window, uploads the controller starts and the question when
// quitting while connected. The session logic is the core's; this runs it
// on the user-interface thread and shows what it says.
class TransferCommands final : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kDeviceKeyFormat = "device%1";
    static constexpr const char* kSendCaption = "传送至CNC";
    static constexpr const char* kStaleProjectText =
        "工程有未保存的修改,或PLC程序尚未编译.\r\n"
        "选择\"是\"先保存(并编译)工程再传送,选择\"否\"按磁盘上的文件传送.";
    static constexpr const char* kNotCompiledText = "PLC程序未能编译,工程未传送.";

    TransferCommands(QMainWindow& window, AppSettings& settings, core::app::Project& project,
                     core::common::Interaction& ui,
                     std::function<core::app::LocationDialog()> newProjectDialog);
    ~TransferCommands() override;

    QMenu* createMenu(QWidget* parent);
    // A command that opens the line itself (the compare): in the menu, and
    // enabled only while this link is closed.
    void addLineCommand(QAction* action);
    // Tests answer the dialogs; nullptr goes back to the real ones.
    void setDialogs(TransferDialogs* dialogs);
    // Follows the link and the project; called after every change.
    void updateActions();
    // Closing the main window: false keeps the program running; true once
    // the link is closed.
    bool confirmQuit();

    // --- commands ---
    void editCommSettings();
    void connectToCnc();
    void disconnectFromCnc();
    void sendToCnc();
    void readFromCnc();

    QAction* connectAction() const { return m_connect; }
    QAction* disconnectAction() const { return m_disconnect; }
    QAction* sendAction() const { return m_send; }
    QAction* readAction() const { return m_read; }
    QAction* settingsAction() const { return m_settingsAction; }
    QLabel* linkStatus() const { return m_status; }
    TransferProgressWindow* progressWindow() const { return m_progress; }
    core::transfer::TransferSession& session() { return m_driver.session(); }
    core::transfer::SessionDriver& driver() { return m_driver; }
    LinkEventPump& pump() { return m_pump; }
    // What the next connection uses.
    core::app::SettingsRules::Communication communication() const { return m_comm; }
    core::comm::PortPaths portPaths() const;
    const QString& tempFolder() const { return m_tempPath; }

private:
    enum class Waiting { None, Connect, Disconnect };

    // A wait cursor until the command has its answer.
    void waitFor(Waiting what);
    // Shows the session's state: progress window, main window, menu, status.
    void sync();
    void openSendDialog();
    void openReadDialog(const core::transfer::TransferSession::ReadChoices& choices);
    void offerUpload(const std::string& path);
    // The question before sending a project that differs from its files.
    bool projectReadyToSend();
    QString deviceKey(int port) const;

    QMainWindow& m_window;
    AppSettings& m_settings;
    core::app::Project& m_project;
    core::common::Interaction& m_ui;
    std::unique_ptr<TransferDialogs> m_realDialogs;
    TransferDialogs* m_dialogs;
    std::function<core::app::LocationDialog()> m_newProjectDialog;
    core::app::SettingsRules::Communication m_comm;

    QTemporaryDir m_temp;
    QString m_tempPath;
    DeferredInteraction m_messages;
    core::transfer::SessionDriver m_driver;
    core::transfer::TransferSession& m_session;
    LinkEventPump m_pump;
    QTimer m_progressRefresh;
    QPointer<TransferProgressWindow> m_progress;
    Waiting m_waitingFor = Waiting::None;
    bool m_windowDisabled = false;

    QAction* m_connect = nullptr;
    QAction* m_disconnect = nullptr;
    QAction* m_send = nullptr;
    QAction* m_read = nullptr;
    QAction* m_settingsAction = nullptr;
    QMenu* m_menu = nullptr;
    QList<QAction*> m_lineCommands;
    QLabel* m_status = nullptr;
};

}  // namespace kelcc::ui
