#include "sim_controller.h"

#include <algorithm>
#include <array>
#include <optional>

#include "comm/controller_name.h"
#include "comm/file_list.h"
#include "comm/link_frame.h"

namespace kelcc::sim {

using core::comm::Command;
using core::comm::ControllerName;
using core::comm::FileHeader;
using core::comm::FileList;
using core::comm::Frame;
using core::comm::LinkFrame;
using core::comm::LinkInbox;
using core::comm::ResumeRecord;
using core::comm::Role;
namespace ack_code = core::comm::ack_code;
namespace answer_code = core::comm::answer_code;
namespace control_op = core::comm::control_op;
namespace file_op = core::comm::file_op;
namespace piece_code = core::comm::piece_code;
namespace status_code = core::comm::status_code;

namespace {

std::uint8_t cmd(Command command) noexcept {
    return static_cast<std::uint8_t>(command);
}

std::array<std::uint8_t, 4> bigEndian32(std::uint32_t value) noexcept {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

std::string_view textOf(const std::vector<std::uint8_t>& data) noexcept {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

std::span<const std::uint8_t> bytesOf(const std::string& text) noexcept {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool isPartProgram(const FileHeader& header) noexcept {
    const std::string& name = header.name;
    if (header.area < 2 || name.size() < 4) return false;
    const std::string_view ext = std::string_view(name).substr(name.size() - 4);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return ext[0] == '.' && lower(ext[1]) == 'c' && lower(ext[2]) == 'n' && lower(ext[3]) == 'c';
}

}  // namespace

SimController::SimController(SimStorage& storage, SimOptions options,
                             core::comm::LinkByteSink& sink)
    : m_storage(storage), m_options(std::move(options)), m_sink(sink) {}

bool SimController::planUpload(std::string name, std::vector<std::uint8_t> bytes) {
    if (!ControllerName::isSafe(name) || bytes.size() > kMaxFileSize) return false;
    m_upload.header = FileHeader{};
    m_upload.header.name = std::move(name);
    m_upload.header.size = static_cast<std::uint32_t>(bytes.size());
    m_upload.header.size2 = m_upload.header.size;
    m_upload.header.area = SimStorage::kFirstArea;
    m_upload.bytes = std::move(bytes);
    m_upload.stage = UploadStage::Planned;
    m_upload.hostileFirst = m_options.hostileUpload;
    return true;
}

std::uint8_t SimController::probeStatus(std::uint8_t sequence) const noexcept {
    if (m_state == State::WaitingResume && m_dnc.interrupted) return status_code::kWantsResume;
    if (m_busy) return status_code::kBusy;
    if (m_busyOverUntold) return status_code::kBusyOverContinue;
    // The probe carries the number of the PC's last frame: whether that
    // one arrived decides between going on and sending it again. Damage
    // was answered when it came, so it is not reported here.
    switch (m_state) {
        case State::Receiving:
            return m_rxAny && sequence == m_rx ? status_code::kHandled : status_code::kNotReceived;
        case State::Sending:
        case State::WaitingResume:
            // The piece on its way is not acknowledged yet, or the frame
            // that was answered comes again and gets its answer again.
            return status_code::kNotReceived;
        case State::Ready:
            if (!m_heardAny) return status_code::kNothingPending;
            return sequence == m_heard ? status_code::kHandled : status_code::kNotReceived;
        case State::Idle:
            return status_code::kNothingPending;
    }
    return status_code::kNothingPending;
}

void SimController::tick(std::uint32_t nowMs) {
    m_now = nowMs;
    if (m_busy && m_now - m_busySince >= m_options.busyMs) {
        m_busy = false;
        if (m_readyWanted) {
            m_readyWanted = false;
            reply(Command::ControlReply, answer_code::kReady);
        } else {
            m_busyOverUntold = true;
        }
    }
    if (m_upload.stage == UploadStage::Planned && m_state == State::Ready &&
        m_role == Role::MasterPc && !m_busy && m_now - m_quietSince >= kUploadDelayMs) {
        m_upload.stage = UploadStage::AwaitRole;
        command(Command::Control, control_op::kTakeRole);
    }
}

void SimController::receive(std::span<const std::uint8_t> bytes) {
    if (m_state == State::Idle) {
        for (std::uint8_t byte : bytes) {
            m_requestRun = byte == LinkFrame::kLinkRequest[0] ? m_requestRun + 1 : 0;
            if (m_requestRun == static_cast<int>(LinkFrame::kLinkRequest.size())) {
                accept();
                return;
            }
        }
        answerClosedLink(bytes);
        return;
    }
    // A PC that did not hear the accept asks again; a request never comes
    // inside a frame, so a chunk that is exactly the request opens anew.
    if (std::ranges::equal(bytes, LinkFrame::kLinkRequest)) {
        accept();
        return;
    }
    if (!m_inbox.append(bytes)) {
        // Cannot happen with frames of at most 2048 bytes unless the line is
        // pure noise: start over rather than stall.
        m_inbox.clear();
        m_inbox.append(bytes);
    }
    while (std::optional<Frame> frame = m_inbox.next()) {
        m_quietSince = m_now;
        handleFrame(*frame);
    }
    const LinkInbox::Damage damage = m_inbox.takeDamage();
    if (damage.error == core::comm::LinkError::None) return;
    m_quietSince = m_now;
    m_lastFrame = damage.error == core::comm::LinkError::DataCrc ? status_code::kDataError
                                                                 : status_code::kHeaderError;
    if (damage.dataSequence && m_state == State::Receiving) {
        // The PC sends a data frame again on this answer.
        send(*damage.dataSequence, Command::Ack, ack_code::kCheckError);
    } else {
        // The PC answers a negative acknowledgement with its last frame.
        send(0, Command::Nak, 0);
    }
}

void SimController::answerClosedLink(std::span<const std::uint8_t> bytes) {
    // A PC that missed the answer to its disconnect sends it again.
    if (!m_inbox.append(bytes)) m_inbox.clear();
    while (std::optional<Frame> frame = m_inbox.next()) {
        if (frame->command != cmd(Command::Disconnect)) continue;
        ++m_disconnects;
        if (!m_options.ignoreDisconnect)
            send(frame->sequence, Command::DisconnectReply, answer_code::kDone);
    }
    m_inbox.takeDamage();
}

void SimController::accept() {
    m_requestRun = 0;
    m_inbox.clear();
    m_inbox.forgetAnswered();
    resetTransfer();
    m_state = State::Ready;
    m_role = Role::MasterPc;
    m_lastFrame = status_code::kNothingPending;
    m_lastSent.clear();
    m_lastReply.clear();
    m_heardAny = false;
    m_quietSince = m_now;
    resetSequences();
    m_sink.write(LinkFrame::kLinkAccept);
}

void SimController::resetTransfer() {
    m_inData.clear();
    m_out.clear();
    m_outPos = 0;
    m_outLen = 0;
    m_outUpload = false;
    m_dnc.active = false;
    m_dnc.negotiated = false;
    m_readyWanted = false;
    m_busyOverUntold = false;
    if (m_upload.stage != UploadStage::None && m_upload.stage != UploadStage::Finished)
        m_upload.stage = UploadStage::Planned;
}

void SimController::resetSequences() noexcept {
    m_tx = 255;
    m_rx = 255;
    m_rxAny = false;
}

void SimController::send(std::uint8_t sequence, Command command, std::uint8_t subCode,
                         std::span<const std::uint8_t> data) {
    Frame frame;
    frame.sequence = sequence;
    frame.command = cmd(command);
    frame.subCode = subCode;
    frame.data.assign(data.begin(), data.end());
    m_lastSent = LinkFrame::encode(frame);
    m_quietSince = m_now;
    m_sink.write(m_lastSent);
}

void SimController::reply(Command command, std::uint8_t subCode,
                          std::span<const std::uint8_t> data) {
    send(m_rx, command, subCode, data);
    m_lastReply = m_lastSent;
    if (m_current != nullptr) m_inbox.answered(*m_current);
}

void SimController::command(Command command, std::uint8_t subCode,
                            std::span<const std::uint8_t> data) {
    m_tx = m_tx == 255 ? 1 : static_cast<std::uint8_t>(m_tx + 1);
    send(m_tx, command, subCode, data);
}

void SimController::handleFrame(const Frame& frame) {
    const auto command = static_cast<Command>(frame.command);
    if (command != Command::Nak && command != Command::Probe && m_inbox.repeatsAnswered(frame)) {
        // Our answer was lost: the same answer again, nothing done twice.
        // A first piece that went out behind it may be lost with it.
        m_sink.write(m_lastReply);
        m_lastSent = m_lastReply;
        if (m_state == State::Sending && m_outPos == 0) m_sink.write(m_pieceSent);
        return;
    }
    switch (command) {
        case Command::Nak:
            // While a piece waits for its acknowledgement the PC wants that
            // piece, even after a negative acknowledgement of ours.
            if (m_state == State::Sending && !m_pieceSent.empty())
                m_sink.write(m_pieceSent);
            else if (!m_lastSent.empty())
                m_sink.write(m_lastSent);
            return;
        case Command::Disconnect:
            ++m_disconnects;
            m_rx = frame.sequence;
            if (!m_options.ignoreDisconnect) reply(Command::DisconnectReply, answer_code::kDone);
            resetTransfer();
            m_inbox.clear();
            m_state = State::Idle;
            m_role = Role::MasterPc;
            resetSequences();
            return;
        case Command::Probe:
            // The answer carries the probe's own number.
            send(frame.sequence, Command::Status, probeStatus(frame.sequence));
            if (m_state == State::Sending) m_probedSincePiece = true;
            return;
        case Command::Data:
        case Command::DataLast:
            m_current = &frame;
            handleData(frame);
            m_current = nullptr;
            return;
        default:
            break;
    }
    m_rx = frame.sequence;
    m_heard = frame.sequence;
    m_heardAny = true;
    m_current = &frame;
    handleCommand(frame);
    m_current = nullptr;
}

void SimController::handleCommand(const Frame& frame) {
    const auto command = static_cast<Command>(frame.command);
    switch (command) {
        case Command::Ack:
            handleAck(frame);
            break;
        case Command::Control:
            handleControl(frame);
            break;
        case Command::ControlReply:
            handleControlReply(frame);
            break;
        case Command::List:
            handleList(frame);
            break;
        case Command::File:
            handleFile(frame);
            break;
        case Command::FileReply:
            handleFileReply(frame);
            break;
        default:
            break;  // status and disconnect answers need nothing
    }
}

void SimController::handleData(const Frame& frame) {
    if (m_state != State::Receiving) return;
    const std::uint8_t expected = m_rx == 255 ? 1 : static_cast<std::uint8_t>(m_rx + 1);
    if (frame.sequence != expected) {
        m_lastFrame = status_code::kNotReceived;
        return;
    }
    if (frame.subCode != piece_code::kFirst && frame.subCode != piece_code::kLast &&
        frame.subCode != piece_code::kFurther)
        return;
    if (m_options.checkErrorOnce && !m_checkErrorSent) {
        // Not taken, and not remembered as answered: the repeat is new.
        m_checkErrorSent = true;
        send(frame.sequence, Command::Ack, ack_code::kCheckError);
        return;
    }
    m_rx = frame.sequence;
    m_rxAny = true;
    m_heard = frame.sequence;
    m_heardAny = true;
    m_lastFrame = status_code::kHandled;

    if (m_dnc.active && !m_dnc.negotiated) {
        // The part program is run while it arrives: agree on the start first.
        m_state = State::WaitingResume;
        reply(Command::Ack, ack_code::kResumable);
        return;
    }
    if (m_inData.size() + frame.data.size() > kMaxFileSize) {
        m_state = State::Ready;
        m_inData.clear();
        reply(Command::Ack, ack_code::kForbidden);
        return;
    }
    m_inData.insert(m_inData.end(), frame.data.begin(), frame.data.end());
    if (frame.subCode == piece_code::kLast) {
        finishWrite();
        return;
    }
    if (m_dnc.active && m_options.interruptAfter && !m_dnc.interrupted &&
        m_inData.size() >= *m_options.interruptAfter) {
        // Break off without an answer; the PC's probe then learns that the
        // controller waits for the resume record.
        m_dnc.interrupted = true;
        m_state = State::WaitingResume;
        return;
    }
    if (m_busy) {
        reply(Command::Ack, ack_code::kBusy);
        return;
    }
    if (m_options.neverReady) {
        reply(Command::Ack, ack_code::kCannotTakeData);
        return;
    }
    if (m_options.busyMs > 0 && ++m_framesSinceBusy >= kFramesBetweenBusy) {
        // The data of this frame is kept: the PC goes on with the next piece
        // when the busy period is over.
        m_framesSinceBusy = 0;
        startBusy();
        reply(Command::Ack, ack_code::kCannotTakeData);
        return;
    }
    reply(Command::Ack, ack_code::kTaken);
}

void SimController::startBusy() {
    m_busy = true;
    m_busySince = m_now;
    m_busyOverUntold = false;
}

void SimController::finishWrite() {
    const FileHeader& header = m_dnc.active ? m_dnc.header : m_inHeader;
    const bool written = m_storage.write(header.area, header.name, m_inData);
    m_inData.clear();
    if (m_dnc.active) {
        m_dnc.active = false;
        m_dnc.negotiated = false;
        m_dnc.haveRecord = false;
    }
    m_state = State::Ready;
    m_lastFrame = status_code::kHandled;
    reply(Command::Ack, written ? ack_code::kTaken : ack_code::kForbidden);
    resetSequences();
}

void SimController::handleAck(const Frame& frame) {
    if (m_state != State::Sending) return;
    if (frame.sequence != m_outSeq) {
        // After a probe the PC repeats its answer to the previous piece:
        // ours was lost. Without one it is a repeated answer on its way,
        // and sending the piece again would double every piece after it.
        if (frame.subCode == ack_code::kTaken && m_probedSincePiece) m_sink.write(m_pieceSent);
        return;
    }
    if (frame.subCode == ack_code::kCheckError) {
        m_sink.write(m_pieceSent);
        return;
    }
    if (frame.subCode != ack_code::kTaken) {
        m_state = State::Ready;
        m_out.clear();
        return;
    }
    m_outPos += m_outLen;
    if (m_outPos < m_out.size()) {
        sendPiece();
        return;
    }
    m_state = State::Ready;
    m_lastFrame = status_code::kHandled;
    m_out.clear();
    resetSequences();
    if (m_outUpload) {
        // The PC takes the command role back by itself after the last piece.
        m_outUpload = false;
        m_upload.stage = UploadStage::Finished;
        m_upload.bytes.clear();
    }
}

void SimController::startSending(std::vector<std::uint8_t> bytes, bool upload) {
    m_out = std::move(bytes);
    m_outPos = 0;
    m_outLen = 0;
    m_outUpload = upload;
    m_state = State::Sending;
    resetSequences();
    sendPiece();
}

void SimController::sendPiece() {
    m_outLen = std::min(LinkFrame::kPacketSize, m_out.size() - m_outPos);
    const bool last = m_outPos + m_outLen >= m_out.size();
    const std::uint8_t subCode = last            ? piece_code::kLast
                                 : m_outPos == 0 ? piece_code::kFirst
                                                 : piece_code::kFurther;
    const Command command = last && m_outUpload ? Command::DataLast : Command::Data;
    m_tx = m_tx == 255 ? 1 : static_cast<std::uint8_t>(m_tx + 1);
    m_outSeq = m_tx;
    m_probedSincePiece = false;
    send(m_tx, command, subCode, std::span<const std::uint8_t>(m_out).subspan(m_outPos, m_outLen));
    m_pieceSent = m_lastSent;
}

void SimController::handleControl(const Frame& frame) {
    switch (frame.subCode) {
        case control_op::kTakeRole:
            m_role = Role::MasterPc;
            reply(Command::ControlReply, answer_code::kDone);
            break;
        case control_op::kHandOver:
            m_role = Role::MasterCnc;
            reply(Command::ControlReply, answer_code::kDone);
            break;
        case control_op::kTellWhenReady:
            if (m_options.neverReady) break;  // the answer never comes
            if (m_busy) {
                m_readyWanted = true;
                const std::uint32_t left = m_options.busyMs - (m_now - m_busySince);
                reply(Command::ControlReply, answer_code::kControlBusyWait,
                      bigEndian32(left + kBusyMarginMs));
            } else {
                m_busyOverUntold = false;
                reply(Command::ControlReply, answer_code::kReady);
            }
            break;
        default:
            break;
    }
}

void SimController::handleControlReply(const Frame& frame) {
    if (frame.subCode != answer_code::kDone) return;
    if (m_upload.stage == UploadStage::AwaitRole) {
        m_role = Role::MasterCnc;
        m_upload.stage = UploadStage::AwaitFileReply;
        FileHeader header = m_upload.header;
        if (m_upload.hostileFirst) header.name = "../../evil";
        command(Command::File, file_op::kUpload, bytesOf(*header.encode()));
    } else if (m_upload.stage == UploadStage::AwaitRoleBack) {
        m_role = Role::MasterPc;
        // Refused under the hostile name: offered again under its own.
        m_upload.stage = m_upload.hostileFirst ? UploadStage::Planned : UploadStage::Finished;
        m_upload.hostileFirst = false;
    }
}

void SimController::handleFileReply(const Frame& frame) {
    if (m_upload.stage != UploadStage::AwaitFileReply) return;
    if (frame.subCode == answer_code::kDone) {
        m_upload.stage = UploadStage::Sending;
        startSending(m_upload.bytes, true);
    } else {
        m_upload.stage = UploadStage::AwaitRoleBack;
        command(Command::Control, control_op::kHandOver);
    }
}

void SimController::handleList(const Frame& frame) {
    const std::uint8_t area = frame.subCode;
    if (area > SimStorage::kLastArea) {
        reply(Command::ListReply, answer_code::kNoSuchFile);
        return;
    }
    auto entries = m_storage.list(area);
    // The count travels in 16 bits.
    if (entries.size() > 0xFFFF) entries.resize(0xFFFF);
    const auto count = static_cast<std::uint16_t>(entries.size());
    const std::array<std::uint8_t, 2> countBytes{static_cast<std::uint8_t>(count >> 8),
                                                 static_cast<std::uint8_t>(count)};
    reply(Command::ListReply, answer_code::kDone, countBytes);
    if (count == 0) return;
    const std::string text = FileList::format(entries);
    startSending(std::vector<std::uint8_t>(text.begin(), text.end()), false);
}

void SimController::handleFile(const Frame& frame) {
    if (frame.subCode == file_op::kResumeQuestion || frame.subCode == file_op::kResumeDecision) {
        const auto record = ResumeRecord::decode(textOf(frame.data));
        if (!record || !m_dnc.active) {
            reply(Command::FileReply, answer_code::kNoSuchFile);
            return;
        }
        if (frame.subCode == file_op::kResumeQuestion)
            answerResumeQuestion();
        else
            answerResumeDecision(*record);
        return;
    }
    const auto header = FileHeader::decode(textOf(frame.data));
    if (!header) {
        reply(Command::FileReply, answer_code::kNoSuchFile);
        return;
    }
    const bool named = m_storage.pathFor(header->area, header->name).has_value();
    switch (frame.subCode) {
        case file_op::kWrite:
            if (m_options.disconnectOnWrite) {
                command(Command::Disconnect, 0);
                resetTransfer();
                m_inbox.clear();
                m_state = State::Idle;
                resetSequences();
            } else if (m_options.writeAnswer) {
                reply(Command::FileReply, *m_options.writeAnswer);
            } else if (!ControllerName::isSafe(header->name)) {
                reply(Command::FileReply, answer_code::kCreateFailed);
            } else if (!named) {
                reply(Command::FileReply, answer_code::kNoSuchFile);
            } else if (m_options.refuseWrite) {
                reply(Command::FileReply, answer_code::kNoPermission);
            } else if (m_options.storageFull || header->size > kMaxFileSize) {
                reply(Command::FileReply, answer_code::kStorageFull);
            } else if (m_storage.exists(header->area, header->name)) {
                reply(Command::FileReply, answer_code::kExists);
            } else {
                startWrite(*header);
            }
            break;
        case file_op::kRead: {
            const auto bytes = named && m_storage.exists(header->area, header->name)
                                   ? m_storage.read(header->area, header->name)
                                   : std::nullopt;
            if (!named || !m_storage.exists(header->area, header->name)) {
                reply(Command::FileReply, answer_code::kNoSuchFile);
            } else if (!bytes) {
                reply(Command::FileReply, answer_code::kReadFailed);
            } else {
                reply(Command::FileReply, answer_code::kDone);
                startSending(*bytes, false);
            }
            break;
        }
        case file_op::kDelete:
            if (!named || !m_storage.exists(header->area, header->name)) {
                reply(Command::FileReply, answer_code::kNoSuchFile);
            } else if (m_options.refuseWrite) {
                reply(Command::FileReply, answer_code::kNoPermission);
            } else {
                reply(Command::FileReply, m_storage.remove(header->area, header->name)
                                              ? answer_code::kDone
                                              : answer_code::kWriteFailed);
            }
            break;
        default:
            reply(Command::FileReply, answer_code::kNoSuchFile);
            break;
    }
}

void SimController::startWrite(const FileHeader& header) {
    const bool dnc = m_options.interruptAfter.has_value() && isPartProgram(header);
    if (header.size == 0 && !dnc) {
        // An empty file comes as its header alone, without data frames.
        const bool written = m_storage.write(header.area, header.name, {});
        reply(Command::FileReply, written ? answer_code::kDone : answer_code::kCreateFailed);
        m_state = State::Ready;
        m_lastFrame = status_code::kHandled;
        resetSequences();
        return;
    }
    m_inHeader = header;
    m_inData.clear();
    m_framesSinceBusy = 0;
    if (dnc && !(m_dnc.header == header)) m_dnc.haveRecord = false;
    m_dnc.active = dnc;
    m_dnc.negotiated = false;
    if (dnc) m_dnc.header = header;
    reply(Command::FileReply, answer_code::kDone);
    m_state = State::Receiving;
    m_lastFrame = status_code::kHandled;
    resetSequences();
}

void SimController::answerResumeQuestion() {
    // What the controller holds of the last part program; a size of 0 tells
    // the PC to start anew. The size field tells how much is held: the PC
    // offers to resume only when its file is longer than that.
    ResumeRecord held;
    if (m_dnc.haveRecord) {
        held = m_dnc.record;
        held.offset = static_cast<std::uint32_t>(m_inData.size());
        held.size = held.offset;
    }
    m_state = State::WaitingResume;
    reply(Command::FileReply, answer_code::kDone, bytesOf(held.encode()));
}

void SimController::answerResumeDecision(const ResumeRecord& pc) {
    const auto mode = static_cast<ResumeRecord::Mode>(pc.mode);
    const bool sameFile = m_dnc.haveRecord && m_dnc.record.path == pc.path &&
                          m_dnc.record.modified == pc.modified && m_dnc.record.size == pc.size;
    if (mode != ResumeRecord::Mode::Continue || !sameFile || m_inData.size() >= pc.size)
        m_inData.clear();
    m_dnc.record = pc;
    m_dnc.record.offset = 0;
    m_dnc.haveRecord = true;
    m_dnc.negotiated = true;

    ResumeRecord answer = pc;
    answer.offset = static_cast<std::uint32_t>(m_inData.size());
    reply(Command::FileReply, answer_code::kDone, bytesOf(answer.encode()));
    // The PC numbers its data frames from 1 again.
    m_state = State::Receiving;
    m_lastFrame = status_code::kHandled;
    resetSequences();
}

}  // namespace kelcc::sim
