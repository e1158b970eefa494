#pragma once

#include <deque>
#include <mutex>

#include "comm/serial_message.h"

namespace kelcc::core::comm {

// A thread-safe queue whose wake-up descriptor is readable while messages
// may be waiting, so a consumer can poll() it beside its other descriptors.
class SerialMessageQueue final {
public:
    SerialMessageQueue();
    ~SerialMessageQueue();
    SerialMessageQueue(const SerialMessageQueue&) = delete;
    SerialMessageQueue& operator=(const SerialMessageQueue&) = delete;

    bool valid() const noexcept { return m_wakeFd >= 0; }
    void push(SerialMessage message);
    // Everything waiting, oldest first; clears the wake-up.
    std::deque<SerialMessage> takeAll();
    void clear();
    int wakeFd() const noexcept { return m_wakeFd; }

private:
    std::mutex m_mutex;
    std::deque<SerialMessage> m_messages;
    int m_wakeFd = -1;
};

}  // namespace kelcc::core::comm
