#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "comm/file_header.h"
#include "comm/link_frame.h"
#include "comm/link_frame_parser.h"
#include "comm/resume_record.h"

namespace kelcc::core::comm::testing {

// Answers the PC's frames as the controller would: the handshake, the
// command role, file lists, file writes, reads and deletes, the part-program
// resume records and the disconnect. Scripted deviations make it refuse or
// misbehave at chosen points.
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
        m_parser.append(bytes);
        while (true) {
            auto result = m_parser.next();
            if (result.status != LinkFrameParser::Status::Complete) break;
            received.push_back(result.frame);
            answer(result.frame, out);
        }
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
    // State given to a probe.
    std::uint8_t probeState = 0;
    // The controller's record in answer to the resume question.
    ResumeRecord heldRecord;
    // Start offset given in answer to a resume decision, by mode.
    std::map<std::uint8_t, std::uint32_t> startOffsets;
    // Answer a write request with the controller's own disconnect.
    bool disconnectOnWrite = false;

private:
    void reply(std::vector<Bytes>& out, std::uint8_t seq, Command command, std::uint8_t sub,
               Bytes data = {}) {
        out.push_back(frame(seq, command, sub, std::move(data)));
    }

    // One data frame of what the PC is reading; further ones follow its acks.
    void nextOutgoing(std::vector<Bytes>& out) {
        const std::size_t count = std::min<std::size_t>(512, m_outgoing.size() - m_outgoingAt);
        const bool last = m_outgoingAt + count == m_outgoing.size();
        const std::uint8_t sub = last ? 1 : (m_outgoingAt == 0 ? 0 : 2);
        Bytes data(m_outgoing.begin() + static_cast<std::ptrdiff_t>(m_outgoingAt),
                   m_outgoing.begin() + static_cast<std::ptrdiff_t>(m_outgoingAt + count));
        m_outgoingAt += count;
        m_sending = !last;
        reply(out, ++m_dataSequence, Command::Data, sub, std::move(data));
    }

    void startOutgoing(std::string text, std::vector<Bytes>& out) {
        m_outgoing = std::move(text);
        m_outgoingAt = 0;
        m_dataSequence = 0;
        nextOutgoing(out);
    }

    void answer(const Frame& f, std::vector<Bytes>& out) {
        const auto seq = f.sequence;
        switch (static_cast<Command>(f.command)) {
            case Command::Control:
                if (f.subCode == 4) reply(out, seq, Command::ControlReply, 0);
                break;
            case Command::Disconnect:
                reply(out, seq, Command::DisconnectReply, 0);
                break;
            case Command::Probe:
                reply(out, seq, Command::Status, probeState);
                break;
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
                if (m_sending) nextOutgoing(out);
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
        if (f.subCode == 1) files[m_incomingName] = {m_incoming, m_incomingArea};
    }

    LinkFrameParser m_parser;
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
