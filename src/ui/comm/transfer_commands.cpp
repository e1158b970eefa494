#include "comm/transfer_commands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

#include "app/app_settings.h"
#include "comm/transfer_dialogs.h"
#include "comm/transfer_progress_window.h"

namespace kelcc::ui {

using core::app::SettingsRules;
using core::common::Answer;
using core::common::MessageIcon;
using core::transfer::TransferSession;

namespace {

// The controller answers a disconnect within the engine's own time-outs;
// this only keeps a dead line from holding the program at its exit.
constexpr int kQuitDisconnectBoundMs = 15000;
constexpr int kProgressRefreshMs = 100;

std::optional<std::string> cut(std::optional<std::string> text, std::size_t characters) {
    if (text && text->size() > characters) text->resize(characters);
    return text;
}

}  // namespace

TransferCommands::TransferCommands(QMainWindow& window, AppSettings& settings,
                                   core::app::Project& project, core::common::Interaction& ui,
                                   std::function<core::app::LocationDialog()> newProjectDialog)
    : QObject(&window),
      m_window(window),
      m_settings(settings),
      m_project(project),
      m_ui(ui),
      m_realDialogs(std::make_unique<TransferDialogs>()),
      m_dialogs(m_realDialogs.get()),
      m_newProjectDialog(std::move(newProjectDialog)),
      m_comm(settings.communication()),
      m_temp(QDir::tempPath() + QStringLiteral("/kelcc-XXXXXX")),
      m_tempPath(m_temp.isValid() ? m_temp.path() : QDir::tempPath()),
      m_messages(ui),
      m_driver(core::comm::PortPaths{}, m_messages, project, m_tempPath.toStdString()),
      m_session(m_driver.session()),
      m_pump(m_driver) {
    // A staging folder kept after a failed adoption holds received files;
    // they stay.
    m_temp.setAutoRemove(false);
    connect(&m_pump, &LinkEventPump::dispatched, this, &TransferCommands::sync);
    m_progressRefresh.setSingleShot(true);
    m_progressRefresh.setInterval(kProgressRefreshMs);
    connect(&m_progressRefresh, &QTimer::timeout, this, [this] {
        if (!m_progress.isNull() && m_session.view().shown)
            m_progress->showState(m_session.view(), m_session.progress());
    });

    // Dialogs open once the engine call that asked for them has returned.
    TransferSession::Callbacks callbacks;
    callbacks.sendDialog = [this] { QTimer::singleShot(0, this, [this] { openSendDialog(); }); };
    callbacks.readDialog = [this](const TransferSession::ReadChoices& choices) {
        QTimer::singleShot(0, this, [this, choices] { openReadDialog(choices); });
    };
    callbacks.uploadReceived = [this](const std::string& path) {
        QTimer::singleShot(0, this, [this, path] { offerUpload(path); });
    };
    m_driver.setCallbacks(std::move(callbacks));

    m_settingsAction = new QAction(tr("通信设置(&M)"), this);
    connect(m_settingsAction, &QAction::triggered, this, &TransferCommands::editCommSettings);
    m_connect = new QAction(tr("与CNC建立连接(&N)"), this);
    connect(m_connect, &QAction::triggered, this, &TransferCommands::connectToCnc);
    m_disconnect = new QAction(tr("断开与CNC的连接(&C)"), this);
    connect(m_disconnect, &QAction::triggered, this, &TransferCommands::disconnectFromCnc);
    m_send = new QAction(tr("传送至CNC(&U)..."), this);
    connect(m_send, &QAction::triggered, this, &TransferCommands::sendToCnc);
    m_read = new QAction(tr("从CNC读入(&D)..."), this);
    connect(m_read, &QAction::triggered, this, &TransferCommands::readFromCnc);

    m_status = new QLabel(&window);
    window.statusBar()->addPermanentWidget(m_status);
    updateActions();
}

TransferCommands::~TransferCommands() {
    m_driver.closeLine();
    delete m_progress.data();
    if (m_waitingFor != Waiting::None) QApplication::restoreOverrideCursor();
    // Uploads nobody saved go; a kept staging folder stays (see the
    // constructor), and with it the folder around it.
    if (!m_temp.isValid()) return;
    QDir temp(m_tempPath);
    for (const QString& upload : temp.entryList({QStringLiteral("*.tmp")}, QDir::Files))
        temp.remove(upload);
    QDir().rmdir(m_tempPath);
}

void TransferCommands::setDialogs(TransferDialogs* dialogs) {
    m_dialogs = dialogs != nullptr ? dialogs : m_realDialogs.get();
}

QMenu* TransferCommands::createMenu(QWidget* parent) {
    auto* menu = new QMenu(tr("通讯(&C)"), parent);
    menu->addAction(m_connect);
    menu->addAction(m_disconnect);
    menu->addSeparator();
    menu->addAction(m_send);
    menu->addAction(m_read);
    menu->addSeparator();
    menu->addAction(m_settingsAction);
    connect(menu, &QMenu::aboutToShow, this, &TransferCommands::updateActions);
    m_menu = menu;
    return menu;
}

void TransferCommands::addLineCommand(QAction* action) {
    m_lineCommands.append(action);
    if (m_menu != nullptr) m_menu->insertAction(m_settingsAction, action);
    if (m_menu != nullptr) m_menu->insertSeparator(m_settingsAction);
    updateActions();
}

void TransferCommands::updateActions() {
    const bool connected = m_session.connected();
    const bool idle = !m_session.running();
    m_connect->setEnabled(!connected && !m_session.linkOpen());
    m_disconnect->setEnabled(connected && idle);
    m_send->setEnabled(connected && idle && m_project.hasProject());
    m_read->setEnabled(connected && idle);
    for (QAction* command : m_lineCommands)
        command->setEnabled(!m_session.linkOpen() && m_project.hasProject());

    const QString device = QString::fromStdString(m_driver.devicePath());
    if (connected)
        m_status->setText(tr("已连接CNC: COM%1 (%2)").arg(m_driver.portNumber()).arg(device));
    else if (m_session.linkOpen())
        m_status->setText(tr("正在连接CNC: COM%1 (%2)").arg(m_driver.portNumber()).arg(device));
    else
        m_status->setText(tr("未连接CNC"));
}

void TransferCommands::sync() {
    const TransferSession::ProgressView& view = m_session.view();
    if (view.shown) {
        if (m_progress.isNull()) {
            // No parent: a disabled main window would disable it too.
            m_progress = new TransferProgressWindow(nullptr);
            connect(m_progress, &TransferProgressWindow::cancelRequested, this, [this] {
                m_session.userCancel();
                sync();
            });
        }
        if (!m_progress->isVisible()) {
            m_progress->showState(view, m_session.progress());
            m_progress->show();
            m_progress->raise();
        } else if (!m_progressRefresh.isActive()) {
            // Ten pictures a second are plenty; painting on every frame of
            // the line would only take time from it.
            m_progressRefresh.start();
        }
    } else if (!m_progress.isNull()) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }

    const bool enable = m_session.mainWindowEnabled();
    if (enable == m_windowDisabled) {
        m_windowDisabled = !enable;
        m_window.setEnabled(enable);
        if (enable) m_window.activateWindow();
    }
    m_pump.follow();

    // A connect has its answer once connected or closed, a disconnect once
    // closed.
    const bool answered =
        !m_session.linkOpen() || (m_waitingFor == Waiting::Connect && m_session.connected());
    if (m_waitingFor != Waiting::None && answered) {
        QApplication::restoreOverrideCursor();
        m_waitingFor = Waiting::None;
    }
    updateActions();
}

// --- settings ---

QString TransferCommands::deviceKey(int port) const {
    return QString::fromLatin1(kDeviceKeyFormat).arg(port);
}

core::comm::PortPaths TransferCommands::portPaths() const {
    core::comm::PortPaths paths;
    for (int port = core::comm::PortPaths::kFirstPort; port <= core::comm::PortPaths::kLastPort;
         ++port) {
        const auto stored =
            m_settings.value(SettingsRules::kCommSection, deviceKey(port).toLatin1().constData());
        if (stored && !stored->empty()) paths.setPath(port, *stored);
    }
    return paths;
}

void TransferCommands::editCommSettings() {
    CommSettingsDialog::Values stored;
    const auto port = cut(m_settings.value(SettingsRules::kCommSection, SettingsRules::kPort), 2);
    const auto baud = cut(m_settings.value(SettingsRules::kCommSection, SettingsRules::kBaud),
                          SettingsRules::kBaudCharacters);
    stored.port = QString::fromStdString(port.value_or(std::string()));
    stored.baud = QString::fromStdString(baud.value_or(std::string()));
    const core::comm::PortPaths paths = portPaths();
    for (int i = 0; i < CommSettingsDialog::kPorts; ++i)
        stored.paths[static_cast<std::size_t>(i)] =
            QString::fromStdString(paths.path(i + 1).value_or(std::string()));
    const auto chosen = m_dialogs->commSettings(&m_window, stored);
    if (!chosen) return;
    // The new values apply to the next connection.
    m_comm.port = chosen->port.toInt();
    m_comm.baud = chosen->baud.toInt();
    m_settings.setValue(SettingsRules::kCommSection, SettingsRules::kPort,
                        chosen->port.toStdString());
    m_settings.setValue(SettingsRules::kCommSection, SettingsRules::kBaud,
                        chosen->baud.toStdString());
    for (int i = 0; i < CommSettingsDialog::kPorts; ++i) {
        const QByteArray key = deviceKey(i + 1).toLatin1();
        const QString path = chosen->paths[static_cast<std::size_t>(i)];
        if (path.isEmpty())
            m_settings.remove(SettingsRules::kCommSection, key.constData());
        else
            m_settings.setValue(SettingsRules::kCommSection, key.constData(), path.toStdString());
    }
    m_settings.sync();
    updateActions();
}

// --- connect and disconnect ---

void TransferCommands::waitFor(Waiting what) {
    if (m_waitingFor == Waiting::None) QApplication::setOverrideCursor(Qt::WaitCursor);
    m_waitingFor = what;
}

void TransferCommands::connectToCnc() {
    if (m_session.connected() || m_session.linkOpen()) return;
    m_driver.setLine(m_comm.port, m_comm.baud, portPaths());
    waitFor(Waiting::Connect);
    m_session.connectCommand();
    sync();
}

void TransferCommands::disconnectFromCnc() {
    if (!m_session.connected() || m_session.running()) return;
    waitFor(Waiting::Disconnect);
    m_session.disconnectCommand();
    sync();
}

bool TransferCommands::confirmQuit() {
    if (!m_session.confirmQuit()) return false;
    QElapsedTimer clock;
    clock.start();
    // Blocks between the line's events; the timer wakes it to look again.
    QTimer wake;
    wake.start(50);
    while (m_session.linkOpen() && clock.elapsed() < kQuitDisconnectBoundMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (m_session.linkOpen()) m_driver.closeLine();
    m_messages.flush();
    sync();
    return true;
}

// --- sessions ---

bool TransferCommands::projectReadyToSend() {
    const bool stale = m_project.projectModified() || m_project.documents().anyModified() ||
                       !m_project.plcCompiled();
    if (!stale) return true;
    const Answer answer =
        m_ui.ask(kStaleProjectText, kSendCaption, {Answer::Yes, Answer::No, Answer::Cancel},
                 MessageIcon::Question);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) return true;
    // Saving the PLC program compiles it first; a failed compile has told
    // the user already.
    if (m_project.documents().anyModified()) m_project.markProjectModified(true);
    if (!m_project.saveProject()) return false;
    if (!m_project.plcCompiled()) {
        m_ui.inform(kNotCompiledText, kSendCaption, MessageIcon::Stop);
        return false;
    }
    return true;
}

void TransferCommands::sendToCnc() {
    if (!m_send->isEnabled() || !projectReadyToSend()) return;
    m_session.sendToCncCommand();
    sync();
}

void TransferCommands::readFromCnc() {
    if (!m_read->isEnabled()) return;
    m_session.readFromCncCommand();
    sync();
}

void TransferCommands::openSendDialog() {
    std::vector<std::string> programs;
    for (const auto& program : m_project.tree().enumeratePrograms())
        programs.push_back(program.name);
    const bool started =
        m_dialogs->sendFiles(&m_window, m_project.name(), programs, m_ui,
                             [this](const core::transfer::SessionList::SendSelection& selection) {
                                 const bool ok = m_session.startSend(selection);
                                 sync();
                                 return ok;
                             });
    if (!started) m_session.dialogCancelled();
    sync();
}

void TransferCommands::openReadDialog(const TransferSession::ReadChoices& choices) {
    const bool started = m_dialogs->readFiles(
        &m_window, choices, m_project.hasProject(), m_ui,
        [this](const core::transfer::SessionList::ReceiveSelection& selection,
               TransferSession::SaveMode mode) {
            const bool ok = m_session.startReceive(selection, mode, m_newProjectDialog());
            sync();
            return ok;
        });
    if (!started) m_session.dialogCancelled();
    sync();
}

void TransferCommands::offerUpload(const std::string& path) {
    const QString uploadPath = QString::fromStdString(path);
    if (!m_dialogs->keepUpload(&m_window, uploadPath)) return;
    const auto target =
        m_dialogs->uploadTarget(&m_window, QFileInfo(uploadPath).completeBaseName());
    if (!target) return;
    const core::common::FileResult saved = TransferSession::saveUpload(path, target->toStdString());
    if (!saved.ok) m_ui.inform(saved.error, core::common::kMessageCaption, MessageIcon::Stop);
}

}  // namespace kelcc::ui
