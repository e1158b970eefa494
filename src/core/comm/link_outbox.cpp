#include "comm/link_outbox.h"

#include "comm/link_frame.h"

namespace kelcc::core::comm {
namespace {

std::uint8_t code(Command command) {
    return static_cast<std::uint8_t>(command);
}

Frame frameOf(std::uint8_t sequence, Command command, std::uint8_t subCode,
              std::span<const std::uint8_t> data) {
    return Frame{sequence, code(command), subCode, {data.begin(), data.end()}};
}

}  // namespace

std::uint8_t LinkOutbox::nextSequence() noexcept {
    m_txSequence = m_txSequence == 255 ? 1 : static_cast<std::uint8_t>(m_txSequence + 1);
    return m_txSequence;
}

bool LinkOutbox::keepAndQueue(std::vector<std::uint8_t>& kept, const Frame& frame, SentKind kind) {
    kept = LinkFrame::encode(frame);
    if (!queue(kept)) return false;
    m_lastKind = kind;
    return true;
}

bool LinkOutbox::command(Command command, std::uint8_t subCode,
                         std::span<const std::uint8_t> data) {
    std::uint8_t sequence = 0;
    if (command == Command::Disconnect) {
        m_txSequence = 255;
    } else {
        sequence = nextSequence();
        // Numbering starts over with every file, but a command must not
        // carry the number of the one before: a late repeat of that one's
        // answer would be taken for this one's.
        if (sequence == m_commandSequence) sequence = nextSequence();
    }
    m_commandSequence = sequence;
    if (!keepAndQueue(m_commandFrame, frameOf(sequence, command, subCode, data), SentKind::Command))
        return false;
    const bool remembered = code(command) >= 0x60 && code(command) <= 0x67;
    m_lastCommand = remembered ? code(command) : 0;
    m_lastCommandSubCode = remembered ? subCode : 0;
    return true;
}

bool LinkOutbox::reply(std::uint8_t sequence, Command command, std::uint8_t subCode,
                       std::span<const std::uint8_t> data) {
    return keepAndQueue(m_replyFrame, frameOf(sequence, command, subCode, data), SentKind::Reply);
}

bool LinkOutbox::data(std::uint8_t subCode, std::span<const std::uint8_t> data) {
    m_dataSequence = nextSequence();
    return keepAndQueue(m_dataFrame, frameOf(m_dataSequence, Command::Data, subCode, data),
                        SentKind::Data);
}

bool LinkOutbox::nak() {
    if (!queue(LinkFrame::encode(frameOf(0, Command::Nak, 0, {})))) return false;
    m_lastKind = SentKind::Nak;
    return true;
}

bool LinkOutbox::probe() {
    // The kept frames and the last kind stay: the answer tells which of
    // them to send again.
    return queue(LinkFrame::encode(frameOf(m_txSequence, Command::Probe, 0, {})));
}

bool LinkOutbox::status(std::uint8_t sequence, std::uint8_t state) {
    return queue(LinkFrame::encode(frameOf(sequence, Command::Status, state, {})));
}

bool LinkOutbox::repeatLast(bool dataWaits, bool commandWaits) {
    switch (m_lastKind) {
        case SentKind::Data:
            return resendData();
        case SentKind::Reply:
            return resendReply();
        case SentKind::Command:
            return resendCommand();
        case SentKind::Nak:
            if (dataWaits) return resendData();
            if (commandWaits) return resendCommand();
            return nak();
        case SentKind::None:
            return false;
    }
    return false;
}

bool LinkOutbox::resendData() {
    // Nothing is kept once a file is finished; an old piece must not go out.
    if (m_dataFrame.empty() || !queue(m_dataFrame)) return false;
    m_lastKind = SentKind::Data;
    return true;
}

bool LinkOutbox::resendCommand() {
    if (m_commandFrame.empty() || !queue(m_commandFrame)) return false;
    m_lastKind = SentKind::Command;
    return true;
}

bool LinkOutbox::resendReply() {
    if (m_replyFrame.empty() || !queue(m_replyFrame)) return false;
    m_lastKind = SentKind::Reply;
    return true;
}

}  // namespace kelcc::core::comm
