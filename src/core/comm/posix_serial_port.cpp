#include "comm/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

namespace kelcc::core::comm {

namespace {

struct RateCode {
    std::int32_t baud;
    speed_t code;
};

constexpr std::array<RateCode, 17> kRates{{
    {50, B50},
    {75, B75},
    {110, B110},
    {134, B134},
    {150, B150},
    {200, B200},
    {300, B300},
    {600, B600},
    {1200, B1200},
    {1800, B1800},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
}};

std::optional<speed_t> rateCode(std::int32_t baud) {
    for (const RateCode& rate : kRates) {
        if (rate.baud == baud) return rate.code;
    }
    return std::nullopt;
}

}  // namespace

PosixSerialPort::PosixSerialPort(PortPaths paths) : m_paths(std::move(paths)) {}

PosixSerialPort::~PosixSerialPort() {
    close();
}

bool PosixSerialPort::supportedBaud(std::int32_t baud) noexcept {
    return rateCode(baud).has_value();
}

bool PosixSerialPort::openPort(int portNumber, std::int32_t baud) {
    if (!PortPaths::validPortNumber(portNumber) || !supportedBaud(baud)) {
        // The open port, its number and rate stay as they were.
        m_lastError = kOpenFailedText;
        return false;
    }
    m_baud = baud;
    m_portNumber = portNumber;
    return open();
}

bool PosixSerialPort::open() {
    close();
    m_lastError = kOpenFailedText;
    const std::optional<std::string> path = m_paths.path(m_portNumber);
    if (!path) return false;
    const int fd = ::open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM) m_lastError = kPermissionDeniedText;
        return false;
    }
    // A path that is not a terminal cannot carry the line.
    if (::isatty(fd) == 0 || ::ioctl(fd, TIOCEXCL) != 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_lastError.clear();
    // Like the settings calls after a successful open, these may fail on
    // some devices (a pseudo-terminal has no modem lines) and are not fatal.
    applySettings(m_baud);
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(m_fd, TIOCMBIC, &lines);
    purge(true, true);
    return true;
}

void PosixSerialPort::close() {
    if (m_fd < 0) return;
    // The exclusive flag would otherwise outlive us on some devices.
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
}

bool PosixSerialPort::setBaud(std::int32_t baud) {
    if (!supportedBaud(baud)) return false;
    m_baud = baud;
    return isOpen() && applySettings(baud);
}

bool PosixSerialPort::applySettings(std::int32_t baud) {
    const std::optional<speed_t> code = rateCode(baud);
    termios tio{};
    if (!code || ::tcgetattr(m_fd, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    // With the descriptor non-blocking, VMIN 1 makes an empty read fail with
    // EAGAIN, so a read of 0 bytes can only mean the line hung up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, *code) != 0 || ::cfsetospeed(&tio, *code) != 0) return false;
    return ::tcsetattr(m_fd, TCSANOW, &tio) == 0;
}

SerialPort::IoResult PosixSerialPort::wait(short events, int timeoutMs,
                                           const StopSignal& stop) const {
    std::array<pollfd, 2> fds{{{stop.fd(), POLLIN, 0}, {m_fd, events, 0}}};
    for (;;) {
        const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return {IoStatus::Failed, 0};
        }
        if ((fds[0].revents & POLLIN) != 0) return {IoStatus::Stopped, 0};
        if ((fds[1].revents & POLLNVAL) != 0) return {IoStatus::Closed, 0};
        // Errors and hang-ups count as ready: the next call reports them.
        return {IoStatus::Ok, fds[1].revents != 0 ? 1U : 0U};
    }
}

SerialPort::IoResult PosixSerialPort::read(std::span<std::uint8_t> buffer, const StopSignal& stop) {
    if (!isOpen()) return {IoStatus::Closed, 0};
    std::size_t got = 0;
    int timeoutMs = -1;
    while (got < buffer.size()) {
        const IoResult ready = wait(POLLIN, timeoutMs, stop);
        if (ready.status != IoStatus::Ok) return ready;
        if (ready.count == 0) break;  // quiet long enough
        const ssize_t n = ::read(m_fd, buffer.data() + got, buffer.size() - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            timeoutMs = kQuietMs;
            continue;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        // Hand over what arrived before the line went away; the next read
        // reports the loss.
        if (got > 0) break;
        if (n == 0 || errno == EIO || errno == EBADF) return {IoStatus::Closed, 0};
        return {IoStatus::Failed, 0};
    }
    return {IoStatus::Ok, got};
}

SerialPort::IoResult PosixSerialPort::write(std::span<const std::uint8_t> bytes,
                                            const StopSignal& stop) {
    if (!isOpen()) return {IoStatus::Closed, 0};
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            const IoResult ready = wait(POLLOUT, -1, stop);
            if (ready.status != IoStatus::Ok) return {ready.status, done};
            continue;
        }
        if (n < 0 && (errno == EIO || errno == EBADF)) return {IoStatus::Closed, done};
        return {IoStatus::Failed, done};
    }
    return {IoStatus::Ok, done};
}

void PosixSerialPort::purge(bool receive, bool transmit) {
    if (!isOpen() || (!receive && !transmit)) return;
    ::tcflush(m_fd, receive && transmit ? TCIOFLUSH : (receive ? TCIFLUSH : TCOFLUSH));
}

}  // namespace kelcc::core::comm
