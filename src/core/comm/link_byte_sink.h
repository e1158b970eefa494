#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kelcc::core::comm {

// The writer side of the serial line.
class LinkByteSink {
public:
    virtual ~LinkByteSink() = default;
    // Queues the bytes in order; false when they could not be queued.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    // How many bytes the reader should ask for per read: 7 while the engine
    // sends file data and waits only for acknowledgements, else 521.
    virtual void setReadSize(std::size_t bytes) = 0;
};

}  // namespace kelcc::core::comm
