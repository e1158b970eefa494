#include "comm/serial_message_queue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <utility>

namespace kelcc::core::comm {

SerialMessageQueue::SerialMessageQueue() : m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

SerialMessageQueue::~SerialMessageQueue() {
    if (m_wakeFd >= 0) ::close(m_wakeFd);
}

void SerialMessageQueue::push(SerialMessage message) {
    const std::lock_guard lock(m_mutex);
    m_messages.push_back(std::move(message));
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
}

std::deque<SerialMessage> SerialMessageQueue::takeAll() {
    const std::lock_guard lock(m_mutex);
    // Cleared under the lock: a later push wakes the consumer again.
    std::uint64_t count = 0;
    [[maybe_unused]] const auto got = ::read(m_wakeFd, &count, sizeof count);
    return std::exchange(m_messages, {});
}

void SerialMessageQueue::clear() {
    takeAll();
}

}  // namespace kelcc::core::comm
