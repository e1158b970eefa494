#pragma once

#include <string>

namespace kelcc::core::transfer {

// The serial line as a transfer session sees it: opening it also starts
// its reader and writer, closing it stops them.
class TransferPort {
public:
    virtual ~TransferPort() = default;
    // False when the port does not exist or is in use.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Why the last open() failed, when the port knows better than "missing
    // or in use".
    virtual std::string openError() const { return {}; }
};

}  // namespace kelcc::core::transfer
