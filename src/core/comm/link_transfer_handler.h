#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kelcc::core::comm {

class LinkEngine;

// A file the controller starts to upload on its own.
struct UploadEntry {
    std::string name;
    std::string localPath;
    std::uint32_t size = 0;
};

// The file-level side of a session: which file comes next, file commands and
// their answers, the part-program resume records. The engine calls it from
// its handlers; it drives the engine back through the engine's public calls.
class LinkTransferHandler {
public:
    virtual ~LinkTransferHandler() = default;
    // Start or continue sending the session's next file (or end the session).
    virtual void sendNextFile(LinkEngine& engine) = 0;
    // Start or continue receiving the session's next file (or end the session).
    virtual void receiveNextFile(LinkEngine& engine) = 0;
    // CMD_FILE_REPLY 0 answering our CMD_FILE with the given sub-code.
    virtual void fileAccepted(LinkEngine& engine, std::uint8_t fileSubCode,
                              std::span<const std::uint8_t> data) = 0;
    // CMD_FILE_REPLY 1 answering CMD_FILE 1: the file exists on the
    // controller and has to be deleted first.
    virtual void fileExists(LinkEngine& engine) = 0;
    // CMD_ACK 8: the file is a resumable part program; send CMD_FILE 7.
    virtual void resumeOffered(LinkEngine& engine) = 0;
    // Probe answered 0x10: the controller waits for CMD_FILE 6.
    virtual void resumeAsked(LinkEngine& engine) = 0;
    // CMD_FILE 1 or 5 from the controller with its 27-byte header: create the
    // local file. Nothing when it cannot be created.
    virtual std::optional<UploadEntry> uploadOffered(std::span<const std::uint8_t> header) = 0;
};

}  // namespace kelcc::core::comm
