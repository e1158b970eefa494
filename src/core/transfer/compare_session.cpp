#include "transfer/compare_session.h"

#include <filesystem>

#include "app/project.h"
#include "app/project_host.h"
#include "transfer/session_driver.h"

namespace kelcc::core::transfer {
namespace {

using namespace std::chrono_literals;
using common::Answer;
using common::MessageIcon;

constexpr auto kCloseBound = 30s;

// Passes messages on; a compare asks nothing of its own, so a question
// takes its first button.
class FirstButton final : public common::Interaction {
public:
    explicit FirstButton(common::Interaction& next) : m_next(next) {}
    void inform(const std::string& text, const std::string& caption, MessageIcon icon) override {
        m_next.inform(text, caption, icon);
    }
    Answer ask(const std::string&, const std::string&, const std::vector<Answer>& buttons,
               MessageIcon) override {
        return buttons.empty() ? Answer::Cancel : buttons.front();
    }

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
    FirstButton ui(m_ui);
    // The transfer session wants a project to adopt into; a compare never
    // adopts, so it gets an empty one of its own.
    app::HeadlessProjectHost host;
    app::Project scratch(ui, host);
    SessionDriver driver(m_settings.paths, ui, scratch, m_settings.tempFolder);
    driver.setCancel(&m_cancel);
    driver.setLine(m_settings.portNumber, m_settings.baud, m_settings.paths);
    driver.setEndOnLineLoss(true);
    TransferSession& session = driver.session();
    driver.setProgress([&] {
        const auto& view = session.view();
        if (m_progress && view.shown)
            m_progress(view.group + "  " + session.progress().speed() + "  " + view.status);
    });

    Outcome outcome;
    const std::vector<ControllerCompare::LocalFile>& files = m_files;
    const auto done = [&](Result result, const ControllerCompare::Lists& lists) {
        outcome.result = result;
        outcome.rows = ControllerCompare::compare(files, lists, m_staging);
        outcome.messages = driver.messages();
        return outcome;
    };
    if (driver.connect(m_settings.connectBound) != SessionDriver::Connected::Yes) {
        driver.closeLine();
        return done(Result::NoLink, {});
    }
    if (!driver.awaitReadDialog(m_settings.connectBound)) {
        session.dialogCancelled();
        driver.finish(kCloseBound);
        return done(Result::NoLists, {});
    }

    const ControllerCompare::Lists lists(driver.lists().begin(), driver.lists().end());
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
        driver.awaitEnd(m_settings.sessionBound);
    }
    driver.finish(kCloseBound);
    // "All received" is told once the link is down again.
    const bool complete = started && (!needed || driver.told(TransferSession::kAllReceivedText));
    return done(complete ? Result::Compared : Result::Incomplete, lists);
}

}  // namespace kelcc::core::transfer
