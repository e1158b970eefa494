#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "comm/link_transfer_file.h"
#include "comm/modem_file.h"

namespace kelcc::core::comm {

// Lets the link engine read and write the transfer file. A received file is
// kept (renamed over its target) only when the engine closes it after its
// last piece; every other close drops the partial file, so an aborted or
// broken transfer never leaves half a file under the target's name.
class LinkFileAdapter final : public LinkTransferFile {
public:
    explicit LinkFileAdapter(ModemFile& file) : m_file(file) {}

    Piece readPiece(std::span<std::uint8_t> buffer) override;
    bool writePiece(std::span<const std::uint8_t> data) override;
    void close() override;
    void lastPieceWritten() override { m_complete = m_file.isReceiving(); }

    // Whether the last received file could not be kept (its text in
    // lastError()); cleared by the next check.
    bool takeKeepFailure() noexcept;
    const std::string& lastError() const noexcept { return m_error; }

    ModemFile& file() noexcept { return m_file; }

private:
    ModemFile& m_file;
    bool m_complete = false;
    bool m_keepFailed = false;
    std::string m_error;
};

}  // namespace kelcc::core::comm
