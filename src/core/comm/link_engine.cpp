#include "comm/link_engine.h"

#include <algorithm>

#include "comm/link_errors.h"
#include "comm/link_probe_answers.h"
#include "comm/link_ready_answers.h"
#include "comm/link_transfer_frames.h"
#include "comm/reply_codes.h"

namespace kelcc::core::comm {
namespace {

std::uint8_t code(Command command) {
    return static_cast<std::uint8_t>(command);
}

bool equals(std::span<const std::uint8_t> chunk, std::span<const std::uint8_t> expected) {
    return std::equal(chunk.begin(), chunk.end(), expected.begin(), expected.end());
}

}  // namespace

LinkEngine::LinkEngine(const LinkClock& clock, LinkByteSink& sink, LinkListener& listener,
                       LinkTransferFile& file, LinkTransferHandler& handler)
    : m_clock(clock),
      m_sink(sink),
      m_listener(listener),
      m_file(file),
      m_handler(handler),
      m_out(sink) {}

void LinkEngine::onBytes(std::span<const std::uint8_t> chunk) {
    switch (m_state) {
        case LinkState::Idle:
            // The controller opens the link; the request must come as one chunk.
            if (equals(chunk, LinkFrame::kLinkRequest)) {
                queue(LinkFrame::kLinkAccept);
                setState(LinkState::Ready, true);
                clearTimeout();
            }
            break;
        case LinkState::Connecting:
            if (equals(chunk, LinkFrame::kLinkAccept)) {
                m_accepted = true;
                setState(LinkState::Ready, true);
                clearTimeout();
                event(LinkEvent::Accepted);
                if (m_connectPending) {
                    m_connectPending = false;
                    m_errorCount = 0;
                    m_timerRunning = true;
                    m_listener.connectFinished(true);
                }
            }
            break;
        case LinkState::Ready:
        case LinkState::Transfer:
        case LinkState::Probing:
        case LinkState::Closing:
            if (!m_inbox.append(chunk)) {
                raiseError(LinkError::BufferOverflow);
                break;
            }
            parseFrames();
            break;
    }
    drainPosted();
}

void LinkEngine::parseFrames() {
    while (std::optional<Frame> frame = m_inbox.next()) {
        const bool reportsDamage = LinkInbox::reportsDamage(*frame);
        // Replies carry the number of the last frame received; a probe and
        // a negative acknowledgement bring none of the other end's.
        if (LinkInbox::carriesPeerNumber(*frame)) {
            m_rxSequence = frame->sequence;
            if (!reportsDamage) m_stalls = 0;
        }
        // Every frame that gets through restarts the count, except those
        // that report damage at the other end.
        if (!reportsDamage) m_errorCount = 0;
        m_current = &*frame;
        handleFrame(*frame);
        m_current = nullptr;
    }
    const LinkError damage = m_inbox.takeDamage().error;
    if (damage != LinkError::None) onDamage(damage);
}

void LinkEngine::onDamage(LinkError error) {
    // While closing the disconnect goes out again on its own.
    if (m_state == LinkState::Closing) return;
    if (raiseError(error) != ErrorAction::Continue) return;
    // A damaged probe answer is asked for again by the probe itself.
    if (m_state == LinkState::Probing)
        sendProbe();
    else
        sendNak();
}

void LinkEngine::onTick() {
    checkConnect();
    checkDisconnect();
    checkFileList();
    checkTimeout();
    drainPosted();
}

void LinkEngine::connect() {
    m_accepted = false;
    m_stalls = 0;
    m_inbox.forgetAnswered();
    queue(LinkFrame::kLinkRequest);
    setState(LinkState::Connecting, true);
    clearTimeout();
    m_errorCount = 0;
    m_connectPending = true;
    m_connectSentAt = m_clock.nowMs();
}

void LinkEngine::disconnect() {
    m_timerRunning = false;
    sendCommand(Command::Disconnect, 0);
    m_disconnectSends = 1;
    setState(LinkState::Closing, false);
    if (!m_accepted) {
        finishDisconnect(true);
        return;
    }
    m_disconnectPending = true;
    m_disconnectStart = m_clock.nowMs();
}

void LinkEngine::requestFileList(std::uint8_t area) {
    m_listText.clear();
    sendCommand(Command::List, area);
    m_done = 0;
    m_listPending = true;
    m_listStart = m_clock.nowMs();
}

void LinkEngine::takeControl() {
    sendCommand(Command::Control, control_op::kTakeRole);
}

void LinkEngine::close() {
    m_timerRunning = false;
    clearTimeout();
    m_connectPending = false;
    m_disconnectPending = false;
    m_listPending = false;
}

void LinkEngine::markIdle() {
    m_state = LinkState::Idle;
}

void LinkEngine::checkConnect() {
    if (!m_connectPending) return;
    if (m_state != LinkState::Connecting) {
        m_connectPending = false;
        m_listener.connectFinished(false);
        return;
    }
    if (m_clock.nowMs() - m_connectSentAt < kConnectWaitMs) return;
    // Five requests in all; the last one is not waited for.
    queue(LinkFrame::kLinkRequest);
    m_connectSentAt = m_clock.nowMs();
    if (++m_errorCount > 3) {
        m_connectPending = false;
        setState(LinkState::Idle, true);
        m_listener.connectFinished(false);
    }
}

void LinkEngine::checkDisconnect() {
    if (!m_disconnectPending || m_clock.nowMs() - m_disconnectStart < kDisconnectWaitMs) return;
    // One damaged answer must not leave the controller thinking the link
    // is still open.
    if (m_disconnectSends < kDisconnectSends) {
        ++m_disconnectSends;
        sendCommand(Command::Disconnect, 0);
        m_disconnectStart = m_clock.nowMs();
        return;
    }
    finishDisconnect(false);
}

void LinkEngine::finishDisconnect(bool answered) {
    m_disconnectPending = false;
    if (answered) m_state = LinkState::Idle;
    resetLink();
    m_listener.disconnectFinished(answered);
}

void LinkEngine::checkFileList() {
    if (!m_listPending) return;
    if (m_done != 0)
        finishFileList(true);
    else if (m_clock.nowMs() - m_listStart >= kListWaitMs)
        finishFileList(false);
}

void LinkEngine::finishFileList(bool ok) {
    m_listPending = false;
    if (!ok) m_listText.clear();
    m_listener.fileListFinished(ok ? std::optional<std::string>(m_listText) : std::nullopt);
}

void LinkEngine::checkTimeout() {
    if (!m_timerRunning || m_timeoutLength == kNoTimeout) return;
    if (m_clock.nowMs() - m_timeoutStart < m_timeoutLength) return;
    if (m_state == LinkState::Ready || m_state == LinkState::Transfer) {
        // Probe answers alone are no progress: an end that answers them but
        // never takes the frame must not keep the link busy for ever.
        if (++m_stalls > kProbeLimit) {
            raiseError(LinkError::ProbeTimeout);
            return;
        }
        m_savedState = m_state;
        m_probes = 0;
        setState(LinkState::Probing, false);
        probeAgainOrGiveUp();
    } else if (m_state == LinkState::Probing) {
        probeAgainOrGiveUp();
    }
}

void LinkEngine::probeAgainOrGiveUp() {
    // A lost probe or a lost answer costs one more probe, not the link.
    if (m_probes >= kProbeLimit) {
        raiseError(LinkError::ProbeTimeout);
        return;
    }
    ++m_probes;
    sendProbe();
    const bool waitingForReady = m_out.lastCommand() == code(Command::Control) &&
                                 m_out.lastCommandSubCode() == control_op::kTellWhenReady;
    raiseError(waitingForReady ? LinkError::BusyTimeout : LinkError::Timeout);
}

bool LinkEngine::queue(std::span<const std::uint8_t> bytes) {
    return m_sink.write(bytes);
}

bool LinkEngine::sendCommand(Command command, std::uint8_t subCode,
                             std::span<const std::uint8_t> data) {
    if (!m_out.command(command, subCode, data)) return false;
    // What comes next answers this command; it is no repeat of an old frame.
    m_inbox.forgetAnswered();
    m_outstanding = Outstanding::Command;
    setTimeout(kReplyTimeoutMs);
    return true;
}

bool LinkEngine::sendReply(Command command, std::uint8_t subCode,
                           std::span<const std::uint8_t> data) {
    m_errorCount = 0;
    if (!m_out.reply(m_rxSequence, command, subCode, data)) return false;
    if (m_current != nullptr)
        m_inbox.answered(*m_current);
    else
        m_inbox.forgetAnswered();
    setTimeout(kReplyTimeoutMs);
    return true;
}

void LinkEngine::resendData() {
    if (m_out.resendData()) setTimeout(kReplyTimeoutMs);
}

void LinkEngine::sendNak() {
    if (m_out.nak()) setTimeout(kReplyTimeoutMs);
}

void LinkEngine::sendProbe() {
    if (m_out.probe()) setTimeout(kReplyTimeoutMs);
}

void LinkEngine::resendLast() {
    if (m_state == LinkState::Probing) {
        sendProbe();
        return;
    }
    if (m_out.repeatLast(m_outstanding == Outstanding::Data, m_outstanding == Outstanding::Command))
        setTimeout(kReplyTimeoutMs);
}

LinkEngine::PieceOutcome LinkEngine::sendNextPiece() {
    const LinkTransferFile::Piece piece = m_file.readPiece(m_piece);
    if (piece.result == LinkTransferFile::ReadResult::Error) {
        raiseError(LinkError::FileRead);
        return PieceOutcome::Failed;
    }
    if (piece.result == LinkTransferFile::ReadResult::Nothing || piece.count == 0)
        return PieceOutcome::Finished;
    const std::size_t count = std::min(piece.count, m_piece.size());
    const bool last = piece.result == LinkTransferFile::ReadResult::Last;
    const std::uint8_t subCode =
        last ? piece_code::kLast : (m_bytesSent == 0 ? piece_code::kFirst : piece_code::kFurther);
    m_bytesSent += static_cast<std::uint32_t>(count);
    m_outstanding = Outstanding::Data;
    if (m_out.data(subCode, std::span<const std::uint8_t>(m_piece.data(), count)))
        setTimeout(kReplyTimeoutMs);
    m_listener.linkProgress(static_cast<std::uint32_t>(count), false);
    return PieceOutcome::Sent;
}

void LinkEngine::continueSending() {
    m_errorCount = 0;
    if (sendNextPiece() == PieceOutcome::Finished) finishSentFile();
}

void LinkEngine::finishSentFile() {
    m_file.close();
    m_out.forgetData();
    m_outstanding = Outstanding::None;
    m_sink.setReadSize(kFrameReadSize);
    ++m_fileIndex;
    setState(LinkState::Ready, true);
    clearTimeout();
    post(Posted::SendNext);
}

void LinkEngine::startSendingFile() {
    event(LinkEvent::StatusText, kStatusSendingData);
    m_sink.setReadSize(kAckReadSize);
    m_errorCount = 0;
    m_bytesSent = 0;
    m_receiveMode = ReceiveMode::None;
    setState(LinkState::Transfer, true);
    if (sendNextPiece() == PieceOutcome::Finished) finishSentFile();
}

void LinkEngine::startReceivingFile() {
    setState(LinkState::Transfer, false);
    // Until the first piece is acknowledged, a probe answer asks for it with
    // a negative acknowledgement: an older reply would answer nothing here.
    m_out.forgetReply();
    m_rxSequence = 255;
    m_rxData = 255;
    m_receiveMode = ReceiveMode::File;
    m_sink.setReadSize(kFrameReadSize);
    event(LinkEvent::StatusText, kStatusReceivingData);
}

void LinkEngine::resume() {
    if (m_state != LinkState::Ready && m_state != LinkState::Transfer) return;
    // Only a sending PC has a next piece to read.
    if (m_receiveMode != ReceiveMode::None) return;
    m_errorCount = 0;
    switch (sendNextPiece()) {
        case PieceOutcome::Finished:
            finishSentFile();
            break;
        case PieceOutcome::Sent:
            event(LinkEvent::StatusText, kStatusSendingData);
            setState(LinkState::Transfer, false);
            break;
        case PieceOutcome::Failed:
            break;
    }
}

void LinkEngine::pauseForBusy() {
    m_paused = true;
    setState(LinkState::Ready, false);
    sendCommand(Command::Control, control_op::kTellWhenReady);
}

void LinkEngine::setState(LinkState state, bool resetSequences) {
    m_state = state;
    if (resetSequences) {
        m_out.resetSequence();
        m_rxSequence = 255;
        m_rxData = 255;
    }
}

void LinkEngine::setTimeout(std::uint32_t lengthMs) {
    m_timeoutLength = lengthMs;
    m_timeoutStart = m_clock.nowMs();
}

void LinkEngine::setWaitTimeout(std::span<const std::uint8_t> data) {
    // A busy answer without its 4-byte wait time keeps the running time-out.
    if (data.size() < 4) return;
    setTimeout(static_cast<std::uint32_t>(data[0]) << 24 |
               static_cast<std::uint32_t>(data[1]) << 16 |
               static_cast<std::uint32_t>(data[2]) << 8 | static_cast<std::uint32_t>(data[3]));
}

ErrorAction LinkEngine::raiseError(LinkError error) {
    ErrorAction action = LinkErrors::actionOf(error);
    switch (action) {
        case ErrorAction::Continue:
            if (LinkErrors::counted(error)) {
                if (++m_errorCount >= kErrorLimit) {
                    error = LinkError::ErrorLimit;
                    action = ErrorAction::BreakLink;
                    resetLink();
                }
            }
            break;
        case ErrorAction::AbortTransfer:
            abortTransfer();
            break;
        case ErrorAction::BreakLink:
        case ErrorAction::ClosedByPeer:
            resetLink();
            break;
        case ErrorAction::StatusOnly:
            break;
    }
    m_listener.linkError(error, action, LinkErrors::messageOf(error));
    return action;
}

void LinkEngine::resetLink() {
    m_fileIndex = 0;
    setState(LinkState::Idle, true);
    m_role = Role::MasterPc;
    clearTimeout();
    m_repeat = false;
    m_paused = false;
    m_bytesSent = 0;
    m_inbox.clear();
    m_sink.setReadSize(kFrameReadSize);
    m_timerRunning = false;
    m_file.close();
    m_out.forgetData();
    m_outstanding = Outstanding::None;
    m_inbox.forgetAnswered();
    m_receiveMode = ReceiveMode::None;
    m_uploadPath.clear();
    // Work posted before the reset belongs to the session that just ended.
    m_posted.clear();
    if (m_listPending) finishFileList(false);
}

void LinkEngine::abortTransfer() {
    m_fileIndex = 0;
    m_repeat = false;
    m_paused = false;
    m_bytesSent = 0;
    m_inbox.clear();
    m_sink.setReadSize(kFrameReadSize);
    m_file.close();
    m_out.forgetData();
    m_outstanding = Outstanding::None;
    m_receiveMode = ReceiveMode::None;
    m_uploadPath.clear();
    m_posted.clear();
    setState(LinkState::Ready, m_state != LinkState::Ready);
    clearTimeout();
}

void LinkEngine::drainPosted() {
    if (m_draining) return;
    m_draining = true;
    while (!m_posted.empty()) {
        const Posted message = m_posted.front();
        m_posted.pop_front();
        switch (message) {
            case Posted::SendNext:
                m_handler.sendNextFile(*this);
                break;
            case Posted::ReceiveNext:
                m_handler.receiveNextFile(*this);
                break;
            case Posted::Resume:
                resume();
                break;
        }
    }
    m_draining = false;
    checkFileList();
}

void LinkEngine::handleFrame(const Frame& frame) {
    const auto command = static_cast<Command>(frame.command);
    if (command == Command::Nak) {
        if (raiseError(LinkError::HeaderSum) == ErrorAction::Continue) resendLast();
        return;
    }
    if (command == Command::Disconnect) {
        sendReply(Command::DisconnectReply, answer_code::kDone);
        setState(LinkState::Idle, true);
        raiseError(LinkError::ClosedByPeer);
        return;
    }
    if (command == Command::Probe && m_role == Role::MasterCnc) {
        m_errorCount = 0;
        m_out.status(frame.sequence, status_code::kHandled);
        return;
    }
    if (m_inbox.repeatsAnswered(frame)) {
        // Our answer was lost: the same answer again, the frame is not
        // taken twice.
        resendReply();
        return;
    }
    if (command == Command::Status) {
        // Outside a probe it is the late answer of one already settled.
        if (m_state == LinkState::Probing) LinkProbeAnswers(*this).onAnswer(frame);
        return;
    }
    if (m_state == LinkState::Probing) {
        // The answer the probe asked after came after all.
        setState(m_savedState, false);
        m_probes = 0;
    }
    switch (m_state) {
        case LinkState::Transfer:
            LinkTransferFrames(*this).onFrame(frame);
            break;
        case LinkState::Closing:
            onClosingFrame(frame);
            break;
        case LinkState::Ready:
            LinkReadyAnswers(*this).onFrame(frame);
            break;
        case LinkState::Probing:
        case LinkState::Idle:
        case LinkState::Connecting:
            break;
    }
}

void LinkEngine::onClosingFrame(const Frame& frame) {
    if (static_cast<Command>(frame.command) != Command::DisconnectReply) return;
    m_accepted = false;
    if (m_disconnectPending) finishDisconnect(true);
}

}  // namespace kelcc::core::comm
