#include "transfer/session_driver.h"

#include <algorithm>
#include <ctime>
#include <memory>

#include "comm/posix_serial_port.h"
#include "comm/serial_port.h"

namespace kelcc::core::transfer {
namespace {

using Clock = comm::LinkHost::Clock;

std::unique_ptr<comm::PosixSerialPort> makePort(const comm::PortPaths& paths,
                                                comm::PosixSerialPort*& raw) {
    auto port = std::make_unique<comm::PosixSerialPort>(paths);
    raw = port.get();
    return port;
}

}  // namespace

SessionDriver::SessionDriver(const comm::PortPaths& paths, common::Interaction& ui,
                             app::Project& project, const std::string& tempFolder)
    : m_ui(ui),
      m_host(makePort(paths, m_serial)),
      m_port(m_host, 1, 115200),
      m_session(*this, m_host, m_port, *this, project,
                TransferSession::Options{
                    tempFolder, [] { return static_cast<std::uint64_t>(std::time(nullptr)); }}) {
    TransferSession::Callbacks callbacks;
    callbacks.sendDialog = [this] {
        m_sendDialog = true;
        if (m_callbacks.sendDialog) m_callbacks.sendDialog();
    };
    callbacks.readDialog = [this](const TransferSession::ReadChoices& choices) {
        m_choices = choices;
        m_readDialog = true;
        if (m_callbacks.readDialog) m_callbacks.readDialog(choices);
    };
    callbacks.listed = [this](int area, const std::vector<comm::FileEntry>& entries) {
        m_lists[area] = entries;
        if (m_callbacks.listed) m_callbacks.listed(area, entries);
    };
    callbacks.uploadReceived = [this](const std::string& path) {
        if (m_callbacks.uploadReceived) m_callbacks.uploadReceived(path);
    };
    m_session.setCallbacks(std::move(callbacks));
    m_host.setInput(&m_input);
}

SessionDriver::~SessionDriver() {
    m_host.setInput(nullptr);
    m_port.setWatcher({});
    m_host.close();
}

void SessionDriver::setLine(int portNumber, std::int32_t baud, const comm::PortPaths& paths) {
    m_port.setLine(portNumber, baud);
    m_serial->setPaths(paths);
}

void SessionDriver::setLineWatcher(std::function<void(bool)> watcher) {
    m_port.setWatcher(std::move(watcher));
}

std::string SessionDriver::devicePath() const {
    return m_serial->paths().path(m_port.portNumber()).value_or(std::string());
}

bool SessionDriver::told(const std::string& text) const {
    return std::find(m_texts.begin(), m_texts.end(), text) != m_texts.end();
}

std::uint32_t SessionDriver::nowMs() const {
    return m_host.nowMs() + static_cast<std::uint32_t>(m_skew.load());
}

void SessionDriver::inform(const std::string& text, const std::string& caption,
                           common::MessageIcon icon) {
    m_texts.push_back(text);
    m_ui.inform(text, caption, icon);
}

common::Answer SessionDriver::ask(const std::string& text, const std::string& caption,
                                  const std::vector<common::Answer>& buttons,
                                  common::MessageIcon icon) {
    m_texts.push_back(text);
    return m_ui.ask(text, caption, buttons, icon);
}

void SessionDriver::transferTimer() {
    if (!m_session.transferTimerRunning()) return;
    m_session.onTransferTimer();
    if (m_progressHook) m_progressHook();
}

bool SessionDriver::runUntil(const std::function<bool()>& done, std::chrono::milliseconds bound) {
    const auto deadline = Clock::now() + bound;
    while (!done()) {
        // A line that is gone will not answer; the engine's time-outs
        // would change nothing.
        if (m_endOnLineLoss && m_host.stoppedCount() > 0 && m_host.isOpen()) {
            m_port.close();
            return false;
        }
        if (m_cancel != nullptr && m_cancel->load()) {
            if (m_session.running()) m_session.userCancel();
            return false;
        }
        const auto now = Clock::now();
        if (now >= deadline) return false;
        const auto step = std::min<std::chrono::milliseconds>(
            kTransferPeriod, std::chrono::ceil<std::chrono::milliseconds>(deadline - now));
        if (m_host.runUntil(done, step)) return true;
        transferTimer();
    }
    return true;
}

SessionDriver::Connected SessionDriver::connect(std::chrono::milliseconds bound) {
    // A failed handshake is followed by a disconnect and one more try; a
    // link given up meanwhile has told its reason.
    m_session.connectCommand();
    const bool settled = runUntil(
        [this] {
            return m_session.connected() || told(TransferSession::kPortBusyText) ||
                   told(comm::SerialPort::kPermissionDeniedText) ||
                   told(TransferSession::kConnectFailedText) || !m_session.linkOpen();
        },
        bound);
    if (m_session.connected()) return Connected::Yes;
    if (settled) return Connected::Refused;
    m_port.close();
    return Connected::NoAnswer;
}

bool SessionDriver::awaitReadDialog(std::chrono::milliseconds bound) {
    m_session.readFromCncCommand();
    runUntil(
        [this] {
            return m_readDialog || told(TransferSession::kListFailedText) || !m_session.linkOpen();
        },
        bound);
    return m_readDialog;
}

bool SessionDriver::awaitSendDialog(std::chrono::milliseconds bound) {
    m_session.sendToCncCommand();
    runUntil([this] { return m_sendDialog || !m_session.linkOpen(); }, bound);
    return m_sendDialog;
}

bool SessionDriver::awaitEnd(std::chrono::milliseconds bound) {
    const bool ended = runUntil([this] { return !m_session.running(); }, bound);
    if (!ended && m_session.running()) m_session.userCancel();
    return ended;
}

bool SessionDriver::finish(std::chrono::milliseconds bound) {
    // A session that ended with the link still up (a refused file) is
    // disconnected here; after a finished one this only waits.
    if (m_session.linkOpen() && !m_session.running()) m_session.disconnectCommand();
    const bool closed = runUntil([this] { return !m_session.linkOpen(); }, bound);
    if (!closed) m_port.close();
    return closed;
}

}  // namespace kelcc::core::transfer
