#include "comm/link_probe_answers.h"

#include "comm/link_engine.h"
#include "comm/reply_codes.h"

namespace kelcc::core::comm {

void LinkProbeAnswers::onAnswer(const Frame& frame) {
    // An answer to an earlier probe: the current one is still answered or
    // goes out again.
    if (frame.sequence != m_engine.m_out.transmitSequence()) return;
    m_engine.m_probes = 0;
    const bool receiving = m_engine.m_receiveMode != ReceiveMode::None;
    const bool sending = m_engine.m_savedState == LinkState::Transfer && !receiving;
    const bool commandWaits = m_engine.m_outstanding == LinkEngine::Outstanding::Command;
    switch (frame.subCode) {
        case status_code::kHandled:
        case status_code::kNotReceived:
            if (receiving) {
                // Our last acknowledgement again, or before the first one a
                // request for the piece: the controller repeats or continues.
                m_engine.setState(LinkState::Transfer, false);
                if (m_engine.m_out.hasReply())
                    m_engine.resendReply();
                else
                    m_engine.sendNak();
            } else if (sending) {
                m_engine.setState(LinkState::Transfer, false);
                if (frame.subCode == status_code::kHandled) {
                    m_engine.post(LinkEngine::Posted::Resume);
                } else {
                    m_engine.event(LinkEvent::StatusText, kStatusSendingData);
                    m_engine.resendData();
                }
            } else if (commandWaits) {
                // Lost on the way or its answer was: the controller answers
                // a repeated command with its last answer.
                m_engine.setState(LinkState::Ready, false);
                m_engine.resendCommand();
            } else if (frame.subCode == status_code::kHandled) {
                m_engine.setState(LinkState::Ready, false);
                m_engine.clearTimeout();
                m_engine.event(LinkEvent::NothingPending);
            } else {
                m_engine.setState(LinkState::Ready, false);
                m_engine.resendReply();
            }
            break;
        case status_code::kHeaderError:
        case status_code::kDataError:
            if (m_engine.raiseError(frame.subCode == status_code::kHeaderError
                                        ? LinkError::HeaderSum
                                        : LinkError::DataCrc) == ErrorAction::Continue)
                resendByKind(m_engine.m_savedState);
            break;
        case status_code::kBusy:
        case status_code::kBusyNoData:
            // Without the paused mark the ready answer would never resume
            // the interrupted transfer.
            if (m_engine.m_savedState == LinkState::Transfer) m_engine.m_paused = true;
            m_engine.setState(LinkState::Ready, false);
            m_engine.sendCommand(Command::Control, control_op::kTellWhenReady);
            break;
        case status_code::kBusyOverContinue:
            m_engine.event(LinkEvent::StatusText, kStatusSendingData);
            m_engine.setState(LinkState::Transfer, false);
            m_engine.post(LinkEngine::Posted::Resume);
            break;
        case status_code::kBusyOverRepeat:
            m_engine.event(LinkEvent::StatusText, kStatusSendingData);
            m_engine.setState(LinkState::Transfer, false);
            if (sending) m_engine.resendData();
            break;
        case status_code::kWantsResume:
            m_engine.setState(LinkState::Ready, false);
            m_engine.m_handler.resumeAsked(m_engine);
            break;
        case status_code::kNothingPending:
            m_engine.setState(LinkState::Ready, false);
            if (commandWaits) m_engine.resendCommand();
            break;
        default:
            m_engine.raiseError(LinkError::UnknownAnswer);
            break;
    }
}

void LinkProbeAnswers::resendByKind(LinkState savedState) {
    switch (m_engine.m_out.lastKind()) {
        case SentKind::Data:
            m_engine.event(LinkEvent::StatusText, kStatusSendingData);
            m_engine.setState(LinkState::Transfer, false);
            m_engine.resendData();
            break;
        case SentKind::Reply:
        case SentKind::Command:
            m_engine.setState(LinkState::Ready, false);
            if (m_engine.m_out.repeatLast(false, false))
                m_engine.setTimeout(LinkEngine::kReplyTimeoutMs);
            break;
        case SentKind::Nak:
            m_engine.setState(savedState, false);
            m_engine.sendNak();
            break;
        case SentKind::None:
            m_engine.setState(LinkState::Ready, false);
            break;
    }
}

}  // namespace kelcc::core::comm
