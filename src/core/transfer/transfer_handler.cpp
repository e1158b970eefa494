#include "transfer/transfer_handler.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <string_view>

#include "cnc_data/part_program_image.h"
#include "comm/controller_name.h"
#include "comm/file_header.h"
#include "comm/link_engine.h"
#include "comm/link_file_adapter.h"
#include "comm/link_listener.h"
#include "transfer/session_list.h"

namespace kelcc::core::transfer {
namespace {

using cnc_data::PartProgramImage;

constexpr std::uint8_t kFileWrite = 1;
constexpr std::uint8_t kFileRead = 2;
constexpr std::uint8_t kFileDelete = 4;
constexpr std::uint8_t kResumeQuestion = 6;
constexpr std::uint8_t kResumeDecision = 7;
constexpr std::size_t kResumeOffsetAt = 13;

std::string_view asText(std::span<const std::uint8_t> data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::uint32_t bigEndian(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) << 24 |
           static_cast<std::uint32_t>(data[at + 1]) << 16 |
           static_cast<std::uint32_t>(data[at + 2]) << 8 | static_cast<std::uint32_t>(data[at + 3]);
}

bool isPartProgram(std::string_view name) {
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view ext = name.substr(dot + 1);
    return ext.size() == 3 && std::tolower(static_cast<unsigned char>(ext[0])) == 'c' &&
           std::tolower(static_cast<unsigned char>(ext[1])) == 'n' &&
           std::tolower(static_cast<unsigned char>(ext[2])) == 'c';
}

}  // namespace

TransferHandler::TransferHandler(comm::LinkFileAdapter& file, comm::LinkListener& listener,
                                 common::Interaction& ui, std::string tempFolder)
    : m_file(file), m_listener(listener), m_ui(ui), m_tempFolder(std::move(tempFolder)) {}

void TransferHandler::startList(comm::LinkEngine& engine, std::vector<comm::FileEntry> entries) {
    m_entries = std::move(entries);
    m_dnc.reset();
    m_header.clear();
    m_file.takeKeepFailure();
    engine.setFileIndex(0);
    engine.setRepeat(false);
    const std::uint64_t total = SessionList::totalSize(m_entries);
    m_listener.linkEvent(comm::LinkEvent::TotalSize,
                         static_cast<std::uint32_t>(std::min<std::uint64_t>(
                             total, std::numeric_limits<std::uint32_t>::max())));
}

void TransferHandler::sendFiles(comm::LinkEngine& engine, std::vector<comm::FileEntry> entries) {
    startList(engine, std::move(entries));
    sendNextFile(engine);
}

void TransferHandler::receiveFiles(comm::LinkEngine& engine, std::vector<comm::FileEntry> entries) {
    startList(engine, std::move(entries));
    receiveNextFile(engine);
}

bool TransferHandler::sendFileCommand(comm::LinkEngine& engine, std::uint8_t subCode,
                                      const std::string& data) {
    return engine.sendCommand(comm::Command::File, subCode, asBytes(data));
}

void TransferHandler::newFile(std::uint32_t size, std::int32_t index) const {
    if (m_newFile) m_newFile(size, static_cast<std::uint32_t>(index) + 1);
}

void TransferHandler::sendNextFile(comm::LinkEngine& engine) {
    engine.clearBytesSent();
    engine.clearTimeout();
    const std::int32_t index = engine.fileIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) {
        engine.setState(comm::LinkState::Ready, false);
        engine.clearTimeout();
        m_dnc.reset();
        m_listener.linkEvent(comm::LinkEvent::AllSent, 0);
        return;
    }
    const comm::FileEntry& entry = m_entries[static_cast<std::size_t>(index)];
    comm::ModemFile& file = m_file.file();
    const comm::ModemFile::SendOpen opened = file.openForSend(entry.localPath, entry.name);
    switch (opened.result) {
        case PartProgramImage::Result::Ok:
            break;
        case PartProgramImage::Result::Unreadable:
            // Only the part-program check reports the system's reason; a
            // plain file gets the link error's text alone.
            if (isPartProgram(entry.name))
                m_ui.inform(opened.error, common::kMessageCaption, common::MessageIcon::Stop);
            engine.raiseError(comm::LinkError::FileRead);
            return;
        case PartProgramImage::Result::TooLong:
        case PartProgramImage::Result::BadFirstLine:
        case PartProgramImage::Result::BadCharacter:
            if (const auto message = PartProgramImage::messageFor(opened.result, entry.name))
                m_ui.inform(message->text, message->caption, message->icon);
            engine.raiseError(opened.result == PartProgramImage::Result::TooLong
                                  ? comm::LinkError::ProgramTooLong
                                  : comm::LinkError::ProgramFormat);
            return;
    }
    const std::optional<std::string> header =
        comm::FileHeader::forEntry(entry, file.size()).encode();
    if (!header) {
        m_file.close();
        engine.raiseError(comm::LinkError::FileRead);
        return;
    }
    m_header = *header;
    m_dnc = comm::DncFile{entry.localPath, file.size(),
                          comm::ModemFile::modifiedTime(entry.localPath).value_or(0)};
    // The write request after a delete belongs to the file already shown.
    if (!engine.repeat()) newFile(file.size(), index);
    sendFileCommand(engine, kFileWrite, m_header);
    m_listener.linkEvent(comm::LinkEvent::StatusText, comm::kStatusSendingFileCommand);
}

void TransferHandler::receiveNextFile(comm::LinkEngine& engine) {
    engine.clearBytesSent();
    engine.clearTimeout();
    // The previous file was acknowledged but could not be kept.
    if (m_file.takeKeepFailure()) {
        engine.raiseError(comm::LinkError::FileCreate);
        return;
    }
    const std::int32_t index = engine.fileIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) {
        engine.setState(comm::LinkState::Ready, engine.state() != comm::LinkState::Ready);
        engine.clearTimeout();
        m_listener.linkEvent(comm::LinkEvent::AllReceived, 0);
        return;
    }
    const comm::FileEntry& entry = m_entries[static_cast<std::size_t>(index)];
    const std::optional<std::string> header = comm::FileHeader::forEntry(entry).encode();
    if (!header || !m_file.file().openForReceive(entry.localPath)) {
        engine.raiseError(comm::LinkError::FileCreate);
        return;
    }
    newFile(entry.size, index);
    sendFileCommand(engine, kFileRead, *header);
    m_listener.linkEvent(comm::LinkEvent::StatusText, comm::kStatusSendingDownload);
}

void TransferHandler::fileAccepted(comm::LinkEngine& engine, std::uint8_t fileSubCode,
                                   std::span<const std::uint8_t> data) {
    switch (fileSubCode) {
        case kFileWrite:
            engine.startSendingFile();
            break;
        case kFileRead:
            engine.startReceivingFile();
            break;
        case kFileDelete:
            engine.clearTimeout();
            engine.setDone(1);
            // The same index again, still marked as a repeat.
            sendNextFile(engine);
            engine.setRepeat(false);
            m_listener.linkEvent(comm::LinkEvent::DeletedFirst, 0);
            break;
        case kResumeQuestion:
            onResumeAnswer(engine, data);
            break;
        case kResumeDecision:
            onResumeStart(engine, data);
            break;
        default:
            break;
    }
}

void TransferHandler::fileExists(comm::LinkEngine& engine) {
    m_listener.linkEvent(comm::LinkEvent::DeleteFirst, 0);
    engine.clearTimeout();
    m_file.close();
    sendFileCommand(engine, kFileDelete, m_header);
    engine.setRepeat(true);
}

void TransferHandler::resumeOffered(comm::LinkEngine& engine) {
    if (!m_dnc || !m_file.file().isOpen()) {
        engine.raiseError(comm::LinkError::UnknownAnswer);
        return;
    }
    sendFileCommand(engine, kResumeDecision, comm::ResumeDecision::continueRecord(*m_dnc).encode());
}

void TransferHandler::resumeAsked(comm::LinkEngine& engine) {
    if (!m_dnc || !m_file.file().isOpen()) {
        engine.raiseError(comm::LinkError::UnknownAnswer);
        return;
    }
    sendFileCommand(engine, kResumeQuestion, comm::ResumeDecision::question(*m_dnc).encode());
}

void TransferHandler::onResumeAnswer(comm::LinkEngine& engine, std::span<const std::uint8_t> data) {
    const std::optional<comm::ResumeRecord> record = comm::ResumeRecord::decode(asText(data));
    if (!record || !m_dnc || !m_file.file().isOpen()) {
        engine.raiseError(comm::LinkError::UnknownAnswer);
        return;
    }
    // The user may take a while to answer.
    engine.clearTimeout();
    const comm::ResumeDecision::Decision decision =
        comm::ResumeDecision::decide(*record, *m_dnc, m_ui);
    switch (decision.action) {
        case comm::ResumeDecision::Action::Send:
            sendFileCommand(engine, kResumeDecision, decision.record->encode());
            break;
        case comm::ResumeDecision::Action::Cancel:
            m_listener.linkEvent(comm::LinkEvent::NothingPending, 0);
            engine.clearTimeout();
            m_file.close();
            engine.setState(comm::LinkState::Ready, false);
            if (m_resumeCancelled) m_resumeCancelled();
            break;
        case comm::ResumeDecision::Action::BadAnswer:
            engine.raiseError(comm::LinkError::UnknownAnswer);
            break;
    }
}

void TransferHandler::onResumeStart(comm::LinkEngine& engine, std::span<const std::uint8_t> data) {
    comm::ModemFile& file = m_file.file();
    if (data.size() < kResumeOffsetAt + 4 || !file.isOpen()) {
        engine.raiseError(comm::LinkError::UnknownAnswer);
        return;
    }
    const std::uint32_t offset = bigEndian(data, kResumeOffsetAt);
    if (comm::ResumeDecision::start(offset, file.size()) ==
        comm::ResumeDecision::Start::BadAnswer) {
        engine.raiseError(comm::LinkError::UnknownAnswer);
        return;
    }
    if (!file.seek(offset)) {
        engine.raiseError(comm::LinkError::FileRead);
        return;
    }
    if (offset > 0) m_listener.linkProgress(offset, true);
    // Numbering starts again; a file with nothing left is closed and the
    // session goes on with its next file.
    engine.startSendingFile();
}

std::optional<comm::UploadEntry> TransferHandler::uploadOffered(
    std::span<const std::uint8_t> header) {
    const std::optional<comm::FileHeader> decoded = comm::FileHeader::decode(
        asText(header.first(std::min(header.size(), comm::FileHeader::kSize))));
    if (!decoded) return std::nullopt;
    // The name comes from the other side of the line: it must not walk out
    // of the temporary folder.
    const std::optional<std::string> path =
        comm::ControllerName::uploadPath(m_tempFolder, decoded->name);
    if (!path || !m_file.file().openForReceive(*path)) return std::nullopt;
    return comm::UploadEntry{decoded->name, *path, decoded->size};
}

}  // namespace kelcc::core::transfer
