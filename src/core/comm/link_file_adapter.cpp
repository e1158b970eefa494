#include "comm/link_file_adapter.h"

namespace kelcc::core::comm {

LinkTransferFile::Piece LinkFileAdapter::readPiece(std::span<std::uint8_t> buffer) {
    std::size_t count = 0;
    const ModemFile::ReadResult result = m_file.readPiece(buffer, count);
    switch (result) {
        case ModemFile::ReadResult::More:
            return {ReadResult::More, count};
        case ModemFile::ReadResult::Last:
            return {ReadResult::Last, count};
        case ModemFile::ReadResult::Nothing:
            return {ReadResult::Nothing, 0};
        case ModemFile::ReadResult::Error:
            break;
    }
    return {ReadResult::Error, 0};
}

bool LinkFileAdapter::writePiece(std::span<const std::uint8_t> data) {
    return m_file.writePiece(data);
}

void LinkFileAdapter::close() {
    const bool keep = m_complete;
    m_complete = false;
    if (!m_file.isOpen()) return;
    if (!keep) {
        m_file.abort();
        return;
    }
    if (!m_file.finish()) {
        m_keepFailed = true;
        m_error = m_file.lastError();
    }
}

bool LinkFileAdapter::takeKeepFailure() noexcept {
    const bool failed = m_keepFailed;
    m_keepFailed = false;
    return failed;
}

}  // namespace kelcc::core::comm
