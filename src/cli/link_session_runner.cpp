#include "link_session_runner.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <memory>

#include "comm/posix_serial_port.h"
#include "comm/serial_port.h"

namespace kelcc::cli {
namespace {

using namespace std::chrono_literals;
using core::comm::FileEntry;
using core::comm::PosixSerialPort;
using core::transfer::SessionList;
using core::transfer::TransferSession;

// The handshake and a retry take a few seconds at most; a list or the
// dialog's turn a little more. The engine ends a stalled session on its own
// time-outs; the session bound only keeps a broken line from hanging us.
constexpr auto kConnectBound = 60s;
constexpr auto kDialogBound = 60s;
constexpr auto kCloseBound = 30s;
constexpr auto kSessionBound = 3600s;
constexpr auto kTimerPeriod = std::chrono::milliseconds(TransferSession::kTransferTimerMs);

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

LinkSessionRunner::LinkSessionRunner(Settings settings)
    : m_settings(std::move(settings)),
      m_ui(m_settings.overwrite),
      m_project(m_ui, m_projectHost),
      m_host(std::make_unique<PosixSerialPort>(m_settings.paths)),
      m_port(m_host, m_settings.portNumber, m_settings.baud),
      m_session(m_host, m_host, m_port, m_ui, m_project,
                TransferSession::Options{m_settings.tempFolder, [] {
                                             return static_cast<std::uint64_t>(std::time(nullptr));
                                         }}) {
    m_projectHost.setAutoOpen(false);
    TransferSession::Callbacks callbacks;
    callbacks.sendDialog = [this] { m_sendDialog = true; };
    callbacks.readDialog = [this](const TransferSession::ReadChoices& choices) {
        m_choices = choices;
        m_readDialog = true;
    };
    callbacks.listed = [this](int area, const std::vector<FileEntry>& entries) {
        m_lists[area] = entries;
    };
    // A file the controller offers on its own is left in the temporary
    // folder; nobody is there to choose where it goes.
    callbacks.uploadReceived = [](const std::string& path) {
        std::fprintf(stderr, "kelcc-cli: the controller uploaded %s\n", path.c_str());
    };
    m_session.setCallbacks(std::move(callbacks));
    m_host.setInput(&m_input);
}

LinkSessionRunner::~LinkSessionRunner() {
    m_host.setInput(nullptr);
    m_host.close();
}

int LinkSessionRunner::openProject(const std::string& path) {
    if (m_project.openProjectByPath(path) == core::app::Project::OpenOutcome::Opened) return 0;
    if (m_ui.told(core::app::Project::kOpenFailedText)) return 2;
    std::fprintf(stderr, "kelcc-cli: %s: no project opened\n", path.c_str());
    return 2;
}

bool LinkSessionRunner::runUntil(const std::function<bool()>& done,
                                 std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        const auto step = std::min<std::chrono::milliseconds>(
            kTimerPeriod, std::chrono::ceil<std::chrono::milliseconds>(deadline - now));
        if (m_host.runUntil(done, step)) return true;
        if (m_session.transferTimerRunning()) {
            m_session.onTransferTimer();
            printProgress();
        }
    }
    return true;
}

void LinkSessionRunner::printProgress() {
    const TransferSession::ProgressView& view = m_session.view();
    if (!view.shown) return;
    const auto& progress = m_session.progress();
    std::fprintf(stderr, "kelcc-cli: %s  %llu/%llu  %s  %s\n", view.group.c_str(),
                 static_cast<unsigned long long>(progress.sessionDone()),
                 static_cast<unsigned long long>(progress.sessionBarEnd()),
                 progress.speed().c_str(), view.status.c_str());
}

int LinkSessionRunner::connect() {
    // The session's connect command: a failed handshake is followed by a
    // disconnect and one more try, as in the workbench. A link given up
    // while the command role is asked for has told its reason.
    m_session.connectCommand();
    const bool settled = runUntil(
        [this] {
            return m_session.connected() || m_ui.told(TransferSession::kPortBusyText) ||
                   m_ui.told(core::comm::SerialPort::kPermissionDeniedText) ||
                   m_ui.told(TransferSession::kConnectFailedText) || !m_session.linkOpen();
        },
        kConnectBound);
    if (m_session.connected()) return 0;
    if (!settled) {
        std::fprintf(stderr, "kelcc-cli: %s\n", TransferSession::kConnectFailedText);
        m_host.close();
    }
    return 2;
}

bool LinkSessionRunner::finish() {
    // A session that ended with the link still up (a refused file) is
    // disconnected here; after a finished one this only waits.
    if (m_session.linkOpen() && !m_session.running()) m_session.disconnectCommand();
    const bool closed = runUntil([this] { return !m_session.linkOpen(); }, kCloseBound);
    if (!closed) m_host.close();
    return closed;
}

int LinkSessionRunner::sessionResult(const char* successText) {
    const bool ended = runUntil([this] { return !m_session.running(); }, kSessionBound);
    if (!ended) {
        std::fputs("kelcc-cli: the session did not end in time\n", stderr);
        m_session.userCancel();
    }
    finish();
    if (!ended || !m_ui.told(successText)) return 1;
    if (m_ui.keptProgram()) {
        std::fputs("kelcc-cli: use --overwrite to replace part programs of the project\n", stderr);
        return 1;
    }
    return 0;
}

int LinkSessionRunner::list(int area) {
    if (const int connected = connect(); connected != 0) return connected;
    m_session.readFromCncCommand();
    const bool listed = runUntil(
        [this] {
            return m_readDialog || m_ui.told(TransferSession::kListFailedText) ||
                   !m_session.linkOpen();
        },
        kDialogBound);
    m_session.dialogCancelled();
    finish();
    if (!listed || !m_readDialog) {
        if (!listed) std::fprintf(stderr, "kelcc-cli: %s\n", TransferSession::kListFailedText);
        return 1;
    }
    for (const FileEntry& entry : m_lists[area])
        std::printf("%s\t%u\t%u\n", entry.name.c_str(), entry.size,
                    static_cast<unsigned>(entry.area));
    return 0;
}

int LinkSessionRunner::send(const SessionList::SendSelection& selection) {
    if (const int connected = connect(); connected != 0) return connected;
    m_session.sendToCncCommand();
    const bool asked =
        runUntil([this] { return m_sendDialog || !m_session.linkOpen(); }, kDialogBound);
    if (!asked || !m_sendDialog || !m_session.startSend(selection)) {
        m_session.dialogCancelled();
        finish();
        return 1;
    }
    return sessionResult(TransferSession::kAllSentText);
}

int LinkSessionRunner::receive(const SessionList::Selection& selection,
                               const std::vector<std::pair<int, std::string>>& programs) {
    if (const int connected = connect(); connected != 0) return connected;
    m_session.readFromCncCommand();
    const bool listed = runUntil(
        [this] {
            return m_readDialog || m_ui.told(TransferSession::kListFailedText) ||
                   !m_session.linkOpen();
        },
        kDialogBound);
    if (!listed || !m_readDialog) {
        m_session.dialogCancelled();
        finish();
        return 1;
    }
    SessionList::ReceiveSelection chosen;
    static_cast<SessionList::Selection&>(chosen) = selection;
    for (const auto& [area, name] : programs) {
        const auto& offered =
            m_choices.programs[static_cast<std::size_t>(area - FileEntry::kUserArea)];
        const FileEntry* found = nullptr;
        for (const FileEntry& entry : offered)
            if (sameName(entry.name, name) || sameName(entry.name, name + ".cnc")) found = &entry;
        if (found == nullptr) {
            std::fprintf(stderr, "kelcc-cli: %s is not offered in area %d\n", name.c_str(), area);
            m_session.dialogCancelled();
            finish();
            return 1;
        }
        chosen.programs.push_back(*found);
    }
    if (!m_session.startReceive(chosen, TransferSession::SaveMode::Overwrite, {})) {
        m_session.dialogCancelled();
        finish();
        return 1;
    }
    return sessionResult(TransferSession::kAllReceivedText);
}

}  // namespace kelcc::cli
