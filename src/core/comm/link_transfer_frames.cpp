#include "comm/link_transfer_frames.h"

#include "comm/link_engine.h"
#include "comm/link_errors.h"
#include "comm/reply_codes.h"

namespace kelcc::core::comm {
namespace {

std::uint8_t code(Command command) {
    return static_cast<std::uint8_t>(command);
}

}  // namespace

void LinkTransferFrames::onFrame(const Frame& frame) {
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
            if (m_engine.answersCommand(frame)) m_engine.raiseError(LinkError::UnknownAnswer);
            break;
        default:
            m_engine.raiseError(LinkError::UnknownAnswer);
            break;
    }
}

void LinkTransferFrames::onDataFrame(const Frame& frame) {
    // Data frames are valid only while receiving; while sending they would
    // land in the file being sent.
    if (m_engine.m_receiveMode == ReceiveMode::None) {
        m_engine.raiseError(LinkError::UnknownAnswer);
        return;
    }
    // Counted over the pieces taken only: a late repeat of some answer in
    // between must not move what the next piece is to carry.
    if (frame.sequence !=
        (m_engine.m_rxData == 255 ? 1 : static_cast<std::uint8_t>(m_engine.m_rxData + 1))) {
        m_engine.raiseError(LinkError::OutOfSequence);
        return;
    }
    if (frame.subCode != piece_code::kFirst && frame.subCode != piece_code::kLast &&
        frame.subCode != piece_code::kFurther)
        return;
    if (m_engine.m_receiveMode == ReceiveMode::File) {
        // Acknowledging a piece that was not stored would lose it silently.
        if (!m_engine.m_file.writePiece(frame.data)) {
            m_engine.raiseError(LinkError::FileCreate);
            return;
        }
        m_engine.m_listener.linkProgress(static_cast<std::uint32_t>(frame.data.size()), false);
    } else {
        m_engine.m_listText.append(frame.data.begin(), frame.data.end());
    }
    m_engine.m_rxData = frame.sequence;
    m_engine.sendReply(Command::Ack, ack_code::kTaken);
    if (frame.subCode != piece_code::kLast) return;

    const ReceiveMode mode = m_engine.m_receiveMode;
    m_engine.m_receiveMode = ReceiveMode::None;
    if (mode == ReceiveMode::Text) {
        m_engine.setState(LinkState::Ready, true);
        m_engine.clearTimeout();
        m_engine.m_done = 1;
        return;
    }
    m_engine.m_file.lastPieceWritten();
    m_engine.m_file.close();
    m_engine.setState(LinkState::Ready, true);
    m_engine.clearTimeout();
    ++m_engine.m_fileIndex;
    if (m_engine.m_role == Role::MasterCnc) {
        if (frame.command == code(Command::DataLast))
            m_engine.sendCommand(Command::Control, control_op::kTakeRole);
        const std::string path = std::move(m_engine.m_uploadPath);
        m_engine.m_uploadPath.clear();
        m_engine.m_listener.uploadComplete(path);
    } else {
        m_engine.post(LinkEngine::Posted::ReceiveNext);
    }
}

void LinkTransferFrames::onAck(const Frame& frame) {
    // Acknowledgements answer our data frames; while receiving there are none.
    if (m_engine.m_receiveMode != ReceiveMode::None) {
        m_engine.raiseError(LinkError::UnknownAnswer);
        return;
    }
    // An answer to an earlier piece, repeated on the way, moves nothing.
    const bool current = m_engine.m_outstanding == LinkEngine::Outstanding::Data &&
                         frame.sequence == m_engine.m_out.dataSequence();
    if (!current && (frame.subCode == ack_code::kTaken || frame.subCode == ack_code::kCheckError ||
                     frame.subCode == ack_code::kResumable))
        return;
    switch (frame.subCode) {
        case ack_code::kTaken:
            m_engine.continueSending();
            break;
        case ack_code::kCheckError:
            if (m_engine.raiseError(LinkError::DataCrc) == ErrorAction::Continue)
                m_engine.resendData();
            break;
        case ack_code::kBusy:
        case ack_code::kCannotTakeData:
            m_engine.pauseForBusy();
            break;
        case ack_code::kBusyOverContinue:
            m_engine.event(LinkEvent::Busy, kNotBusy);
            m_engine.event(LinkEvent::StatusText, kStatusSendingData);
            m_engine.continueSending();
            m_engine.m_errorCount = 0;
            break;
        case ack_code::kBusyOverRepeat:
            m_engine.event(LinkEvent::Busy, kNotBusy);
            m_engine.event(LinkEvent::StatusText, kStatusSendingData);
            m_engine.resendData();
            break;
        case ack_code::kResumable:
            m_engine.m_sink.setReadSize(LinkEngine::kFrameReadSize);
            // Ready first: a refusal by the transfer side resets the link
            // and must not be undone afterwards.
            m_engine.setState(LinkState::Ready, false);
            m_engine.m_handler.resumeOffered(m_engine);
            break;
        default:
            m_engine.raiseError(LinkErrors::ofAnswer(Command::Ack, frame.subCode));
            break;
    }
}

}  // namespace kelcc::core::comm
