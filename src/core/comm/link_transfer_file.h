#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kelcc::core::comm {

// The local file of the current transfer, opened by the transfer layer.
// The engine reports progress itself, so implementations must not.
class LinkTransferFile {
public:
    enum class ReadResult : std::int8_t {
        More = 0,     // a piece was read and data remains
        Nothing = 1,  // nothing was left
        Last = 2,     // the piece reaches the end of the data
        Error = -1,
    };
    struct Piece {
        ReadResult result = ReadResult::Nothing;
        std::size_t count = 0;
    };

    virtual ~LinkTransferFile() = default;
    // Reads up to buffer.size() bytes (512) of the file or image being sent.
    virtual Piece readPiece(std::span<std::uint8_t> buffer) = 0;
    // Appends received bytes to the file being received; false on failure.
    virtual bool writePiece(std::span<const std::uint8_t> data) = 0;
    // Closes the file (or frees the image); harmless when nothing is open.
    virtual void close() = 0;
    // The last piece of a received file was written and acknowledged; the
    // close() that follows keeps the file. Any other close() drops it.
    virtual void lastPieceWritten() {}
};

}  // namespace kelcc::core::comm
