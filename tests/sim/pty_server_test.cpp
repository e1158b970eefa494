#include "pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "comm/file_header.h"
#include "sim_controller.h"
#include "sim_test_support.h"

namespace kelcc::sim {
namespace {

using core::comm::Command;
using core::comm::Frame;
using core::comm::LinkFrame;
using core::comm::LinkFrameParser;

// Generous: the machine may be loaded or run under sanitizers.
constexpr auto kWait = std::chrono::seconds(10);

std::vector<std::uint8_t> fileHeader(const std::string& name, std::uint32_t size) {
    core::comm::FileEntry entry;
    entry.name = name;
    entry.size = size;
    return test::bytesOf(*core::comm::FileHeader::forEntry(entry).encode());
}

// The PC end of the line: the slave device, read with bounded waits.
class PcEnd final {
public:
    explicit PcEnd(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios settings{};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(m_fd, TCSANOW, &settings);
        }
    }
    ~PcEnd() {
        if (m_fd >= 0) ::close(m_fd);
    }
    bool open() const { return m_fd >= 0; }

    void write(const std::vector<std::uint8_t>& bytes) const {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Raw bytes until `count` have come or the wait ends.
    std::vector<std::uint8_t> readBytes(std::size_t count) {
        std::vector<std::uint8_t> out;
        const auto deadline = std::chrono::steady_clock::now() + kWait;
        while (out.size() < count && std::chrono::steady_clock::now() < deadline) {
            if (!waitReadable()) continue;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(m_fd, buffer, std::min(sizeof buffer, count - out.size()));
            if (n > 0) out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }

    std::optional<Frame> readFrame() {
        const auto deadline = std::chrono::steady_clock::now() + kWait;
        for (;;) {
            auto result = m_parser.next();
            if (result.status == LinkFrameParser::Status::Complete) return result.frame;
            if (result.status != LinkFrameParser::Status::NeedMore) return std::nullopt;
            if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
            if (!waitReadable()) continue;
            std::uint8_t buffer[1024];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0) m_parser.append(std::span<const std::uint8_t>(buffer, std::size_t(n)));
        }
    }

    // Writes a frame and waits for the answer frame.
    std::optional<Frame> ask(const std::vector<std::uint8_t>& frame) {
        write(frame);
        return readFrame();
    }

private:
    bool waitReadable() const {
        pollfd fd{m_fd, POLLIN, 0};
        return ::poll(&fd, 1, 100) > 0;
    }

    int m_fd = -1;
    LinkFrameParser m_parser;
};

class ServedController {
public:
    explicit ServedController(SimOptions options)
        : m_folder("pty"), m_storage(m_folder.path() / "storage"), m_server(options) {
        std::string error;
        m_opened = m_server.open(error);
        EXPECT_TRUE(m_opened) << error;
        m_controller = std::make_unique<SimController>(m_storage, options, m_server);
        if (m_opened) m_thread = std::thread([this] { m_server.serve(*m_controller, m_stop); });
    }
    ~ServedController() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
    }
    const std::string& path() const { return m_server.slavePath(); }
    SimStorage& storage() { return m_storage; }

private:
    test::TempFolder m_folder;
    SimStorage m_storage;
    PtyServer m_server;
    bool m_opened = false;
    std::unique_ptr<SimController> m_controller;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

TEST(PtyServer, ServesHandshakeAndWriteAtTheLineSpeedOverAPseudoTerminal) {
    SimOptions options;
    options.baud = 38400;  // 3840 bytes a second: paced, still quick
    ServedController served(options);
    PcEnd pc(served.path());
    ASSERT_TRUE(pc.open());
    pc.write({LinkFrame::kLinkRequest.begin(), LinkFrame::kLinkRequest.end()});
    ASSERT_EQ(pc.readBytes(3), std::vector<std::uint8_t>(3, 0x55));
    auto answer = pc.ask(test::frameBytes(1, Command::File, 1, fileHeader("ParaB.par", 1500)));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->command, static_cast<std::uint8_t>(Command::FileReply));
    ASSERT_EQ(answer->subCode, 0);

    std::vector<std::uint8_t> content(1500);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = std::uint8_t(i % 251);
    const std::uint8_t subCodes[] = {0, 2, 1};
    for (std::uint8_t seq = 1; seq <= 3; ++seq) {
        const std::size_t from = (seq - 1) * 512u;
        const std::size_t to = std::min<std::size_t>(from + 512, content.size());
        const auto frame =
            test::frameBytes(seq, Command::Data, subCodes[seq - 1],
                             {content.begin() + long(from), content.begin() + long(to)});
        const auto start = std::chrono::steady_clock::now();
        answer = pc.ask(frame);
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->command, static_cast<std::uint8_t>(Command::Ack));
        EXPECT_EQ(answer->sequence, seq);
        ASSERT_EQ(answer->subCode, 0);
        // The frame reaches the controller no faster than the line carries
        // it; a load can only make it later.
        EXPECT_GE(took, std::chrono::milliseconds(frame.size() * 10 * 1000 / 38400 - 20));
    }
    EXPECT_EQ(served.storage().read(1, "ParaB.par"), content);

    answer = pc.ask(test::frameBytes(0, Command::Disconnect, 0));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->command, static_cast<std::uint8_t>(Command::DisconnectReply));
}

}  // namespace
}  // namespace kelcc::sim
