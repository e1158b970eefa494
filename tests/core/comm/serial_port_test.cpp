#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <string>
#include <vector>

#include "comm/port_paths.h"
#include "comm/posix_serial_port.h"
#include "comm/stop_signal.h"
#include "pty_pair.h"

namespace kelcc::core::comm {
namespace {

using testing::patternBytes;
using testing::PtyPair;
using namespace std::chrono_literals;

constexpr const char* kOpenFailed = "串口不存在或被占用!";

TEST(PortPathsTest, DefaultsLookupAndChangesStayWithinPortsOneToFour) {
    PortPaths paths;
    EXPECT_EQ(paths.path(1), "/dev/ttyUSB0");
    EXPECT_EQ(paths.path(4), "/dev/ttyS1");
    EXPECT_FALSE(paths.path(0));
    EXPECT_FALSE(paths.path(5));

    EXPECT_TRUE(paths.setPath(3, "/dev/pts/7"));
    EXPECT_EQ(paths.path(3), "/dev/pts/7");
    EXPECT_FALSE(paths.setPath(0, "/dev/x"));
    EXPECT_FALSE(paths.setPath(5, "/dev/x"));
    EXPECT_FALSE(paths.setPath(2, ""));
    EXPECT_EQ(paths.path(2), "/dev/ttyUSB1");
}

TEST(PosixSerialPortTest, SupportsTheStandardRatesUpTo115200Only) {
    for (const std::int32_t baud : {50, 38400, 115200})
        EXPECT_TRUE(PosixSerialPort::supportedBaud(baud)) << baud;
    for (const std::int32_t baud : {0, -9600, 600 + 1, 14400, 230400})
        EXPECT_FALSE(PosixSerialPort::supportedBaud(baud)) << baud;
}

class PtyPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pty.valid());
        ASSERT_TRUE(m_paths.setPath(2, m_pty.slavePath()));
    }

    PtyPair m_pty;
    PortPaths m_paths;
    StopSignal m_stop;
};

TEST_F(PtyPortTest, OpensRaw8N1AtTheRateWithoutFlowControl) {
    PosixSerialPort port(m_paths);
    ASSERT_TRUE(port.openPort(2, 38400));
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(port.lastError().empty());
    EXPECT_EQ(port.portNumber(), 2);
    EXPECT_EQ(port.baud(), 38400);

    termios tio{};
    ASSERT_EQ(::tcgetattr(port.fd(), &tio), 0);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0U);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0U);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0U);
    EXPECT_EQ(tio.c_oflag & OPOST, 0U);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B38400));

    EXPECT_TRUE(port.setBaud(115200));
    ASSERT_EQ(::tcgetattr(port.fd(), &tio), 0);
    EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B115200));
    EXPECT_FALSE(port.setBaud(12345));
    EXPECT_EQ(port.baud(), 115200);

    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.setBaud(9600));
}

TEST_F(PtyPortTest, BadOpenIsRefusedWithTheMessageAndLeavesTheOpenPortAlone) {
    PosixSerialPort port(m_paths);
    ASSERT_TRUE(port.openPort(2, 19200));
    const int fd = port.fd();
    for (const auto& [number, baud] :
         std::vector<std::pair<int, int>>{{0, 38400}, {5, 38400}, {2, 230400}}) {
        EXPECT_FALSE(port.openPort(number, baud));
        EXPECT_EQ(port.lastError(), kOpenFailed);
        EXPECT_TRUE(port.isOpen());
        EXPECT_EQ(port.fd(), fd);
        EXPECT_EQ(port.portNumber(), 2);
        EXPECT_EQ(port.baud(), 19200);
    }
}

TEST_F(PtyPortTest, ASecondOpenerOrAForeignLockHolderIsRefusedUntilTheFirstCloses) {
    PosixSerialPort first(m_paths);
    PosixSerialPort second(m_paths);
    ASSERT_TRUE(first.openPort(2, 38400));

    EXPECT_FALSE(second.openPort(2, 38400));
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(second.lastError(), kOpenFailed);

    // Another program that ignores TIOCEXCL (or has the privilege to pass
    // it) but takes the advisory lock is also kept out.
    const int foreign = ::open(m_pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (foreign >= 0) {
        EXPECT_NE(::flock(foreign, LOCK_EX | LOCK_NB), 0);
        ::close(foreign);
    }

    first.close();
    EXPECT_TRUE(second.openPort(2, 38400));
    EXPECT_TRUE(second.lastError().empty());
    second.close();

    // A foreign holder of the advisory lock keeps the port closed.
    const int holder = ::open(m_pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(first.openPort(2, 38400));
    EXPECT_EQ(first.lastError(), kOpenFailed);
    ::close(holder);
    EXPECT_TRUE(first.openPort(2, 38400));
}

TEST_F(PtyPortTest, MissingDevicesAndPlainFilesAreRefusedWithTheMessage) {
    char fileName[] = "/tmp/kelcc_not_a_tty_XXXXXX";
    const int file = ::mkstemp(fileName);
    ASSERT_GE(file, 0);
    ::close(file);
    ASSERT_TRUE(m_paths.setPath(3, "/dev/kelcc-no-such-device"));
    ASSERT_TRUE(m_paths.setPath(4, fileName));

    PosixSerialPort port(m_paths);
    EXPECT_FALSE(port.openPort(3, 38400));
    EXPECT_EQ(port.lastError(), kOpenFailed);
    EXPECT_FALSE(port.openPort(4, 38400));
    EXPECT_EQ(port.lastError(), kOpenFailed);
    EXPECT_FALSE(port.isOpen());
    ::unlink(fileName);
}

TEST_F(PtyPortTest, OpeningAnOpenPortClosesItFirst) {
    PosixSerialPort port(m_paths);
    ASSERT_TRUE(port.openPort(2, 38400));
    // Without the close our own lock would refuse the second open.
    EXPECT_TRUE(port.open());
    EXPECT_TRUE(port.openPort(2, 9600));
    EXPECT_EQ(port.baud(), 9600);
}

TEST_F(PtyPortTest, BytesTravelBothWays) {
    PosixSerialPort port(m_paths);
    ASSERT_TRUE(port.openPort(2, 38400));

    const std::vector<std::uint8_t> out = patternBytes(300, 1);
    const SerialPort::IoResult written = port.write(out, m_stop);
    EXPECT_EQ(written.status, SerialPort::IoStatus::Ok);
    EXPECT_EQ(written.count, out.size());
    EXPECT_EQ(m_pty.receive(out.size()), out);

    // One write without a pause comes back as one read, control bytes and
    // carriage returns untouched.
    const std::vector<std::uint8_t> in{0xAA, 0x0D, 0x0A, 0x11, 0x13, 0x03, 0x00, 0xFF, 0x7F};
    ASSERT_TRUE(m_pty.send(in));
    std::vector<std::uint8_t> buffer(521);
    const SerialPort::IoResult got = port.read(buffer, m_stop);
    ASSERT_EQ(got.status, SerialPort::IoStatus::Ok);
    buffer.resize(got.count);
    EXPECT_EQ(buffer, in);
}

TEST_F(PtyPortTest, TheStopSignalEndsABlockedReadAndWrite) {
    PosixSerialPort port(m_paths);
    ASSERT_TRUE(port.openPort(2, 38400));

    auto reading = std::async(std::launch::async, [&] {
        std::vector<std::uint8_t> buffer(521);
        return port.read(buffer, m_stop).status;
    });
    // Nothing arrives: the read must still be waiting.
    EXPECT_EQ(reading.wait_for(100ms), std::future_status::timeout);
    m_stop.raise();
    ASSERT_EQ(reading.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(reading.get(), SerialPort::IoStatus::Stopped);

    // The master never reads, so a large write fills the line and blocks.
    m_stop.reset();
    const std::vector<std::uint8_t> big(1 << 20, 0x55);
    auto writing = std::async(std::launch::async, [&] { return port.write(big, m_stop); });
    EXPECT_EQ(writing.wait_for(100ms), std::future_status::timeout);
    m_stop.raise();
    ASSERT_EQ(writing.wait_for(5s), std::future_status::ready);
    const SerialPort::IoResult written = writing.get();
    EXPECT_EQ(written.status, SerialPort::IoStatus::Stopped);
    EXPECT_LT(written.count, big.size());
}

TEST_F(PtyPortTest, AHangUpOrAClosedPortEndsReadsAsClosed) {
    PosixSerialPort port(m_paths);
    ASSERT_TRUE(port.openPort(2, 38400));
    m_pty.closeMaster();
    std::vector<std::uint8_t> buffer(521);
    auto reading = std::async(std::launch::async, [&] { return port.read(buffer, m_stop).status; });
    ASSERT_EQ(reading.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(reading.get(), SerialPort::IoStatus::Closed);

    port.close();
    EXPECT_EQ(port.read(buffer, m_stop).status, SerialPort::IoStatus::Closed);
    EXPECT_EQ(port.write(buffer, m_stop).status, SerialPort::IoStatus::Closed);
}

}  // namespace
}  // namespace kelcc::core::comm
