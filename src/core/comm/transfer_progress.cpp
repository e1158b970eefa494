#include "comm/transfer_progress.h"

#include <algorithm>

namespace kelcc::core::comm {

std::uint32_t TransferProgress::kilobytes(std::uint32_t bytes) noexcept {
    const std::uint32_t k = bytes / 1024;
    if (k == 0) return 1;
    return bytes % 1024 > 511 ? k + 1 : k;
}

std::string TransferProgress::kilobyteText(std::uint32_t bytes) {
    return std::to_string(kilobytes(bytes)) + "K";
}

int TransferProgress::sessionPercent(std::uint64_t done, std::uint64_t total) noexcept {
    if (total == 0) return 0;
    // 64 bits: done * 100 would overflow 32 bits from 43 MB on.
    const std::uint64_t percent = done >= total ? 100 : done * 100 / total;
    return static_cast<int>(std::min<std::uint64_t>(percent, 99));
}

std::string TransferProgress::speedText(std::uint64_t bytes, std::uint32_t seconds) {
    return std::to_string(seconds == 0 ? 0 : bytes / seconds) + " 字节/秒";
}

void TransferProgress::start() {
    *this = TransferProgress();
}

void TransferProgress::newFile(std::uint32_t size) {
    m_fileDone = 0;
    m_fileBar = 0;
    m_fileSize = size;
    m_fileSizeText = "/" + kilobyteText(size);
    m_fileDoneText = kInitialFileText;
}

void TransferProgress::moved(std::uint32_t bytes, bool skipped) {
    m_sessionDone += bytes;
    m_fileDone += bytes;
    if (!skipped) m_speedBytes += bytes;
    // The last piece of a file leaves the texts and bars as they were; the
    // next file or the end of the session follows at once.
    if (m_fileDone >= m_fileSize) return;
    m_fileDoneText = kilobyteText(static_cast<std::uint32_t>(m_fileDone));
    m_percentText = std::to_string(sessionPercent(m_sessionDone, m_total));
    m_fileBar += bytes;
    m_sessionBar += bytes;
}

void TransferProgress::tick(bool deleteFirst) {
    if (!deleteFirst) m_elapsed += kTimerSeconds;
    if (m_elapsed != 0) m_speedText = speedText(m_speedBytes, m_elapsed);
}

}  // namespace kelcc::core::comm
