#include "transfer/compare_session.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>

#include "app/project.h"
#include "app/project_host.h"
#include "comm/link_host.h"
#include "comm/posix_serial_port.h"
#include "comm/serial_port.h"
#include "transfer/link_host_port.h"
#include "transfer/transfer_session.h"
#include "transfer/transfer_session_input.h"

namespace kelcc::core::transfer {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using common::Answer;
using common::MessageIcon;

constexpr auto kCloseBound = 30s;
constexpr auto kTimerPeriod = std::chrono::milliseconds(TransferSession::kTransferTimerMs);

// Passes messages on and keeps their texts; a compare asks nothing of
// its own, so a question takes its first button.
class Recorder final : public common::Interaction {
public:
    explicit Recorder(common::Interaction& next) : m_next(next) {}
    void inform(const std::string& text, const std::string& caption, MessageIcon icon) override {
        texts.push_back(text);
        m_next.inform(text, caption, icon);
    }
    Answer ask(const std::string& text, const std::string&, const std::vector<Answer>& buttons,
               MessageIcon) override {
        texts.push_back(text);
        return buttons.empty() ? Answer::Cancel : buttons.front();
    }
    bool told(const char* text) const {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    std::vector<std::string> texts;

private:
    common::Interaction& m_next;
};

}  // namespace

CompareSession::CompareSession(Settings settings, const app::Project& project,
                               common::Interaction& ui)
    : m_settings(std::move(settings)),
      m_files(ControllerCompare::projectFiles(project)),
      m_ui(ui) {}

CompareSession::~CompareSession() {
    if (m_staging.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(m_staging, ec);
}

CompareSession::Outcome CompareSession::run() {
    Recorder ui(m_ui);
    // The transfer session wants a project to adopt into; a compare never
    // adopts, so it gets an empty one of its own.
    app::HeadlessProjectHost host;
    app::Project scratch(ui, host);
    comm::LinkHost link(std::make_unique<comm::PosixSerialPort>(m_settings.paths));
    LinkHostPort port(link, m_settings.portNumber, m_settings.baud);
    TransferSession session(
        link, link, port, ui, scratch,
        TransferSession::Options{m_settings.tempFolder,
                                 [] { return static_cast<std::uint64_t>(std::time(nullptr)); }});
    TransferSessionInput input(session);
    bool readDialog = false;
    ControllerCompare::Lists lists;
    TransferSession::Callbacks callbacks;
    callbacks.readDialog = [&](const TransferSession::ReadChoices&) { readDialog = true; };
    callbacks.listed = [&](int area, const std::vector<comm::FileEntry>& entries) {
        lists[area] = entries;
    };
    session.setCallbacks(std::move(callbacks));
    link.setInput(&input);

    const auto runUntil = [&](const std::function<bool()>& done, std::chrono::milliseconds bound) {
        const auto deadline = Clock::now() + bound;
        while (!done()) {
            // A line that is gone (the controller's end hung up) will not
            // answer; waiting for the engine's time-outs would change nothing.
            if (link.stoppedCount() > 0 && link.isOpen()) {
                link.close();
                return false;
            }
            if (m_cancel.load()) {
                if (session.running()) session.userCancel();
                return false;
            }
            const auto now = Clock::now();
            if (now >= deadline) return false;
            const auto step = std::min<std::chrono::milliseconds>(
                kTimerPeriod, std::chrono::ceil<std::chrono::milliseconds>(deadline - now));
            if (link.runUntil(done, step)) return true;
            if (session.transferTimerRunning()) {
                session.onTransferTimer();
                const auto& view = session.view();
                if (m_progress && view.shown)
                    m_progress(view.group + "  " + session.progress().speed() + "  " + view.status);
            }
        }
        return true;
    };
    const auto finish = [&] {
        if (session.linkOpen() && !session.running()) session.disconnectCommand();
        if (!runUntil([&] { return !session.linkOpen(); }, kCloseBound)) link.close();
        link.setInput(nullptr);
    };

    Outcome outcome;
    const std::vector<ControllerCompare::LocalFile>& files = m_files;
    session.connectCommand();
    runUntil(
        [&] {
            return session.connected() || ui.told(TransferSession::kPortBusyText) ||
                   ui.told(comm::SerialPort::kPermissionDeniedText) ||
                   ui.told(TransferSession::kConnectFailedText);
        },
        m_settings.connectBound);
    if (!session.connected()) {
        link.close();
        link.setInput(nullptr);
        outcome.result = Result::NoLink;
        outcome.rows = ControllerCompare::compare(files, {}, {});
        outcome.messages = ui.texts;
        return outcome;
    }

    session.readFromCncCommand();
    runUntil(
        [&] {
            return readDialog || ui.told(TransferSession::kListFailedText) || !session.linkOpen();
        },
        m_settings.connectBound);
    if (!readDialog) {
        session.dialogCancelled();
        finish();
        outcome.result = Result::NoLists;
        outcome.rows = ControllerCompare::compare(files, {}, {});
        outcome.messages = ui.texts;
        return outcome;
    }

    const SessionList::ReceiveSelection wanted = ControllerCompare::toReceive(files, lists);
    bool started = true;
    const bool needed = !wanted.empty() || !wanted.programs.empty();
    if (!needed) {
        session.dialogCancelled();
    } else if (!session.startReceive(wanted, TransferSession::SaveMode::StageOnly, {})) {
        started = false;
        session.dialogCancelled();
    } else {
        m_staging = session.stagingFolder();
        if (!runUntil([&] { return !session.running(); }, m_settings.sessionBound) &&
            session.running())
            session.userCancel();
    }
    finish();
    // "All received" is told once the link is down again.
    const bool complete = started && (!needed || ui.told(TransferSession::kAllReceivedText));
    outcome.rows = ControllerCompare::compare(files, lists, m_staging);
    outcome.result = complete ? Result::Compared : Result::Incomplete;
    outcome.messages = ui.texts;
    return outcome;
}

}  // namespace kelcc::core::transfer
