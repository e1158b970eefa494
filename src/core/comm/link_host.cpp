#include "comm/link_host.h"

#include <poll.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace kelcc::core::comm {

LinkHost::LinkHost(std::unique_ptr<SerialPort> port) : m_port(std::move(port)) {}

LinkHost::~LinkHost() {
    close();
}

bool LinkHost::open(int portNumber, std::int32_t baud) {
    close();
    m_received.clear();
    m_stoppedCount = 0;
    m_sentCount = 0;
    m_lastError = SerialPort::kOpenFailedText;
    if (!m_port->openPort(portNumber, baud)) {
        if (!m_port->lastError().empty()) m_lastError = m_port->lastError();
        return false;
    }
    if (!m_workers.start(*m_port, m_received)) {
        m_port->close();
        return false;
    }
    m_lastError.clear();
    return true;
}

bool LinkHost::close() {
    const bool inTime = m_workers.stop();
    m_port->close();
    return inTime;
}

void LinkHost::runFor(std::chrono::milliseconds duration) {
    const Clock::time_point deadline = Clock::now() + duration;
    do {
        step(deadline);
    } while (Clock::now() < deadline);
}

bool LinkHost::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (!done()) {
        if (Clock::now() >= deadline) return false;
        step(deadline);
    }
    return true;
}

void LinkHost::step(Clock::time_point deadline) {
    const Clock::time_point wake = std::min(deadline, nextTick());
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now());
    const int timeoutMs =
        static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
    pollfd p{m_received.wakeFd(), POLLIN, 0};
    // An interrupted or failed poll only shortens this step.
    ::poll(&p, 1, timeoutMs);
    dispatch();
}

void LinkHost::dispatch() {
    deliverReceived();
    tickIfDue();
}

LinkHost::Clock::time_point LinkHost::nextTick() {
    if (!m_nextTick) m_nextTick = Clock::now() + kTick;
    return *m_nextTick;
}

void LinkHost::deliverReceived() {
    for (const SerialMessage& message : m_received.takeAll()) {
        switch (message.kind) {
            case SerialMessage::Kind::Data:
                if (m_input != nullptr) m_input->onBytes(message.bytes);
                break;
            case SerialMessage::Kind::Stopped:
                ++m_stoppedCount;
                break;
            case SerialMessage::Kind::Sent:
                ++m_sentCount;
                break;
            case SerialMessage::Kind::Write:
                break;
        }
    }
}

void LinkHost::tickIfDue() {
    const Clock::time_point now = Clock::now();
    if (now < nextTick()) return;
    *m_nextTick += kTick;
    // After a stall, tick once and resume the rhythm rather than catching up.
    if (*m_nextTick <= now) m_nextTick = now + kTick;
    if (m_input != nullptr) m_input->onTick();
}

bool LinkHost::write(std::span<const std::uint8_t> bytes) {
    return m_workers.write(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::uint32_t LinkHost::nowMs() const {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch());
    // Wraps; the engine only takes differences.
    return static_cast<std::uint32_t>(ms.count());
}

}  // namespace kelcc::core::comm
