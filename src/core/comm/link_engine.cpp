#include "comm/link_engine.h"

#include <algorithm>

#include "comm/link_errors.h"

namespace kelcc::core::comm {
namespace {

constexpr std::uint8_t kControlTakeRole = 4;
constexpr std::uint8_t kControlHandOver = 3;
constexpr std::uint8_t kControlTellWhenReady = 0x10;
constexpr std::uint8_t kControlBusy = 1;
constexpr std::uint8_t kControlNotBusy = 2;
constexpr std::uint8_t kFileWrite = 1;
constexpr std::uint8_t kFileRead = 2;
constexpr std::uint8_t kFileUpload = 5;
constexpr std::uint8_t kPieceFirst = 0;
constexpr std::uint8_t kPieceLast = 1;
constexpr std::uint8_t kPieceFurther = 2;
constexpr std::uint8_t kHighestListArea = 4;
constexpr std::size_t kFileHeaderSize = 27;
// CMD_FILE_REPLY result the PC gives when it cannot create an uploaded file.
constexpr std::uint8_t kReplyCreateFailed = 6;

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
    sendCommand(Command::Control, kControlTakeRole);
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
                                 m_out.lastCommandSubCode() == kControlTellWhenReady;
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

void LinkEngine::resendByKind(LinkState savedState) {
    switch (m_out.lastKind()) {
        case SentKind::Data:
            event(LinkEvent::StatusText, kStatusSendingData);
            setState(LinkState::Transfer, false);
            resendData();
            break;
        case SentKind::Reply:
        case SentKind::Command:
            setState(LinkState::Ready, false);
            if (m_out.repeatLast(false, false)) setTimeout(kReplyTimeoutMs);
            break;
        case SentKind::Nak:
            setState(savedState, false);
            sendNak();
            break;
        case SentKind::None:
            setState(LinkState::Ready, false);
            break;
    }
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
        last ? kPieceLast : (m_bytesSent == 0 ? kPieceFirst : kPieceFurther);
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
    sendCommand(Command::Control, kControlTellWhenReady);
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
    m_lastError = error;
    ErrorAction action = LinkErrors::actionOf(error);
    switch (action) {
        case ErrorAction::Continue:
            if (error == LinkError::HeaderSum || error == LinkError::DataCrc) {
                if (++m_errorCount >= kErrorLimit) {
                    error = LinkError::ErrorLimit;
                    m_lastError = error;
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
        sendReply(Command::DisconnectReply, 0);
        setState(LinkState::Idle, true);
        raiseError(LinkError::ClosedByPeer);
        return;
    }
    if (command == Command::Probe && m_role == Role::MasterCnc) {
        m_errorCount = 0;
        m_out.status(frame.sequence, 0);
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
        if (m_state == LinkState::Probing) onProbeAnswer(frame);
        return;
    }
    if (m_state == LinkState::Probing) {
        // The answer the probe asked after came after all.
        setState(m_savedState, false);
        m_probes = 0;
    }
    switch (m_state) {
        case LinkState::Transfer:
            onTransferFrame(frame);
            break;
        case LinkState::Closing:
            onClosingFrame(frame);
            break;
        case LinkState::Ready:
            onReadyFrame(frame);
            break;
        case LinkState::Probing:
        case LinkState::Idle:
        case LinkState::Connecting:
            break;
    }
}

void LinkEngine::onTransferFrame(const Frame& frame) {
    switch (static_cast<Command>(frame.command)) {
        case Command::Data:
        case Command::DataLast:
            onDataFrame(frame);
            break;
        case Command::Ack:
            onAck(frame);
            break;
        case Command::ListReply:
        case Command::FileReply:
        case Command::ControlReply:
            // An answer repeated on the way, to a command already answered.
            if (answersCommand(frame)) raiseError(LinkError::UnknownAnswer);
            break;
        default:
            raiseError(LinkError::UnknownAnswer);
            break;
    }
}

void LinkEngine::onDataFrame(const Frame& frame) {
    // Data frames are valid only while receiving; while sending they would
    // land in the file being sent.
    if (m_receiveMode == ReceiveMode::None) {
        raiseError(LinkError::UnknownAnswer);
        return;
    }
    // Counted over the pieces taken only: a late repeat of some answer in
    // between must not move what the next piece is to carry.
    if (frame.sequence != (m_rxData == 255 ? 1 : static_cast<std::uint8_t>(m_rxData + 1))) {
        raiseError(LinkError::OutOfSequence);
        return;
    }
    if (frame.subCode != kPieceFirst && frame.subCode != kPieceLast &&
        frame.subCode != kPieceFurther)
        return;
    if (m_receiveMode == ReceiveMode::File) {
        // Acknowledging a piece that was not stored would lose it silently.
        if (!m_file.writePiece(frame.data)) {
            raiseError(LinkError::FileCreate);
            return;
        }
        m_listener.linkProgress(static_cast<std::uint32_t>(frame.data.size()), false);
    } else {
        m_listText.append(frame.data.begin(), frame.data.end());
    }
    m_rxData = frame.sequence;
    sendReply(Command::Ack, 0);
    if (frame.subCode != kPieceLast) return;

    const ReceiveMode mode = m_receiveMode;
    m_receiveMode = ReceiveMode::None;
    if (mode == ReceiveMode::Text) {
        setState(LinkState::Ready, true);
        clearTimeout();
        m_done = 1;
        return;
    }
    m_file.lastPieceWritten();
    m_file.close();
    setState(LinkState::Ready, true);
    clearTimeout();
    ++m_fileIndex;
    if (m_role == Role::MasterCnc) {
        if (frame.command == code(Command::DataLast))
            sendCommand(Command::Control, kControlTakeRole);
        const std::string path = std::move(m_uploadPath);
        m_uploadPath.clear();
        m_listener.uploadComplete(path);
    } else {
        post(Posted::ReceiveNext);
    }
}

void LinkEngine::onAck(const Frame& frame) {
    // Acknowledgements answer our data frames; while receiving there are none.
    if (m_receiveMode != ReceiveMode::None) {
        raiseError(LinkError::UnknownAnswer);
        return;
    }
    // An answer to an earlier piece, repeated on the way, moves nothing.
    const bool current =
        m_outstanding == Outstanding::Data && frame.sequence == m_out.dataSequence();
    if (!current && (frame.subCode == 0 || frame.subCode == 2 || frame.subCode == 8)) return;
    switch (frame.subCode) {
        case 0:
            continueSending();
            break;
        case 2:
            if (raiseError(LinkError::DataCrc) == ErrorAction::Continue) resendData();
            break;
        case 4:
        case 5:
            pauseForBusy();
            break;
        case 6:
            event(LinkEvent::Busy, kNotBusy);
            event(LinkEvent::StatusText, kStatusSendingData);
            continueSending();
            m_errorCount = 0;
            break;
        case 7:
            event(LinkEvent::Busy, kNotBusy);
            event(LinkEvent::StatusText, kStatusSendingData);
            resendData();
            break;
        case 8:
            m_sink.setReadSize(kFrameReadSize);
            // Ready first: a refusal by the transfer side resets the link
            // and must not be undone afterwards.
            setState(LinkState::Ready, false);
            m_handler.resumeOffered(*this);
            break;
        case 0x10:
            raiseError(LinkError::Forbidden);
            break;
        case 0x11:
            raiseError(LinkError::UnknownFormat);
            break;
        default:
            raiseError(LinkError::UnknownAnswer);
            break;
    }
}

void LinkEngine::onClosingFrame(const Frame& frame) {
    if (static_cast<Command>(frame.command) != Command::DisconnectReply) return;
    m_accepted = false;
    if (m_disconnectPending) finishDisconnect(true);
}

void LinkEngine::onProbeAnswer(const Frame& frame) {
    // An answer to an earlier probe: the current one is still answered or
    // goes out again.
    if (frame.sequence != m_out.transmitSequence()) return;
    m_probes = 0;
    const bool receiving = m_receiveMode != ReceiveMode::None;
    const bool sending = m_savedState == LinkState::Transfer && !receiving;
    const bool commandWaits = m_outstanding == Outstanding::Command;
    switch (frame.subCode) {
        case 0:
        case 1:
            if (receiving) {
                // Our last acknowledgement again, or before the first one a
                // request for the piece: the controller repeats or continues.
                setState(LinkState::Transfer, false);
                if (m_out.hasReply())
                    resendReply();
                else
                    sendNak();
            } else if (sending) {
                setState(LinkState::Transfer, false);
                if (frame.subCode == 0) {
                    post(Posted::Resume);
                } else {
                    event(LinkEvent::StatusText, kStatusSendingData);
                    resendData();
                }
            } else if (commandWaits) {
                // Lost on the way or its answer was: the controller answers
                // a repeated command with its last answer.
                setState(LinkState::Ready, false);
                resendCommand();
            } else if (frame.subCode == 0) {
                setState(LinkState::Ready, false);
                clearTimeout();
                event(LinkEvent::NothingPending);
            } else {
                setState(LinkState::Ready, false);
                resendReply();
            }
            break;
        case 2:
        case 3:
            if (raiseError(frame.subCode == 2 ? LinkError::HeaderSum : LinkError::DataCrc) ==
                ErrorAction::Continue)
                resendByKind(m_savedState);
            break;
        case 4:
        case 5:
            // Without the paused mark the ready answer would never resume
            // the interrupted transfer.
            if (m_savedState == LinkState::Transfer) m_paused = true;
            setState(LinkState::Ready, false);
            sendCommand(Command::Control, kControlTellWhenReady);
            break;
        case 6:
            event(LinkEvent::StatusText, kStatusSendingData);
            setState(LinkState::Transfer, false);
            post(Posted::Resume);
            break;
        case 7:
            event(LinkEvent::StatusText, kStatusSendingData);
            setState(LinkState::Transfer, false);
            if (sending) resendData();
            break;
        case 0x10:
            setState(LinkState::Ready, false);
            m_handler.resumeAsked(*this);
            break;
        case 0x11:
            setState(LinkState::Ready, false);
            if (commandWaits) resendCommand();
            break;
        default:
            raiseError(LinkError::UnknownAnswer);
            break;
    }
}

void LinkEngine::onReadyFrame(const Frame& frame) {
    if (m_role == Role::MasterCnc)
        onReadyFrameCncMaster(frame);
    else
        onReadyFramePcMaster(frame);
}

void LinkEngine::onReadyFrameCncMaster(const Frame& frame) {
    switch (static_cast<Command>(frame.command)) {
        case Command::File:
            if (frame.subCode == kFileWrite || frame.subCode == kFileUpload)
                onUploadOffer(frame);
            else
                raiseError(LinkError::UnknownAnswer);
            break;
        case Command::Control:
            if (frame.subCode == kControlHandOver || frame.subCode == kControlTakeRole) {
                m_role = frame.subCode == kControlHandOver ? Role::MasterPc : Role::MasterCnc;
                sendReply(Command::ControlReply, 0);
                clearTimeout();
            }
            break;
        case Command::ControlReply: {
            const bool answersControl =
                frame.subCode == 0 && m_out.lastCommand() == code(Command::Control);
            if (answersControl && m_out.lastCommandSubCode() == kControlTakeRole) {
                clearTimeout();
                m_role = Role::MasterPc;
                m_done = 1;
            } else if (answersControl && m_out.lastCommandSubCode() == kControlHandOver) {
                clearTimeout();
                m_role = Role::MasterCnc;
                m_done = 1;
            } else {
                raiseError(LinkError::UnknownAnswer);
            }
            break;
        }
        default:
            raiseError(LinkError::UnknownAnswer);
            break;
    }
}

void LinkEngine::onUploadOffer(const Frame& frame) {
    if (frame.data.size() < kFileHeaderSize) {
        raiseError(LinkError::UnknownAnswer);
        return;
    }
    const std::optional<UploadEntry> entry = m_handler.uploadOffered(frame.data);
    if (!entry) {
        // Tell the controller instead of taking data that has nowhere to go.
        sendReply(Command::FileReply, kReplyCreateFailed);
        raiseError(LinkError::FileCreate);
        return;
    }
    m_uploadPath = entry->localPath;
    sendReply(Command::FileReply, 0);
    setState(LinkState::Transfer, true);
    m_listener.uploadStarted(*entry);
    m_receiveMode = ReceiveMode::File;
}

void LinkEngine::onReadyFramePcMaster(const Frame& frame) {
    switch (static_cast<Command>(frame.command)) {
        case Command::Control:
            onControl(frame);
            break;
        case Command::ListReply:
            onListReply(frame);
            break;
        case Command::ControlReply:
            onControlReply(frame);
            break;
        case Command::FileReply:
            onFileReply(frame);
            break;
        case Command::Data:
            // A piece, but not the acceptance of our list or read in front
            // of it. It may as well be the last piece of the file before,
            // repeated: ask again instead of guessing whose it is.
            if (m_outstanding == Outstanding::Command &&
                (m_out.lastCommand() == code(Command::List) ||
                 (m_out.lastCommand() == code(Command::File) &&
                  m_out.lastCommandSubCode() == kFileRead)))
                resendCommand();
            break;
        default:
            break;
    }
}

void LinkEngine::onControl(const Frame& frame) {
    switch (frame.subCode) {
        case kControlBusy:
            event(LinkEvent::Busy, kBusy);
            setWaitTimeout(frame.data);
            break;
        case kControlNotBusy:
            event(LinkEvent::Busy, kNotBusy);
            clearTimeout();
            break;
        case kControlHandOver:
            m_role = Role::MasterPc;
            if (sendReply(Command::ControlReply, 0)) event(LinkEvent::PcHasControl);
            clearTimeout();
            break;
        case kControlTakeRole:
            m_role = Role::MasterCnc;
            if (sendReply(Command::ControlReply, 0)) event(LinkEvent::CncHasControl);
            clearTimeout();
            break;
        default:
            raiseError(LinkError::UnknownAnswer);
            break;
    }
}

bool LinkEngine::onBusyAnswer(const Frame& frame) {
    switch (frame.subCode) {
        case 2:
            if (raiseError(LinkError::DataCrc) == ErrorAction::Continue) resendCommand();
            return true;
        case 0x10:
            event(LinkEvent::Busy, kBusy);
            setWaitTimeout(frame.data);
            return true;
        case 0x11:
            event(LinkEvent::Busy, kBusy);
            return true;
        case 0x13:
            event(LinkEvent::Busy, kNotBusy);
            resendCommand();
            return true;
        default:
            return false;
    }
}

void LinkEngine::onListReply(const Frame& frame) {
    if (onBusyAnswer(frame)) return;
    switch (frame.subCode) {
        case 0:
            if (!answersCommand(frame) || m_out.lastCommand() != code(Command::List) ||
                m_out.lastCommandSubCode() > kHighestListArea)
                break;
            m_outstanding = Outstanding::None;
            if (frame.data.size() < 2) {
                raiseError(LinkError::UnknownAnswer);
                break;
            }
            if (frame.data[0] == 0 && frame.data[1] == 0) {
                clearTimeout();
                m_done = 1;
            } else {
                m_receiveMode = ReceiveMode::Text;
                m_out.forgetReply();
                setState(LinkState::Transfer, true);
            }
            break;
        case 0x12:
            event(LinkEvent::Busy, kNotBusy);
            clearTimeout();
            break;
        default:
            raiseError(LinkErrors::ofAnswer(Command::ListReply, frame.subCode));
            break;
    }
}

void LinkEngine::onControlReply(const Frame& frame) {
    if (onBusyAnswer(frame)) return;
    switch (frame.subCode) {
        case 0:
            if (!answersCommand(frame) || m_out.lastCommand() != code(Command::Control)) break;
            m_outstanding = Outstanding::None;
            if (m_out.lastCommandSubCode() == kControlTakeRole) {
                clearTimeout();
                m_role = Role::MasterPc;
                event(LinkEvent::PcHasControl);
            } else if (m_out.lastCommandSubCode() == kControlHandOver) {
                clearTimeout();
                m_role = Role::MasterCnc;
                event(LinkEvent::CncHasControl);
            }
            break;
        case 0x14:
            event(LinkEvent::Busy, kBusy);
            setWaitTimeout(frame.data);
            break;
        case 0x12:
            event(LinkEvent::Busy, kNotBusy);
            if (!m_paused) {
                clearTimeout();
                break;
            }
            m_paused = false;
            setState(LinkState::Transfer, false);
            if (m_receiveMode == ReceiveMode::None)
                post(Posted::Resume);
            else
                setTimeout(kReplyTimeoutMs);  // the controller goes on with its data
            break;
        default:
            raiseError(LinkErrors::ofAnswer(Command::ControlReply, frame.subCode));
            break;
    }
}

void LinkEngine::onFileReply(const Frame& frame) {
    if (onBusyAnswer(frame)) return;
    const bool answersFile = m_out.lastCommand() == code(Command::File) && answersCommand(frame);
    const std::uint8_t fileSubCode = m_out.lastCommandSubCode();
    switch (frame.subCode) {
        case 0:
            if (!answersFile) break;
            m_outstanding = Outstanding::None;
            m_handler.fileAccepted(*this, fileSubCode, frame.data);
            break;
        case 1:
            if (!answersFile || fileSubCode != kFileWrite) break;
            m_outstanding = Outstanding::None;
            m_handler.fileExists(*this);
            break;
        case 0x12:
            event(LinkEvent::Busy, kNotBusy);
            clearTimeout();
            break;
        default:
            raiseError(LinkErrors::ofAnswer(Command::FileReply, frame.subCode));
            break;
    }
}

}  // namespace kelcc::core::comm
