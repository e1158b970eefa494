#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "comm/serial_message_queue.h"
#include "comm/serial_port.h"
#include "comm/stop_signal.h"

namespace kelcc::core::comm {

// The reader and the writer thread of an open port. The reader hands each
// read's bytes to the notify queue; the writer sends queued blocks in order.
// Both wait on the port and one shared stop signal, so a stop wakes them
// even in the middle of a blocked read or write.
class SerialWorkers final {
public:
    // One whole frame: 7 header bytes, 512 data bytes, 2 check bytes.
    static constexpr std::size_t kMaxReadSize = 521;
    static constexpr std::chrono::milliseconds kStopWait{10000};

    SerialWorkers() = default;
    ~SerialWorkers();
    SerialWorkers(const SerialWorkers&) = delete;
    SerialWorkers& operator=(const SerialWorkers&) = delete;

    // The port must be open and stay open until stop() has returned.
    bool start(SerialPort& port, SerialMessageQueue& notify);
    // True when both threads ended within kStopWait.
    bool stop();
    bool running() const noexcept { return m_port != nullptr; }

    // Queues a block for the writer; false when the threads are not running.
    bool write(std::vector<std::uint8_t> bytes);
    // Taken up by the reader at its next read; kept within 1 to kMaxReadSize.
    void setReadSize(std::size_t bytes) noexcept;
    std::size_t readSize() const noexcept { return m_readSize.load(); }

private:
    void readLoop();
    void writeLoop();
    void notify(SerialMessage::Kind kind, std::vector<std::uint8_t> bytes = {}) noexcept;
    void ended() noexcept;
    bool waitEnded(int count);

    SerialPort* m_port = nullptr;
    SerialMessageQueue* m_notify = nullptr;
    StopSignal m_stop;
    SerialMessageQueue m_outgoing;
    std::atomic<std::size_t> m_readSize{kMaxReadSize};

    std::mutex m_endMutex;
    std::condition_variable m_endCondition;
    int m_endedCount = 0;
    std::thread m_reader;
    std::thread m_writer;
};

}  // namespace kelcc::core::comm
