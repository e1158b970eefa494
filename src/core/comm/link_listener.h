#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "comm/link_transfer_handler.h"
#include "comm/link_types.h"

namespace kelcc::core::comm {

// What the engine reports to the main window.
class LinkListener {
public:
    virtual ~LinkListener() = default;
    virtual void linkError(LinkError code, ErrorAction action, const std::string& message) = 0;
    // Bytes just moved; skipped marks bytes a part-program resume jumps over.
    virtual void linkProgress(std::uint32_t bytes, bool skipped) = 0;
    virtual void linkEvent(LinkEvent event, std::uint32_t value) = 0;
    // Event 13: the controller starts an upload.
    virtual void uploadStarted(const UploadEntry& entry) = 0;
    // Event 20: an uploaded file is complete.
    virtual void uploadComplete(const std::string& localPath) = 0;
    // Completion of the asynchronous requests.
    virtual void connectFinished(bool accepted) = 0;
    virtual void disconnectFinished(bool answered) = 0;
    // The list text, or nothing when it did not arrive complete in time.
    virtual void fileListFinished(const std::optional<std::string>& text) = 0;
};

}  // namespace kelcc::core::comm
