#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "comm/link_byte_sink.h"
#include "comm/link_clock.h"
#include "comm/link_input.h"
#include "comm/serial_message_queue.h"
#include "comm/serial_port.h"
#include "comm/serial_workers.h"

namespace kelcc::core::comm {

// Owns the port and its worker threads and runs the link on the caller's
// thread: received chunks and a 300 ms tick go to the input (the link
// engine), whose writes go to the writer thread. A host with its own event
// loop may poll wakeFd() itself and call dispatch().
class LinkHost final : public LinkByteSink, public LinkClock {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kTick{300};

    explicit LinkHost(std::unique_ptr<SerialPort> port);
    ~LinkHost() override;
    LinkHost(const LinkHost&) = delete;
    LinkHost& operator=(const LinkHost&) = delete;

    // Opens the port and starts the threads; on failure lastError() holds
    // the message to show.
    bool open(int portNumber, std::int32_t baud);
    // Stops the threads, then closes the port. False when a thread did not
    // end within its bound.
    bool close();
    bool isOpen() const { return m_workers.running(); }
    const std::string& lastError() const { return m_lastError; }
    SerialPort& port() { return *m_port; }

    // The input may be set or cleared between loop steps; none drops chunks.
    void setInput(LinkInput* input) { m_input = input; }

    // Runs the loop for this long.
    void runFor(std::chrono::milliseconds duration);
    // Runs the loop until the predicate holds or the time-out passes;
    // returns the predicate's last value.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Readable while received messages wait.
    int wakeFd() const noexcept { return m_received.wakeFd(); }
    // Hands waiting chunks to the input and ticks if a tick is due.
    void dispatch();
    // When the next tick is due.
    Clock::time_point nextTick();

    // How many times a worker reported that it ended or met an error.
    std::size_t stoppedCount() const noexcept { return m_stoppedCount; }
    std::size_t sentCount() const noexcept { return m_sentCount; }

    // LinkByteSink
    bool write(std::span<const std::uint8_t> bytes) override;
    void setReadSize(std::size_t bytes) override { m_workers.setReadSize(bytes); }
    // LinkClock
    std::uint32_t nowMs() const override;

private:
    void step(Clock::time_point deadline);
    void deliverReceived();
    void tickIfDue();

    std::unique_ptr<SerialPort> m_port;
    SerialMessageQueue m_received;
    SerialWorkers m_workers;
    LinkInput* m_input = nullptr;
    std::optional<Clock::time_point> m_nextTick;
    std::string m_lastError;
    std::size_t m_stoppedCount = 0;
    std::size_t m_sentCount = 0;
};

}  // namespace kelcc::core::comm
