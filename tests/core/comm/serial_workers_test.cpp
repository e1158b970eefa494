#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "comm/port_paths.h"
#include "comm/posix_serial_port.h"
#include "comm/serial_message_queue.h"
#include "comm/serial_workers.h"
#include "pty_pair.h"

namespace kelcc::core::comm {
namespace {

using testing::patternBytes;
using testing::PtyPair;
using namespace std::chrono_literals;
using Kind = SerialMessage::Kind;

class SerialWorkersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pty.valid());
        PortPaths paths;
        paths.setPath(1, m_pty.slavePath());
        m_port.setPaths(paths);
        ASSERT_TRUE(m_port.openPort(1, 115200));
    }

    void TearDown() override { m_workers.stop(); }

    // Collects messages until the condition holds or the time-out passes.
    template <typename Done>
    bool collect(Done done, std::chrono::milliseconds timeout = 5000ms) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd p{m_queue.wakeFd(), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(left.count()));
            for (SerialMessage& message : m_queue.takeAll()) {
                if (message.kind == Kind::Data) {
                    m_chunks.push_back(message.bytes);
                    m_received.insert(m_received.end(), message.bytes.begin(), message.bytes.end());
                } else if (message.kind == Kind::Stopped) {
                    ++m_stopped;
                } else if (message.kind == Kind::Sent) {
                    ++m_sent;
                }
            }
        }
        return true;
    }

    PtyPair m_pty;
    PosixSerialPort m_port;
    SerialMessageQueue m_queue;
    SerialWorkers m_workers;
    std::vector<std::vector<std::uint8_t>> m_chunks;
    std::vector<std::uint8_t> m_received;
    int m_stopped = 0;
    int m_sent = 0;
};

TEST_F(SerialWorkersTest, ReceivedBytesArriveInOrderIncludingA64KiBBurst) {
    ASSERT_TRUE(m_workers.start(m_port, m_queue));
    const std::vector<std::uint8_t> small{1, 2, 3};
    ASSERT_TRUE(m_pty.send(small));
    ASSERT_TRUE(collect([&] { return m_received.size() >= small.size(); }));
    EXPECT_EQ(m_received, small);

    const std::vector<std::uint8_t> burst = patternBytes(64 * 1024, 5);
    std::thread sender([&] { m_pty.send(burst, 10000); });
    const bool complete = collect([&] { return m_received.size() >= 3 + burst.size(); }, 20000ms);
    sender.join();
    ASSERT_TRUE(complete) << m_received.size();
    EXPECT_TRUE(std::equal(burst.begin(), burst.end(), m_received.begin() + 3));
    for (const auto& chunk : m_chunks) {
        EXPECT_LE(chunk.size(), SerialWorkers::kMaxReadSize);
        EXPECT_FALSE(chunk.empty());
    }
}

TEST_F(SerialWorkersTest, APauseSplitsABurstIntoTwoChunks) {
    ASSERT_TRUE(m_workers.start(m_port, m_queue));
    const std::vector<std::uint8_t> head = patternBytes(100, 1);
    const std::vector<std::uint8_t> tail = patternBytes(60, 2);
    std::thread sender([&] {
        m_pty.send(head);
        std::this_thread::sleep_for(150ms);
        m_pty.send(tail);
    });
    const bool complete = collect([&] { return m_received.size() >= 160; });
    sender.join();
    ASSERT_TRUE(complete);
    ASSERT_EQ(m_chunks.size(), 2U);
    EXPECT_EQ(m_chunks[0], head);
    EXPECT_EQ(m_chunks[1], tail);
}

TEST_F(SerialWorkersTest, TheReadSizeIsTakenUpAtTheNextReadAndKeptInRange) {
    ASSERT_TRUE(m_workers.start(m_port, m_queue));
    EXPECT_EQ(m_workers.readSize(), 521U);
    m_workers.setReadSize(0);
    EXPECT_EQ(m_workers.readSize(), 1U);
    m_workers.setReadSize(100000);
    EXPECT_EQ(m_workers.readSize(), 521U);

    m_workers.setReadSize(7);
    // The read already waiting asked for 521; the ones after it for 7.
    ASSERT_TRUE(m_pty.send(std::vector<std::uint8_t>{0xEE}));
    ASSERT_TRUE(collect([&] { return m_received.size() >= 1; }));
    const std::vector<std::uint8_t> acks = patternBytes(30);
    ASSERT_TRUE(m_pty.send(acks));
    ASSERT_TRUE(collect([&] { return m_received.size() >= 31; }));
    EXPECT_TRUE(std::equal(acks.begin(), acks.end(), m_received.begin() + 1));
    for (std::size_t i = 1; i < m_chunks.size(); ++i)
        EXPECT_LE(m_chunks[i].size(), 7U);

    // A new start begins again with whole frames.
    ASSERT_TRUE(m_workers.stop());
    ASSERT_TRUE(m_workers.start(m_port, m_queue));
    EXPECT_EQ(m_workers.readSize(), 521U);
}

TEST_F(SerialWorkersTest, QueuedBlocksAreSentInOrderAndReported) {
    EXPECT_FALSE(m_workers.write({1}));
    ASSERT_TRUE(m_workers.start(m_port, m_queue));
    std::vector<std::uint8_t> expected;
    for (std::uint8_t seed = 0; seed < 5; ++seed) {
        std::vector<std::uint8_t> block = patternBytes(200 + seed, seed);
        expected.insert(expected.end(), block.begin(), block.end());
        ASSERT_TRUE(m_workers.write(std::move(block)));
    }
    EXPECT_EQ(m_pty.receive(expected.size()), expected);
    EXPECT_TRUE(collect([&] { return m_sent >= 1; }));
    EXPECT_EQ(m_stopped, 0);
}

TEST_F(SerialWorkersTest, StopEndsBlockedThreadsPromptlyAndReportsBoth) {
    ASSERT_TRUE(m_workers.start(m_port, m_queue));
    // The master reads nothing: the writer blocks on a full line while the
    // reader waits for bytes that never come.
    ASSERT_TRUE(m_workers.write(std::vector<std::uint8_t>(1 << 20, 0x33)));
    std::this_thread::sleep_for(50ms);

    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(m_workers.stop());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_FALSE(m_workers.running());
    EXPECT_FALSE(m_workers.write({1}));
    EXPECT_TRUE(collect([&] { return m_stopped >= 2; }));
    EXPECT_EQ(m_sent, 0);
}

TEST_F(SerialWorkersTest, NeedsAnOpenPortAndStartsOnlyOnce) {
    ASSERT_TRUE(m_workers.start(m_port, m_queue));
    EXPECT_FALSE(m_workers.start(m_port, m_queue));
    ASSERT_TRUE(m_workers.stop());
    m_port.close();
    EXPECT_FALSE(m_workers.start(m_port, m_queue));
    EXPECT_FALSE(m_workers.running());
}

}  // namespace
}  // namespace kelcc::core::comm
