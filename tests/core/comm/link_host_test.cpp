#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "comm/link_host.h"
#include "comm/port_paths.h"
#include "comm/posix_serial_port.h"
#include "pty_pair.h"

namespace kelcc::core::comm {
namespace {

using testing::patternBytes;
using testing::PtyPair;
using namespace std::chrono_literals;

class FakeInput final : public LinkInput {
public:
    void onBytes(std::span<const std::uint8_t> chunk) override {
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
        ++chunks;
    }
    void onTick() override { ++ticks; }

    std::vector<std::uint8_t> bytes;
    int chunks = 0;
    int ticks = 0;
};

std::unique_ptr<SerialPort> portOn(const std::string& path) {
    PortPaths paths;
    paths.setPath(1, path);
    return std::make_unique<PosixSerialPort>(paths);
}

class LinkHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pty.valid());
        m_host.setInput(&m_input);
    }

    PtyPair m_pty;
    LinkHost m_host{portOn(m_pty.slavePath())};
    FakeInput m_input;
};

TEST_F(LinkHostTest, TicksAboutEvery300Milliseconds) {
    const auto started = std::chrono::steady_clock::now();
    const std::uint32_t startMs = m_host.nowMs();
    m_host.runFor(1000ms);
    const auto elapsed = std::chrono::steady_clock::now() - started;
    EXPECT_GE(elapsed, 1000ms);
    // Three are due; a loaded machine may lose one, none come early.
    EXPECT_GE(m_input.ticks, 2);
    EXPECT_LE(m_input.ticks, 4);
    EXPECT_GE(static_cast<std::uint32_t>(m_host.nowMs() - startMs), 1000U);

    // Without an input the rhythm goes on and nothing is called.
    m_host.setInput(nullptr);
    m_host.runFor(350ms);
    EXPECT_LE(m_input.ticks, 4);
}

TEST_F(LinkHostTest, ReceivedBytesReachTheInputAndWritesReachTheLine) {
    ASSERT_TRUE(m_host.open(1, 38400));
    EXPECT_TRUE(m_host.isOpen());
    EXPECT_TRUE(m_host.lastError().empty());

    const std::vector<std::uint8_t> in = patternBytes(2000, 4);
    ASSERT_TRUE(m_pty.send(in));
    EXPECT_TRUE(m_host.runUntil([&] { return m_input.bytes.size() >= in.size(); }, 5000ms));
    EXPECT_EQ(m_input.bytes, in);

    const std::vector<std::uint8_t> out = patternBytes(700, 8);
    EXPECT_TRUE(m_host.write(out));
    EXPECT_EQ(m_pty.receive(out.size()), out);
    EXPECT_TRUE(m_host.runUntil([&] { return m_host.sentCount() >= 1; }, 5000ms));

    EXPECT_TRUE(m_host.close());
    EXPECT_FALSE(m_host.isOpen());
    EXPECT_FALSE(m_host.port().isOpen());
    EXPECT_FALSE(m_host.write(out));
}

TEST_F(LinkHostTest, ReadSizeChangesReachTheReader) {
    ASSERT_TRUE(m_host.open(1, 38400));
    LinkByteSink& sink = m_host;
    sink.setReadSize(7);
    ASSERT_TRUE(m_pty.send(std::vector<std::uint8_t>{0x01}));
    ASSERT_TRUE(m_host.runUntil([&] { return m_input.chunks == 1; }, 5000ms));
    ASSERT_TRUE(m_pty.send(patternBytes(21)));
    ASSERT_TRUE(m_host.runUntil([&] { return m_input.bytes.size() >= 22; }, 5000ms));
    EXPECT_GE(m_input.chunks, 4);
}

TEST_F(LinkHostTest, OpenFailuresGiveTheMessageAndLeaveNothingRunning) {
    EXPECT_FALSE(m_host.open(5, 38400));
    EXPECT_EQ(m_host.lastError(), "串口不存在或被占用!");
    EXPECT_FALSE(m_host.isOpen());
    EXPECT_FALSE(m_host.write(std::vector<std::uint8_t>{1}));
    EXPECT_TRUE(m_host.open(1, 38400));
    EXPECT_TRUE(m_host.lastError().empty());
}

TEST_F(LinkHostTest, AHangUpIsCounted) {
    ASSERT_TRUE(m_host.open(1, 38400));
    EXPECT_EQ(m_host.stoppedCount(), 0U);
    m_pty.closeMaster();
    EXPECT_TRUE(m_host.runUntil([&] { return m_host.stoppedCount() >= 1; }, 5000ms));
}

}  // namespace
}  // namespace kelcc::core::comm
