#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "comm/port_paths.h"
#include "comm/serial_port.h"

namespace kelcc::core::comm {

// A serial device (or pseudo-terminal) on a POSIX system. Exclusive use is
// enforced twice: TIOCEXCL refuses other opens, and an advisory lock also
// stops programs with privileges that TIOCEXCL lets through.
class PosixSerialPort final : public SerialPort {
public:
    explicit PosixSerialPort(PortPaths paths = {});
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // The standard rates up to 115200 are supported.
    static bool supportedBaud(std::int32_t baud) noexcept;

    bool openPort(int portNumber, std::int32_t baud) override;
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_fd >= 0; }
    bool setBaud(std::int32_t baud) override;
    int portNumber() const override { return m_portNumber; }
    std::int32_t baud() const override { return m_baud; }
    const std::string& lastError() const override { return m_lastError; }

    IoResult read(std::span<std::uint8_t> buffer, const StopSignal& stop) override;
    IoResult write(std::span<const std::uint8_t> bytes, const StopSignal& stop) override;
    void purge(bool receive, bool transmit) override;

    const PortPaths& paths() const { return m_paths; }
    void setPaths(PortPaths paths) { m_paths = std::move(paths); }
    int fd() const noexcept { return m_fd; }

private:
    bool applySettings(std::int32_t baud);
    // Waits for the port to be ready or the stop signal; timeoutMs < 0 waits
    // without limit. Ok with count 1 when ready, 0 on time-out.
    IoResult wait(short events, int timeoutMs, const StopSignal& stop) const;

    PortPaths m_paths;
    int m_portNumber = 1;
    std::int32_t m_baud = kDefaultBaud;
    int m_fd = -1;
    std::string m_lastError;
};

}  // namespace kelcc::core::comm
