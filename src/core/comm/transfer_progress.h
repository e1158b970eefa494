#pragma once

#include <cstdint>
#include <string>

namespace kelcc::core::comm {

// The counters and texts of the progress window of a transfer session.
class TransferProgress final {
public:
    static constexpr const char* kInitialSpeedText = "0 字节/秒";
    static constexpr const char* kInitialFileText = "0K";
    static constexpr std::uint32_t kTimerSeconds = 2;  // the 2000 ms timer

    // Size in K: bytes / 1024, 0 becomes 1, otherwise a remainder above 511
    // rounds up.
    static std::uint32_t kilobytes(std::uint32_t bytes) noexcept;
    static std::string kilobyteText(std::uint32_t bytes);  // "%uK"
    // done * 100 / total, at most 99: 100 is never shown while files move.
    static int sessionPercent(std::uint64_t done, std::uint64_t total) noexcept;
    static std::string speedText(std::uint64_t bytes, std::uint32_t seconds);

    // A session starts: every counter 0.
    void start();
    // Event 5: the session's total.
    void setTotal(std::uint64_t total) noexcept { m_total = total; }
    // A file starts: its counters and bar start at 0.
    void newFile(std::uint32_t size);
    // Bytes moved; bytes skipped by a resumed part program count as done but
    // not for the speed.
    void moved(std::uint32_t bytes, bool skipped);
    // The 2000 ms timer; the clock stands still while a file is deleted on
    // the controller before it is written again.
    void tick(bool deleteFirst);

    const std::string& fileDoneText() const noexcept { return m_fileDoneText; }
    const std::string& fileSizeText() const noexcept { return m_fileSizeText; }  // "/%uK"
    const std::string& percentText() const noexcept { return m_percentText; }
    const std::string& speed() const noexcept { return m_speedText; }
    std::uint64_t fileBar() const noexcept { return m_fileBar; }
    std::uint32_t fileBarEnd() const noexcept { return m_fileSize; }
    std::uint64_t sessionBar() const noexcept { return m_sessionBar; }
    std::uint64_t sessionBarEnd() const noexcept { return m_total; }
    std::uint64_t sessionDone() const noexcept { return m_sessionDone; }
    std::uint32_t elapsedSeconds() const noexcept { return m_elapsed; }

private:
    std::uint64_t m_total = 0;
    std::uint64_t m_sessionDone = 0;
    std::uint64_t m_speedBytes = 0;
    std::uint64_t m_fileDone = 0;
    std::uint32_t m_fileSize = 0;
    std::uint32_t m_elapsed = 0;
    std::uint64_t m_fileBar = 0;
    std::uint64_t m_sessionBar = 0;
    std::string m_fileDoneText = kInitialFileText;
    std::string m_fileSizeText = "/100K";
    std::string m_percentText = "0";
    std::string m_speedText = kInitialSpeedText;
};

}  // namespace kelcc::core::comm
