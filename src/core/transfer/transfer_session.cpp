#include "transfer/transfer_session.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "comm/file_list.h"
#include "comm/link_errors.h"
#include "comm/serial_port.h"

namespace kelcc::core::transfer {
namespace {

using common::Answer;
using common::MessageIcon;

constexpr int kFirstProgramArea = 2;
constexpr const char* kLineIndent = "    ";

std::string replaced(std::string text, const std::string& value) {
    const auto at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

std::string statusText(std::uint32_t value) {
    switch (value) {
        case comm::kStatusSendingFileCommand:
            return "发送文件传输命令";
        case comm::kStatusSendingData:
            return "发送文件数据";
        case comm::kStatusSendingDownload:
            return "发送下载命令";
        case comm::kStatusReceivingData:
            return "接收文件数据";
        default:
            return {};
    }
}

}  // namespace

TransferSession::TransferSession(const comm::LinkClock& clock, comm::LinkByteSink& sink,
                                 TransferPort& port, common::Interaction& ui, app::Project& project,
                                 Options options)
    : m_port(port),
      m_ui(ui),
      m_project(project),
      m_options(std::move(options)),
      m_handler(m_adapter, *this, ui, m_options.tempFolder),
      m_engine(clock, sink, *this, m_adapter, m_handler) {
    m_handler.setNewFileObserver([this](std::uint32_t size, std::uint32_t position) {
        later([this, size, position] { onNewFile(size, position); });
    });
    m_handler.setResumeCancelledObserver([this] {
        later([this] {
            if (!m_running) return;
            endSessionUi();
            disconnectSequence(true);
        });
    });
}

TransferSession::~TransferSession() {
    discardStaging();
}

void TransferSession::discardStaging() {
    if (!m_stagingLive) return;
    m_stagingLive = false;
    std::error_code ec;
    std::filesystem::remove_all(m_staging, ec);
}

void TransferSession::later(std::function<void()> work) {
    m_later.push_back(std::move(work));
}

void TransferSession::settle() {
    if (m_settling) return;
    m_settling = true;
    while (!m_later.empty()) {
        std::function<void()> work = std::move(m_later.front());
        m_later.pop_front();
        work();
    }
    m_settling = false;
}

void TransferSession::tellOpenFailed() {
    // Only a lack of permission gets its own text; everything else stays
    // "missing or in use".
    const std::string reason = m_port.openError();
    tell(reason == comm::SerialPort::kPermissionDeniedText ? reason : kPortBusyText,
         MessageIcon::Stop);
}

void TransferSession::tell(const std::string& text, MessageIcon icon) {
    m_ui.inform(text, common::kMessageCaption, icon);
}

// --- input ---

void TransferSession::onBytes(std::span<const std::uint8_t> chunk) {
    m_engine.onBytes(chunk);
    settle();
}

void TransferSession::onTick() {
    m_engine.onTick();
    settle();
}

void TransferSession::onTransferTimer() {
    if (!m_timerRunning) return;
    m_progress.tick(m_deleteFirst);
}

// --- connect and disconnect ---

bool TransferSession::openLink() {
    if (!m_port.open()) return false;
    m_engine.connect();
    return true;
}

void TransferSession::connectCommand() {
    if (m_connected || m_closing != Closing::None) return;
    m_retried = false;
    if (!openLink()) tellOpenFailed();
    settle();
}

void TransferSession::onConnected(bool accepted) {
    if (accepted) {
        m_pending = Pending::Connect;
        m_engine.takeControl();
        return;
    }
    if (!m_retried && m_port.isOpen()) {
        // One more try from a closed port once the disconnect is through.
        m_retried = true;
        m_closing = Closing::ConnectRetry;
        m_engine.disconnect();
        return;
    }
    closeLink();
    tell(kConnectFailedText, MessageIcon::Stop);
}

void TransferSession::closeLink() {
    m_port.close();
    m_engine.close();
    m_connected = false;
}

void TransferSession::onDisconnected(bool answered) {
    const Closing closing = m_closing;
    m_closing = Closing::None;
    if (closing == Closing::ConnectRetry) {
        closeLink();
        if (answered) {
            if (openLink()) return;
            // The second OpenLink failed at its port: that is its message.
            if (!m_port.isOpen()) {
                tellOpenFailed();
                return;
            }
        }
        tell(kConnectFailedText, MessageIcon::Stop);
        return;
    }
    if (closing != Closing::Sequence) return;
    // Once every file has arrived or been acknowledged, a lost answer to the
    // disconnect takes nothing away from the session.
    if (!answered && m_reportUnanswered)
        tell(m_sessionComplete ? kDisconnectUnansweredText : kNoDisconnectReplyText,
             m_sessionComplete ? MessageIcon::Warning : MessageIcon::Stop);
    m_sessionComplete = false;
    m_engine.markIdle();
    closeLink();
    m_running = false;
    std::function<void()> after = std::move(m_afterDisconnect);
    m_afterDisconnect = nullptr;
    if (after) after();
}

void TransferSession::disconnectSequence(bool reportUnanswered, std::function<void()> after,
                                         bool sessionComplete) {
    if (m_closing != Closing::None) return;
    m_sessionComplete = sessionComplete;
    m_closing = Closing::Sequence;
    m_reportUnanswered = reportUnanswered;
    m_afterDisconnect = std::move(after);
    m_engine.disconnect();
}

void TransferSession::disconnectCommand() {
    if (!m_port.isOpen()) return;
    disconnectSequence(true);
    settle();
}

void TransferSession::dialogCancelled() {
    disconnectSequence(true);
    settle();
}

bool TransferSession::confirmQuit() {
    if (!m_connected) return true;
    const Answer answer =
        m_ui.ask(kQuitText, kQuitCaption, {Answer::Ok, Answer::Cancel}, MessageIcon::Information);
    if (answer != Answer::Ok) return false;
    disconnectSequence(true);
    settle();
    return true;
}

void TransferSession::userCancel() {
    if (!m_running) return;
    endSessionUi();
    disconnectSequence(false, [this] { tell(kUserCancelText, MessageIcon::Information); });
    settle();
}

// --- sessions ---

bool TransferSession::sendToCncCommand() {
    if (!m_connected || m_running) return false;
    m_pending = Pending::Send;
    m_engine.takeControl();
    settle();
    return true;
}

bool TransferSession::readFromCncCommand() {
    if (!m_connected || m_running) return false;
    m_pending = Pending::Read;
    m_engine.takeControl();
    settle();
    return true;
}

void TransferSession::onPcHasControl() {
    switch (m_pending) {
        case Pending::Connect:
            tell(kConnectedText, MessageIcon::Information);
            m_connected = true;
            break;
        case Pending::Send:
            if (m_callbacks.sendDialog) m_callbacks.sendDialog();
            break;
        case Pending::Read:
            m_choices = {};
            m_listArea = comm::FileEntry::kConfigArea;
            m_engine.requestFileList(static_cast<std::uint8_t>(m_listArea));
            break;
    }
}

void TransferSession::onFileList(const std::optional<std::string>& text) {
    if (m_listArea == 0) return;
    const int area = m_listArea;
    comm::FileList::Parsed parsed;
    if (text) parsed = comm::FileList::parse(*text);
    if (!parsed.ok) {
        m_listArea = 0;
        m_choices = {};
        tell(kListFailedText, MessageIcon::Stop);
        return;
    }
    if (m_callbacks.listed) m_callbacks.listed(area, parsed.entries);
    if (area == comm::FileEntry::kConfigArea)
        m_choices.configList = std::move(parsed.entries);
    else
        m_choices.programs[static_cast<std::size_t>(area - kFirstProgramArea)] =
            comm::FileList::offeredPrograms(parsed.entries);
    if (area < comm::FileEntry::kLastArea) {
        m_listArea = area == comm::FileEntry::kConfigArea ? kFirstProgramArea : area + 1;
        m_engine.requestFileList(static_cast<std::uint8_t>(m_listArea));
        return;
    }
    m_listArea = 0;
    if (m_callbacks.readDialog) m_callbacks.readDialog(m_choices);
}

bool TransferSession::startSend(const SessionList::SendSelection& selection) {
    const SessionList::Built built = SessionList::forSending(m_project, selection);
    if (!built.ok) {
        tell(built.error, MessageIcon::Stop);
        return false;
    }
    std::vector<std::string> lines;
    for (const comm::FileEntry& entry : built.entries)
        lines.push_back(kLineIndent + entry.localPath);
    beginSession(kProgressTitle, std::move(lines));
    m_handler.sendFiles(m_engine, built.entries);
    settle();
    return true;
}

bool TransferSession::startReceive(const SessionList::ReceiveSelection& selection, SaveMode mode,
                                   const app::LocationDialog& newProjectDialog) {
    if (selection.empty() && selection.programs.empty()) {
        tell(SessionList::kNoSelectionText, MessageIcon::Warning);
        return false;
    }
    if (mode == SaveMode::Overwrite) {
        // Not offered while no project is open.
        if (!m_project.hasProject()) return false;
        if (m_ui.ask(kOverwriteText, kReadCaption, {Answer::Ok, Answer::Cancel},
                     MessageIcon::Question) != Answer::Ok)
            return false;
    }
    const std::uint64_t seconds = m_options.wallSeconds ? m_options.wallSeconds() : 0;
    const std::string staging = SessionList::stagingFolderPath(m_options.tempFolder, seconds);
    if (!SessionList::makeStagingFolder(staging)) {
        tell(SessionList::kStagingFailedText, MessageIcon::Stop);
        return false;
    }
    const SessionList::Built built =
        SessionList::forReceiving(staging, selection, m_choices.configList);
    if (!built.ok) {
        tell(built.error, MessageIcon::Stop);
        return false;
    }
    // A new project that was not made, or no project at all, has nowhere
    // to take the files: the session does not start.
    const bool haveProject =
        mode == SaveMode::NewProject ? m_project.newProject(newProjectDialog) : true;
    if (mode != SaveMode::StageOnly && (!haveProject || !m_project.hasProject())) {
        std::error_code ec;
        std::filesystem::remove_all(staging, ec);
        disconnectSequence(true);
        settle();
        return true;
    }
    m_adopt = mode != SaveMode::StageOnly;
    m_staging = staging;
    m_stagingLive = m_adopt;
    std::vector<std::string> lines;
    for (const comm::FileEntry& entry : built.entries)
        lines.push_back(kLineIndent + entry.name);
    beginSession(kProgressTitle, std::move(lines));
    m_handler.receiveFiles(m_engine, built.entries);
    settle();
    return true;
}

void TransferSession::beginSession(const std::string& title, std::vector<std::string> lines) {
    m_view = {};
    m_view.shown = true;
    m_view.title = title;
    m_retries = 0;
    m_view.retries = "0";
    m_groupSuffix = "/" + std::to_string(lines.size());
    m_view.group = "文件 1" + m_groupSuffix;
    m_view.lines = std::move(lines);
    m_previousPosition = 0;
    m_progress.start();
    m_deleteFirst = false;
    m_running = true;
    m_timerRunning = true;
}

void TransferSession::endSessionUi() {
    m_running = false;
    m_timerRunning = false;
    m_view.shown = false;
    // A session that ends any other way than with everything received
    // leaves nothing of its own in the temporary folder.
    discardStaging();
}

void TransferSession::onNewFile(std::uint32_t size, std::uint32_t position) {
    m_progress.newFile(size);
    m_view.group = "文件 " + std::to_string(position) + m_groupSuffix;
    auto mark = [this](std::uint32_t at, const char* marker) {
        if (at == 0 || at > m_view.lines.size()) return;
        std::string& line = m_view.lines[at - 1];
        line.replace(0, std::min<std::size_t>(2, line.size()), marker);
    };
    if (m_previousPosition != position) mark(m_previousPosition, "##");
    mark(position, "->");
    m_previousPosition = position;
}

void TransferSession::onEvent(comm::LinkEvent event, std::uint32_t value) {
    switch (event) {
        case comm::LinkEvent::TotalSize:
            m_progress.setTotal(SessionList::totalSize(m_handler.entries()));
            break;
        case comm::LinkEvent::StatusText:
            m_view.status = statusText(value);
            break;
        case comm::LinkEvent::Busy:
            if (value == comm::kBusy) m_view.status = kBusyText;
            break;
        case comm::LinkEvent::DeletedFirst:
            m_deleteFirst = false;
            break;
        case comm::LinkEvent::DeleteFirst:
            m_deleteFirst = true;
            break;
        case comm::LinkEvent::PcHasControl:
            onPcHasControl();
            break;
        case comm::LinkEvent::AllSent:
            if (!m_running) break;
            endSessionUi();
            disconnectSequence(
                true, [this] { tell(kAllSentText, MessageIcon::Information); }, true);
            break;
        case comm::LinkEvent::AllReceived:
            if (!m_running) break;
            // Adoption removes the folder, or keeps it when a copy failed so
            // that nothing received is lost.
            m_stagingLive = false;
            endSessionUi();
            disconnectSequence(
                true,
                [this] {
                    if (m_adopt) m_project.adoptStagedFiles(m_staging, m_adopt);
                    tell(kAllReceivedText, MessageIcon::Information);
                },
                true);
            break;
        default:
            break;
    }
}

void TransferSession::onError(comm::LinkError code, comm::ErrorAction action,
                              const std::string& message) {
    switch (action) {
        case comm::ErrorAction::Continue:
            m_view.lastError = message;
            m_view.retries = std::to_string(++m_retries);
            break;
        case comm::ErrorAction::AbortTransfer:
            endSessionUi();
            m_engine.setState(comm::LinkState::Ready, true);
            // A refused part program has had its own message already.
            if (code != comm::LinkError::ProgramFormat && code != comm::LinkError::ProgramTooLong)
                tell(message, MessageIcon::Stop);
            break;
        case comm::ErrorAction::BreakLink:
            endSessionUi();
            tell(message, MessageIcon::Stop);
            disconnectSequence(true);
            break;
        case comm::ErrorAction::ClosedByPeer:
            endSessionUi();
            tell(message, MessageIcon::Stop);
            closeLink();
            break;
        case comm::ErrorAction::StatusOnly:
            m_view.status = message;
            break;
    }
}

// --- uploads ---

std::string TransferSession::uploadText(const std::string& path) {
    return replaced(kUploadText, std::filesystem::path(path).stem().string());
}

common::FileResult TransferSession::saveUpload(const std::string& uploadPath,
                                               const std::string& target) {
    common::FileResult copied = app::Project::copyFile(uploadPath, target);
    if (copied.ok) std::remove(uploadPath.c_str());
    return copied;
}

// --- LinkListener: everything is handled once the engine call returns ---

void TransferSession::linkError(comm::LinkError code, comm::ErrorAction action,
                                const std::string& message) {
    later([this, code, action, message] { onError(code, action, message); });
}

void TransferSession::linkProgress(std::uint32_t bytes, bool skipped) {
    later([this, bytes, skipped] { m_progress.moved(bytes, skipped); });
}

void TransferSession::linkEvent(comm::LinkEvent event, std::uint32_t value) {
    later([this, event, value] { onEvent(event, value); });
}

void TransferSession::uploadStarted(const comm::UploadEntry& entry) {
    later([this, entry] {
        beginSession(kUploadTitle, {kLineIndent + entry.name});
        onNewFile(entry.size, 1);
    });
}

void TransferSession::uploadComplete(const std::string& localPath) {
    later([this, localPath] {
        endSessionUi();
        // Acknowledged, but the file could not be kept.
        if (m_adapter.takeKeepFailure()) {
            tell(comm::LinkErrors::messageOf(comm::LinkError::FileCreate), MessageIcon::Stop);
            return;
        }
        if (m_callbacks.uploadReceived) m_callbacks.uploadReceived(localPath);
    });
}

void TransferSession::connectFinished(bool accepted) {
    later([this, accepted] { onConnected(accepted); });
}

void TransferSession::disconnectFinished(bool answered) {
    later([this, answered] { onDisconnected(answered); });
}

void TransferSession::fileListFinished(const std::optional<std::string>& text) {
    later([this, text] { onFileList(text); });
}

}  // namespace kelcc::core::transfer
