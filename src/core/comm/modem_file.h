#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cnc_data/part_program_image.h"

namespace kelcc::core::comm {

// The file of the transfer that is under way: the local file (or the
// prepared image of a part program) read in pieces while sending, or the
// file being received, written in pieces.
//
// A received file is written to a partial file beside its target and only
// renamed over the target by finish(), so an aborted or failed transfer
// never leaves a half file under the target's name, and an existing file
// there stays as it was.
class ModemFile final {
public:
    enum class ReadResult : int {
        More = 0,     // a piece was read and data remains
        Nothing = 1,  // nothing was left to read
        Last = 2,     // this piece reaches the end of the data
        Error = -1,
    };

    struct SendOpen {
        cnc_data::PartProgramImage::Result result = cnc_data::PartProgramImage::Result::Ok;
        std::string error;  // the system's error text when Unreadable
    };

    // Bytes moved by readPiece() and writePiece().
    using ProgressObserver = std::function<void(std::uint32_t bytes)>;

    ModemFile() = default;
    ~ModemFile();
    ModemFile(const ModemFile&) = delete;
    ModemFile& operator=(const ModemFile&) = delete;

    void setProgressObserver(ProgressObserver observer) { m_progress = std::move(observer); }

    // Opens a file for sending under its controller name. A part program
    // (".cnc" in any case) is checked and sent as its prepared image; the
    // other results than Ok leave nothing open. A missing file is not
    // created: it is Unreadable, so it can never go out as an empty file.
    SendOpen openForSend(const std::string& localPath, std::string_view controllerName);

    // Starts receiving into `path`; false (with lastError()) when the
    // partial file cannot be made, for example when the folder is missing.
    bool openForReceive(const std::string& path);

    // Up to `wanted` bytes into `piece` (replaced). A file that turns out
    // shorter than its size at opening is a read error; a longer one is
    // sent only up to that size, which its header announced.
    ReadResult readPiece(std::size_t wanted, std::string& piece);
    bool writePiece(std::string_view data);
    // The same over raw buffers: up to buffer.size() bytes, `count` read.
    ReadResult readPiece(std::span<std::uint8_t> buffer, std::size_t& count);
    bool writePiece(std::span<const std::uint8_t> data) {
        return writePiece(
            std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    }

    // Positions the data from its start (a resumed part program); false
    // beyond the end.
    bool seek(std::uint32_t offset);

    // Sending: closes. Receiving: flushes and renames the partial file over
    // the target; false (nothing at the target changed) when that fails.
    bool finish();
    // Closes; a file being received is dropped.
    void abort() noexcept;

    bool isOpen() const noexcept { return m_mode != Mode::Closed; }
    bool isReceiving() const noexcept { return m_mode == Mode::Receive; }
    bool isImage() const noexcept { return m_mode == Mode::SendImage; }
    const std::string& path() const noexcept { return m_path; }
    // The bytes that are sent: the file's size, or the image's.
    std::uint32_t size() const noexcept { return m_size; }
    std::uint32_t position() const noexcept { return m_position; }
    // Bytes written so far while receiving.
    std::uint32_t written() const noexcept { return m_written; }
    const std::string& lastError() const noexcept { return m_error; }

    // Seconds since 1970-01-01 UTC of the file at `path`.
    static std::optional<std::uint32_t> modifiedTime(const std::string& path);

private:
    enum class Mode { Closed, SendFile, SendImage, Receive };

    void fail(const std::string& what, int err);
    void report(std::size_t bytes) const;
    void reset() noexcept;

    Mode m_mode = Mode::Closed;
    int m_fd = -1;
    std::string m_path;
    std::string m_partialPath;
    std::string m_image;
    std::uint32_t m_size = 0;
    std::uint32_t m_position = 0;
    std::uint32_t m_written = 0;
    std::string m_error;
    ProgressObserver m_progress;
};

}  // namespace kelcc::core::comm
