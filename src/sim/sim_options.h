#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelcc::sim {

// What the stand-in controller does, and how it misbehaves on purpose.
struct SimOptions {
    std::string storage = "kel500-storage";
    std::string link;  // a symlink made to the pseudo-terminal, if set
    // Busy periods of this length interrupt incoming data now and then.
    std::uint32_t busyMs = 0;
    bool storageFull = false;
    bool refuseWrite = false;
    // Misbehaviour for the PC's error handling, not on the command line.
    bool checkErrorOnce = false;              // the very first data frame is refused once
    std::optional<std::uint8_t> writeAnswer;  // every write request gets this answer code
    bool disconnectOnWrite = false;           // a write request is answered with a disconnect
    bool neverReady = false;                  // busy from the first data frame, never ready again
    bool hostileUpload = false;               // the upload is offered as "../../evil" first
    bool ignoreDisconnect = false;            // the PC's disconnect goes unanswered
    // A part program being written breaks off once this many bytes are held.
    std::optional<std::uint32_t> interruptAfter;
    std::string upload;  // a local file the controller uploads on its own
    double corruptRate = 0.0;
    double dropRate = 0.0;
    double flipRate = 0.0;  // one bit of a byte flipped, as on a noisy cable
    std::uint32_t seed = 1;
    std::uint32_t delayMs = 0;
    std::uint32_t baud = 0;  // 0: no pacing

    // Nothing on an error or --help; `message` then holds the error or the
    // usage text.
    static std::optional<SimOptions> parse(const std::vector<std::string>& args,
                                           std::string& message);
    static std::string usage();
};

}  // namespace kelcc::sim
