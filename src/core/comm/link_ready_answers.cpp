#include "comm/link_ready_answers.h"

#include "comm/link_engine.h"
#include "comm/link_errors.h"
#include "comm/reply_codes.h"

namespace kelcc::core::comm {
namespace {

constexpr std::uint8_t kHighestListArea = 4;
constexpr std::size_t kFileHeaderSize = 27;

std::uint8_t code(Command command) {
    return static_cast<std::uint8_t>(command);
}

}  // namespace

void LinkReadyAnswers::onFrame(const Frame& frame) {
    if (m_engine.m_role == Role::MasterCnc)
        onFrameCncMaster(frame);
    else
        onFramePcMaster(frame);
}

void LinkReadyAnswers::onFrameCncMaster(const Frame& frame) {
    switch (static_cast<Command>(frame.command)) {
        case Command::File:
            if (frame.subCode == file_op::kWrite || frame.subCode == file_op::kUpload)
                onUploadOffer(frame);
            else
                m_engine.raiseError(LinkError::UnknownAnswer);
            break;
        case Command::Control:
            if (frame.subCode == control_op::kHandOver || frame.subCode == control_op::kTakeRole) {
                m_engine.m_role =
                    frame.subCode == control_op::kHandOver ? Role::MasterPc : Role::MasterCnc;
                m_engine.sendReply(Command::ControlReply, answer_code::kDone);
                m_engine.clearTimeout();
            }
            break;
        case Command::ControlReply: {
            const bool answersControl = frame.subCode == answer_code::kDone &&
                                        m_engine.m_out.lastCommand() == code(Command::Control);
            if (answersControl && m_engine.m_out.lastCommandSubCode() == control_op::kTakeRole) {
                m_engine.clearTimeout();
                m_engine.m_role = Role::MasterPc;
                m_engine.m_done = 1;
            } else if (answersControl &&
                       m_engine.m_out.lastCommandSubCode() == control_op::kHandOver) {
                m_engine.clearTimeout();
                m_engine.m_role = Role::MasterCnc;
                m_engine.m_done = 1;
            } else {
                m_engine.raiseError(LinkError::UnknownAnswer);
            }
            break;
        }
        default:
            m_engine.raiseError(LinkError::UnknownAnswer);
            break;
    }
}

void LinkReadyAnswers::onUploadOffer(const Frame& frame) {
    if (frame.data.size() < kFileHeaderSize) {
        m_engine.raiseError(LinkError::UnknownAnswer);
        return;
    }
    const std::optional<UploadEntry> entry = m_engine.m_handler.uploadOffered(frame.data);
    if (!entry) {
        // Tell the controller instead of taking data that has nowhere to go.
        m_engine.sendReply(Command::FileReply, answer_code::kCreateFailed);
        m_engine.raiseError(LinkError::FileCreate);
        return;
    }
    m_engine.m_uploadPath = entry->localPath;
    m_engine.sendReply(Command::FileReply, answer_code::kDone);
    m_engine.setState(LinkState::Transfer, true);
    m_engine.m_listener.uploadStarted(*entry);
    m_engine.m_receiveMode = ReceiveMode::File;
}

void LinkReadyAnswers::onFramePcMaster(const Frame& frame) {
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
            if (m_engine.m_outstanding == LinkEngine::Outstanding::Command &&
                (m_engine.m_out.lastCommand() == code(Command::List) ||
                 (m_engine.m_out.lastCommand() == code(Command::File) &&
                  m_engine.m_out.lastCommandSubCode() == file_op::kRead)))
                m_engine.resendCommand();
            break;
        default:
            break;
    }
}

void LinkReadyAnswers::onControl(const Frame& frame) {
    switch (frame.subCode) {
        case control_op::kBusy:
            m_engine.event(LinkEvent::Busy, kBusy);
            m_engine.setWaitTimeout(frame.data);
            break;
        case control_op::kNotBusy:
            m_engine.event(LinkEvent::Busy, kNotBusy);
            m_engine.clearTimeout();
            break;
        case control_op::kHandOver:
            m_engine.m_role = Role::MasterPc;
            if (m_engine.sendReply(Command::ControlReply, answer_code::kDone))
                m_engine.event(LinkEvent::PcHasControl);
            m_engine.clearTimeout();
            break;
        case control_op::kTakeRole:
            m_engine.m_role = Role::MasterCnc;
            if (m_engine.sendReply(Command::ControlReply, answer_code::kDone))
                m_engine.event(LinkEvent::CncHasControl);
            m_engine.clearTimeout();
            break;
        default:
            m_engine.raiseError(LinkError::UnknownAnswer);
            break;
    }
}

bool LinkReadyAnswers::onBusyAnswer(const Frame& frame) {
    switch (frame.subCode) {
        case answer_code::kCheckError:
            if (m_engine.raiseError(LinkError::DataCrc) == ErrorAction::Continue)
                m_engine.resendCommand();
            return true;
        case answer_code::kBusyWait:
            m_engine.event(LinkEvent::Busy, kBusy);
            m_engine.setWaitTimeout(frame.data);
            return true;
        case answer_code::kBusy:
            m_engine.event(LinkEvent::Busy, kBusy);
            return true;
        case answer_code::kReadyAgain:
            m_engine.event(LinkEvent::Busy, kNotBusy);
            m_engine.resendCommand();
            return true;
        default:
            return false;
    }
}

void LinkReadyAnswers::onListReply(const Frame& frame) {
    if (onBusyAnswer(frame)) return;
    switch (frame.subCode) {
        case answer_code::kDone:
            if (!m_engine.answersCommand(frame) ||
                m_engine.m_out.lastCommand() != code(Command::List) ||
                m_engine.m_out.lastCommandSubCode() > kHighestListArea)
                break;
            m_engine.m_outstanding = LinkEngine::Outstanding::None;
            if (frame.data.size() < 2) {
                m_engine.raiseError(LinkError::UnknownAnswer);
                break;
            }
            if (frame.data[0] == 0 && frame.data[1] == 0) {
                m_engine.clearTimeout();
                m_engine.m_done = 1;
            } else {
                m_engine.m_receiveMode = ReceiveMode::Text;
                m_engine.m_out.forgetReply();
                m_engine.setState(LinkState::Transfer, true);
            }
            break;
        case answer_code::kReady:
            m_engine.event(LinkEvent::Busy, kNotBusy);
            m_engine.clearTimeout();
            break;
        default:
            m_engine.raiseError(LinkErrors::ofAnswer(Command::ListReply, frame.subCode));
            break;
    }
}

void LinkReadyAnswers::onControlReply(const Frame& frame) {
    if (onBusyAnswer(frame)) return;
    switch (frame.subCode) {
        case answer_code::kDone:
            if (!m_engine.answersCommand(frame) ||
                m_engine.m_out.lastCommand() != code(Command::Control))
                break;
            m_engine.m_outstanding = LinkEngine::Outstanding::None;
            if (m_engine.m_out.lastCommandSubCode() == control_op::kTakeRole) {
                m_engine.clearTimeout();
                m_engine.m_role = Role::MasterPc;
                m_engine.event(LinkEvent::PcHasControl);
            } else if (m_engine.m_out.lastCommandSubCode() == control_op::kHandOver) {
                m_engine.clearTimeout();
                m_engine.m_role = Role::MasterCnc;
                m_engine.event(LinkEvent::CncHasControl);
            }
            break;
        case answer_code::kControlBusyWait:
            m_engine.event(LinkEvent::Busy, kBusy);
            m_engine.setWaitTimeout(frame.data);
            break;
        case answer_code::kReady:
            m_engine.event(LinkEvent::Busy, kNotBusy);
            if (!m_engine.m_paused) {
                m_engine.clearTimeout();
                break;
            }
            m_engine.m_paused = false;
            m_engine.setState(LinkState::Transfer, false);
            if (m_engine.m_receiveMode == ReceiveMode::None)
                m_engine.post(LinkEngine::Posted::Resume);
            else
                m_engine.setTimeout(
                    LinkEngine::kReplyTimeoutMs);  // the controller goes on with its data
            break;
        default:
            m_engine.raiseError(LinkErrors::ofAnswer(Command::ControlReply, frame.subCode));
            break;
    }
}

void LinkReadyAnswers::onFileReply(const Frame& frame) {
    if (onBusyAnswer(frame)) return;
    const bool answersFile =
        m_engine.m_out.lastCommand() == code(Command::File) && m_engine.answersCommand(frame);
    const std::uint8_t fileSubCode = m_engine.m_out.lastCommandSubCode();
    switch (frame.subCode) {
        case answer_code::kDone:
            if (!answersFile) break;
            m_engine.m_outstanding = LinkEngine::Outstanding::None;
            m_engine.m_handler.fileAccepted(m_engine, fileSubCode, frame.data);
            break;
        case answer_code::kExists:
            if (!answersFile || fileSubCode != file_op::kWrite) break;
            m_engine.m_outstanding = LinkEngine::Outstanding::None;
            m_engine.m_handler.fileExists(m_engine);
            break;
        case answer_code::kReady:
            m_engine.event(LinkEvent::Busy, kNotBusy);
            m_engine.clearTimeout();
            break;
        default:
            m_engine.raiseError(LinkErrors::ofAnswer(Command::FileReply, frame.subCode));
            break;
    }
}

}  // namespace kelcc::core::comm
