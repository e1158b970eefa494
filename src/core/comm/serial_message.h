#pragma once

#include <cstdint>
#include <vector>

namespace kelcc::core::comm {

// What passes between the worker threads and the host; the bytes change
// owner with the message.
struct SerialMessage {
    enum class Kind : std::uint8_t {
        Write,    // host to writer: bytes to send
        Data,     // reader to host: one read's bytes
        Stopped,  // a worker ended or met an I/O error
        Sent,     // the writer emptied its queue
    };
    Kind kind = Kind::Data;
    std::vector<std::uint8_t> bytes;
};

}  // namespace kelcc::core::comm
