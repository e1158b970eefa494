#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "comm/stop_signal.h"

namespace kelcc::core::comm {

// The PC end of the line to the controller: opened by port number 1 to 4,
// 8 data bits, no parity, one stop bit, no flow control.
class SerialPort {
public:
    // The message the connect command shows whenever opening fails.
    static constexpr const char* kOpenFailedText = "串口不存在或被占用!";
    // The device is there but this user may not open it.
    static constexpr const char* kPermissionDeniedText =
        "串口存在,但当前用户没有打开它的权限!请把用户加入dialout组(sudo adduser $USER "
        "dialout),然后重新登录.";
    static constexpr std::int32_t kDefaultBaud = 9600;
    // Once a byte has arrived, a read returns after this much silence.
    static constexpr int kQuietMs = 20;

    enum class IoStatus : std::uint8_t {
        Ok,
        Stopped,  // the stop signal was raised
        Closed,   // the line is gone (end of file, hang-up, port closed)
        Failed,
    };
    struct IoResult {
        IoStatus status = IoStatus::Ok;
        std::size_t count = 0;
    };

    virtual ~SerialPort() = default;

    // False, with the object untouched, for a port number outside 1 to 4 or
    // an unsupported rate; otherwise stores both and calls open().
    virtual bool openPort(int portNumber, std::int32_t baud) = 0;
    // Closes first if open; false when the device is missing or in use.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Applies a new rate to the open port.
    virtual bool setBaud(std::int32_t baud) = 0;
    virtual int portNumber() const = 0;
    virtual std::int32_t baud() const = 0;
    // Empty after a successful open, else kPermissionDeniedText or
    // kOpenFailedText.
    virtual const std::string& lastError() const = 0;

    // Blocks until at least one byte has arrived, then returns once the line
    // has been quiet for kQuietMs or the buffer is full.
    virtual IoResult read(std::span<std::uint8_t> buffer, const StopSignal& stop) = 0;
    // Blocks until every byte is handed to the device.
    virtual IoResult write(std::span<const std::uint8_t> bytes, const StopSignal& stop) = 0;
    // Drops what is waiting in the chosen directions.
    virtual void purge(bool receive, bool transmit) = 0;
};

}  // namespace kelcc::core::comm
