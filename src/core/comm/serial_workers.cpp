#include "comm/serial_workers.h"

#include <poll.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>
#include <utility>

namespace kelcc::core::comm {

SerialWorkers::~SerialWorkers() {
    stop();
}

bool SerialWorkers::start(SerialPort& port, SerialMessageQueue& notify) {
    if (running() || !port.isOpen() || !m_stop.valid() || !m_outgoing.valid()) return false;
    port.purge(true, true);
    m_stop.reset();
    m_outgoing.clear();
    m_readSize = kMaxReadSize;
    m_endedCount = 0;
    m_port = &port;
    m_notify = &notify;
    try {
        m_reader = std::thread([this] { readLoop(); });
        m_writer = std::thread([this] { writeLoop(); });
    } catch (const std::system_error&) {
        // Leave nothing running.
        stop();
        return false;
    }
    return true;
}

bool SerialWorkers::stop() {
    if (!running()) return true;
    m_stop.raise();
    m_port->purge(true, false);
    bool inTime = true;
    if (m_reader.joinable()) {
        inTime = waitEnded(1) && inTime;
        m_reader.join();
    }
    m_port->purge(false, true);
    if (m_writer.joinable()) {
        inTime = waitEnded(2) && inTime;
        m_writer.join();
    }
    m_outgoing.clear();
    m_port = nullptr;
    m_notify = nullptr;
    return inTime;
}

bool SerialWorkers::waitEnded(int count) {
    // Both threads wait on the stop signal, so they end promptly; the bound
    // only tells the caller when something went wrong, and the join that
    // follows must still wait, as the threads use this object.
    std::unique_lock lock(m_endMutex);
    return m_endCondition.wait_for(lock, kStopWait, [&] { return m_endedCount >= count; });
}

void SerialWorkers::ended() noexcept {
    {
        const std::lock_guard lock(m_endMutex);
        ++m_endedCount;
    }
    m_endCondition.notify_all();
}

bool SerialWorkers::write(std::vector<std::uint8_t> bytes) {
    if (!running()) return false;
    m_outgoing.push({SerialMessage::Kind::Write, std::move(bytes)});
    return true;
}

void SerialWorkers::setReadSize(std::size_t bytes) noexcept {
    m_readSize = std::clamp<std::size_t>(bytes, 1, kMaxReadSize);
}

void SerialWorkers::notify(SerialMessage::Kind kind, std::vector<std::uint8_t> bytes) noexcept {
    try {
        m_notify->push({kind, std::move(bytes)});
    } catch (...) {
        // Out of memory: the bytes are lost, as a failed delivery would be.
    }
}

void SerialWorkers::readLoop() {
    std::array<std::uint8_t, kMaxReadSize> buffer{};
    while (!m_stop.raised()) {
        const std::size_t size = std::clamp<std::size_t>(m_readSize.load(), 1, kMaxReadSize);
        const SerialPort::IoResult result = m_port->read(std::span(buffer.data(), size), m_stop);
        // A failed read ends the reader too: on this system such errors do
        // not clear by themselves, and reading on would only spin.
        if (result.status != SerialPort::IoStatus::Ok || result.count == 0) break;
        notify(SerialMessage::Kind::Data,
               std::vector<std::uint8_t>(
                   buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(result.count)));
    }
    notify(SerialMessage::Kind::Stopped);
    ended();
}

void SerialWorkers::writeLoop() {
    std::array<pollfd, 2> fds{{{m_stop.fd(), POLLIN, 0}, {m_outgoing.wakeFd(), POLLIN, 0}}};
    bool failed = false;
    while (!failed) {
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (m_stop.raised()) break;
        bool wrote = false;
        for (const SerialMessage& message : m_outgoing.takeAll()) {
            if (m_stop.raised()) {
                failed = true;
                break;
            }
            if (m_port->write(message.bytes, m_stop).status != SerialPort::IoStatus::Ok) {
                failed = true;
                break;
            }
            wrote = true;
        }
        if (wrote && !failed) notify(SerialMessage::Kind::Sent);
    }
    notify(SerialMessage::Kind::Stopped);
    ended();
}

}  // namespace kelcc::core::comm
