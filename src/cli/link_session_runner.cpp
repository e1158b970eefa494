#include "link_session_runner.h"

#include <cctype>
#include <cstdio>

namespace kelcc::cli {
namespace {

using namespace std::chrono_literals;
using core::comm::FileEntry;
using core::transfer::SessionDriver;
using core::transfer::SessionList;
using core::transfer::TransferSession;

// The handshake and a retry take a few seconds at most; a list or the
// dialog's turn a little more. The engine ends a stalled session on its own
// time-outs; the session bound only keeps a broken line from hanging us.
constexpr auto kConnectBound = 60s;
constexpr auto kDialogBound = 60s;
constexpr auto kCloseBound = 30s;
constexpr auto kSessionBound = 3600s;

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
      m_driver(m_settings.paths, m_ui, m_project, m_settings.tempFolder) {
    m_projectHost.setAutoOpen(false);
    m_driver.setLine(m_settings.portNumber, m_settings.baud, m_settings.paths);
    m_driver.setProgress([this] { printProgress(); });
    // A file the controller offers on its own is left in the temporary
    // folder; nobody is there to choose where it goes.
    TransferSession::Callbacks callbacks;
    callbacks.uploadReceived = [](const std::string& path) {
        std::fprintf(stderr, "kelcc-cli: the controller uploaded %s\n", path.c_str());
    };
    m_driver.setCallbacks(std::move(callbacks));
}

LinkSessionRunner::~LinkSessionRunner() = default;

int LinkSessionRunner::openProject(const std::string& path) {
    if (m_project.openProjectByPath(path) == core::app::Project::OpenOutcome::Opened) return 0;
    if (m_ui.told(core::app::Project::kOpenFailedText)) return 2;
    std::fprintf(stderr, "kelcc-cli: %s: no project opened\n", path.c_str());
    return 2;
}

void LinkSessionRunner::printProgress() {
    const TransferSession& session = m_driver.session();
    const TransferSession::ProgressView& view = session.view();
    if (!view.shown) return;
    const auto& progress = session.progress();
    std::fprintf(stderr, "kelcc-cli: %s  %llu/%llu  %s  %s\n", view.group.c_str(),
                 static_cast<unsigned long long>(progress.sessionDone()),
                 static_cast<unsigned long long>(progress.sessionBarEnd()),
                 progress.speed().c_str(), view.status.c_str());
}

int LinkSessionRunner::connect() {
    const SessionDriver::Connected connected = m_driver.connect(kConnectBound);
    if (connected == SessionDriver::Connected::Yes) return 0;
    if (connected == SessionDriver::Connected::NoAnswer)
        std::fprintf(stderr, "kelcc-cli: %s\n", TransferSession::kConnectFailedText);
    return 2;
}

int LinkSessionRunner::sessionResult(const char* successText) {
    const bool ended = m_driver.awaitEnd(kSessionBound);
    if (!ended) std::fputs("kelcc-cli: the session did not end in time\n", stderr);
    m_driver.finish(kCloseBound);
    if (!ended || !m_driver.told(successText)) return 1;
    if (m_ui.keptProgram()) {
        std::fputs("kelcc-cli: use --overwrite to replace part programs of the project\n", stderr);
        return 1;
    }
    return 0;
}

int LinkSessionRunner::list(int area) {
    if (const int connected = connect(); connected != 0) return connected;
    const bool listed = m_driver.awaitReadDialog(kDialogBound);
    // No answer at all, rather than a refusal or a closed line.
    const bool unanswered = !listed && !m_driver.told(TransferSession::kListFailedText) &&
                            m_driver.session().linkOpen();
    m_driver.session().dialogCancelled();
    m_driver.finish(kCloseBound);
    if (!listed) {
        if (unanswered) std::fprintf(stderr, "kelcc-cli: %s\n", TransferSession::kListFailedText);
        return 1;
    }
    const auto found = m_driver.lists().find(area);
    if (found == m_driver.lists().end()) return 0;
    for (const FileEntry& entry : found->second)
        std::printf("%s\t%u\t%u\n", entry.name.c_str(), entry.size,
                    static_cast<unsigned>(entry.area));
    return 0;
}

int LinkSessionRunner::send(const SessionList::SendSelection& selection) {
    if (const int connected = connect(); connected != 0) return connected;
    if (!m_driver.awaitSendDialog(kDialogBound) || !m_driver.session().startSend(selection)) {
        m_driver.session().dialogCancelled();
        m_driver.finish(kCloseBound);
        return 1;
    }
    return sessionResult(TransferSession::kAllSentText);
}

int LinkSessionRunner::receive(const SessionList::Selection& selection,
                               const std::vector<std::pair<int, std::string>>& programs) {
    if (const int connected = connect(); connected != 0) return connected;
    TransferSession& session = m_driver.session();
    const auto refuse = [&] {
        session.dialogCancelled();
        m_driver.finish(kCloseBound);
        return 1;
    };
    if (!m_driver.awaitReadDialog(kDialogBound)) return refuse();
    SessionList::ReceiveSelection chosen;
    static_cast<SessionList::Selection&>(chosen) = selection;
    for (const auto& [area, name] : programs) {
        const auto& offered =
            m_driver.choices().programs[static_cast<std::size_t>(area - FileEntry::kUserArea)];
        const FileEntry* found = nullptr;
        for (const FileEntry& entry : offered)
            if (sameName(entry.name, name) || sameName(entry.name, name + ".cnc")) found = &entry;
        if (found == nullptr) {
            std::fprintf(stderr, "kelcc-cli: %s is not offered in area %d\n", name.c_str(), area);
            return refuse();
        }
        chosen.programs.push_back(*found);
    }
    if (!session.startReceive(chosen, TransferSession::SaveMode::Overwrite, {})) return refuse();
    return sessionResult(TransferSession::kAllReceivedText);
}

}  // namespace kelcc::cli
