#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "comm/file_header.h"
#include "comm/link_frame.h"
#include "comm/link_inbox.h"
#include "comm/resume_record.h"

namespace kelcc::core::comm::testing {

// Answers the PC's frames as the controller would: the handshake, the
// command role, file lists, file writes, reads and deletes, the part-program
// resume records and the disconnect, with the stop-and-wait rules of a noisy
// line (damage answered at once, repeats answered again, probes answered by
// sequence). Scripted deviations make it refuse or misbehave at chosen points.
class FakeController {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct File {
        std::string content;
        std::uint8_t area = 1;
    };

    // Bytes from the PC; the controller's answers, one chunk per frame.
    std::vector<Bytes> onPcBytes(const Bytes& bytes) {
        std::vector<Bytes> out;
        if (bytes == Bytes(LinkFrame::kLinkRequest.begin(), LinkFrame::kLinkRequest.end())) {
            if (!silent)
                out.emplace_back(LinkFrame::kLinkAccept.begin(), LinkFrame::kLinkAccept.end());
            return out;
        }
        m_inbox.append(bytes);
        while (std::optional<Frame> f = m_inbox.next()) {
            received.push_back(*f);
            answer(*f, out);
        }
        const LinkInbox::Damage damage = m_inbox.takeDamage();
        if (damage.error != LinkError::None) {
            const bool data = damage.dataSequence && m_receivingData;
            out.push_back(data ? frame(*damage.dataSequence, Command::Ack, 2)
                               : frame(0, Command::Nak, 0));
        }
        if (!out.empty()) m_last = out.back();
        return out;
    }

    // Frames the PC sent with this command (and sub-code when given).
    std::vector<Frame> sent(Command command, std::optional<std::uint8_t> subCode = {}) const {
        std::vector<Frame> out;
        for (const Frame& f : received)
            if (f.command == static_cast<std::uint8_t>(command) &&
                (!subCode || f.subCode == *subCode))
                out.push_back(f);
        return out;
    }

    static Bytes frame(std::uint8_t sequence, Command command, std::uint8_t subCode,
                       Bytes data = {}) {
        return LinkFrame::encode(
            Frame{sequence, static_cast<std::uint8_t>(command), subCode, std::move(data)});
    }
    static Bytes bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

    std::map<std::string, File> files;
    std::vector<Frame> received;
    bool silent = false;
    // Answer to every write request instead of the usual one.
    std::optional<std::uint8_t> writeReply;
    // Acknowledgement of the first data frame of a write (then 0 again).
    std::optional<std::uint8_t> firstDataAck;
    // Leave the data frame with this index (from 0) unanswered once.
    std::optional<int> dropDataFrame;
    // State given to a probe instead of the one its sequence calls for.
    std::optional<std::uint8_t> probeState;
    // The controller's record in answer to the resume question.
    ResumeRecord heldRecord;
    // Start offset given in answer to a resume decision, by mode.
    std::map<std::uint8_t, std::uint32_t> startOffsets;
    // Answer a write request with the controller's own disconnect.
    bool disconnectOnWrite = false;
    bool answerDisconnect = true;

private:
    void reply(std::vector<Bytes>& out, std::uint8_t seq, Command command, std::uint8_t sub,
               Bytes data = {}) {
        out.push_back(frame(seq, command, sub, std::move(data)));
        m_lastReply = out.back();
        // A frame refused for a check error is not taken: its repeat is new.
        const bool refused = command == Command::Ack && sub == 2;
        if (m_current != nullptr && !refused) m_inbox.answered(*m_current);
    }

    // One data frame of what the PC is reading; further ones follow its acks.
    void nextOutgoing(std::vector<Bytes>& out) {
        const std::size_t count = std::min<std::size_t>(512, m_outgoing.size() - m_outgoingAt);
        const bool last = m_outgoingAt + count == m_outgoing.size();
        const std::uint8_t sub = last ? 1 : (m_outgoingAt == 0 ? 0 : 2);
        Bytes data(m_outgoing.begin() + static_cast<std::ptrdiff_t>(m_outgoingAt),
                   m_outgoing.begin() + static_cast<std::ptrdiff_t>(m_outgoingAt + count));
        m_outgoingAt += count;
        m_awaitingLastAck = last;
        m_sending = !last;
        m_probed = false;
        out.push_back(frame(++m_dataSequence, Command::Data, sub, std::move(data)));
        m_piece = out.back();
    }

    void startOutgoing(std::string text, std::vector<Bytes>& out) {
        m_outgoing = std::move(text);
        m_outgoingAt = 0;
        m_dataSequence = 0;
        nextOutgoing(out);
    }

    void answer(const Frame& f, std::vector<Bytes>& out) {
        const auto seq = f.sequence;
        const auto command = static_cast<Command>(f.command);
        if (command == Command::Nak) {
            out.push_back(m_sending || m_awaitingLastAck ? m_piece : m_last);
            return;
        }
        if (command != Command::Probe && m_inbox.repeatsAnswered(f)) {
            out.push_back(m_lastReply);
            return;
        }
        if (command != Command::Probe && command != Command::Ack) {
            m_heard = seq;
            m_heardAny = true;
        }
        m_current = &f;
        switch (command) {
            case Command::Control:
                if (f.subCode == 4) reply(out, seq, Command::ControlReply, 0);
                break;
            case Command::Disconnect:
                if (answerDisconnect) reply(out, seq, Command::DisconnectReply, 0);
                break;
            case Command::Probe: {
                const bool handled =
                    !m_sending && !m_awaitingLastAck && m_heardAny && seq == m_heard;
                out.push_back(
                    frame(seq, Command::Status,
                          probeState ? *probeState : static_cast<std::uint8_t>(!handled)));
                m_probed = true;
                break;
            }
            case Command::List: {
                std::string text;
                std::uint16_t count = 0;
                for (const auto& [name, file] : files)
                    if (file.area == f.subCode) {
                        text += name + "\t" + std::to_string(file.content.size()) + "\t" +
                                std::to_string(file.area) + "\t\r\n";
                        ++count;
                    }
                reply(out, seq, Command::ListReply, 0,
                      {static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count)});
                if (count > 0) startOutgoing(text, out);
                break;
            }
            case Command::Ack:
                // After a probe the PC repeats its last answer for the piece
                // that did not arrive; otherwise only the current one counts.
                if (seq != m_dataSequence) {
                    if (m_probed && (m_sending || m_awaitingLastAck)) out.push_back(m_piece);
                } else if (m_sending) {
                    nextOutgoing(out);
                } else {
                    m_awaitingLastAck = false;
                }
                break;
            case Command::File:
                onFile(f, out);
                break;
            case Command::Data:
                onData(f, out);
                break;
            default:
                break;
        }
        m_current = nullptr;
    }

    void onFile(const Frame& f, std::vector<Bytes>& out) {
        const auto seq = f.sequence;
        const std::string data(f.data.begin(), f.data.end());
        if (f.subCode == 6) {
            reply(out, seq, Command::FileReply, 0, bytes(heldRecord.encode()));
            return;
        }
        if (f.subCode == 7) {
            const auto record = ResumeRecord::decode(data);
            ResumeRecord answer = *record;
            answer.offset = startOffsets[record->mode];
            m_incoming.assign(
                m_incoming.substr(0, std::min<std::size_t>(answer.offset, m_incoming.size())));
            m_incoming.resize(answer.offset, '?');
            reply(out, seq, Command::FileReply, 0, bytes(answer.encode()));
            return;
        }
        const auto header = FileHeader::decode(data);
        if (!header) return;
        switch (f.subCode) {
            case 1:
                if (disconnectOnWrite) {
                    out.push_back(frame(0, Command::Disconnect, 0));
                    return;
                }
                if (writeReply) {
                    reply(out, seq, Command::FileReply, *writeReply);
                    return;
                }
                if (files.count(header->name)) {  // exists: delete it first
                    reply(out, seq, Command::FileReply, 1);
                    return;
                }
                m_incomingName = header->name;
                m_incomingArea = header->area;
                m_incoming.clear();
                m_dataIndex = 0;
                m_receivingData = true;
                reply(out, seq, Command::FileReply, 0);
                break;
            case 2: {
                const auto it = files.find(header->name);
                if (it == files.end()) {
                    reply(out, seq, Command::FileReply, 4);
                    return;
                }
                reply(out, seq, Command::FileReply, 0);
                startOutgoing(it->second.content, out);
                break;
            }
            case 4:
                files.erase(header->name);
                reply(out, seq, Command::FileReply, 0);
                break;
            default:
                break;
        }
    }

    void onData(const Frame& f, std::vector<Bytes>& out) {
        const int index = m_dataIndex++;
        if (dropDataFrame && *dropDataFrame == index) {
            dropDataFrame.reset();
            m_incoming.append(f.data.begin(), f.data.end());
            return;
        }
        if (index == 0 && firstDataAck) {
            const std::uint8_t ack = *firstDataAck;
            firstDataAck.reset();
            if (ack != 2) m_incoming.append(f.data.begin(), f.data.end());
            reply(out, f.sequence, Command::Ack, ack);
            return;
        }
        m_incoming.append(f.data.begin(), f.data.end());
        reply(out, f.sequence, Command::Ack, 0);
        if (f.subCode == 1) {
            files[m_incomingName] = {m_incoming, m_incomingArea};
            m_receivingData = false;
        }
    }

    LinkInbox m_inbox;
    const Frame* m_current = nullptr;
    Bytes m_last;
    Bytes m_lastReply;
    Bytes m_piece;
    std::uint8_t m_heard = 0;
    bool m_heardAny = false;
    bool m_probed = false;
    bool m_awaitingLastAck = false;
    bool m_receivingData = false;
    std::string m_outgoing;
    std::size_t m_outgoingAt = 0;
    bool m_sending = false;
    std::uint8_t m_dataSequence = 0;
    std::string m_incoming;
    std::string m_incomingName;
    std::uint8_t m_incomingArea = 1;
    int m_dataIndex = 0;
};

}  // namespace kelcc::core::comm::testing
