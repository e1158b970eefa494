#include "comm/link_inbox.h"

#include "comm/reply_codes.h"

namespace kelcc::core::comm {
namespace {

bool isData(std::uint8_t command) noexcept {
    return command == static_cast<std::uint8_t>(Command::Data) ||
           command == static_cast<std::uint8_t>(Command::DataLast);
}

}  // namespace

std::optional<Frame> LinkInbox::next() {
    while (m_parser.buffered() > 0) {
        LinkFrameParser::Result result = m_parser.next();
        if (m_parser.takeDiscarded() > 0 && m_damage.error == LinkError::None)
            m_damage.error = LinkError::HeaderSum;
        switch (result.status) {
            case LinkFrameParser::Status::NeedMore:
                return std::nullopt;
            case LinkFrameParser::Status::Complete:
                m_damage = {};
                return std::move(result.frame);
            case LinkFrameParser::Status::CrcError:
                m_damage.error = LinkError::DataCrc;
                m_damage.dataSequence.reset();
                if (isData(result.frame.command)) m_damage.dataSequence = result.frame.sequence;
                break;
            case LinkFrameParser::Status::HeaderError:
            case LinkFrameParser::Status::Oversized:
                if (m_damage.error == LinkError::None) m_damage.error = LinkError::HeaderSum;
                break;
        }
    }
    return std::nullopt;
}

LinkInbox::Damage LinkInbox::takeDamage() noexcept {
    Damage damage = m_damage;
    m_damage = {};
    return damage;
}

void LinkInbox::clear() noexcept {
    m_parser.clear();
    m_damage = {};
}

void LinkInbox::answered(const Frame& frame) {
    m_answered = frame;
    m_haveAnswered = true;
}

bool LinkInbox::repeatsAnswered(const Frame& frame) const noexcept {
    return m_haveAnswered && frame.sequence == m_answered.sequence &&
           frame.command == m_answered.command && frame.subCode == m_answered.subCode &&
           frame.data == m_answered.data;
}

bool LinkInbox::carriesPeerNumber(const Frame& frame) noexcept {
    const auto command = static_cast<Command>(frame.command);
    return command != Command::Nak && command != Command::Probe && command != Command::Status;
}

bool LinkInbox::reportsDamage(const Frame& frame) noexcept {
    if (frame.command == static_cast<std::uint8_t>(Command::Nak)) return true;
    switch (static_cast<Command>(frame.command)) {
        case Command::Status:
            return frame.subCode == status_code::kHeaderError ||
                   frame.subCode == status_code::kDataError;
        case Command::Ack:
        case Command::ListReply:
        case Command::FileReply:
        case Command::ControlReply:
            return frame.subCode == answer_code::kCheckError;
        default:
            return false;
    }
}

}  // namespace kelcc::core::comm
