#include "pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "sim_controller.h"

namespace kelcc::sim {
namespace {

constexpr std::size_t kReadChunk = 4096;
// The other direction draws from its own sequence so both can be repeated.
constexpr std::uint32_t kInSeedOffset = 0x9E3779B9u;

}  // namespace

PtyServer::PtyServer(const SimOptions& options)
    : m_outFaults(options.corruptRate, options.dropRate, options.seed, options.flipRate),
      m_inFaults(options.corruptRate, options.dropRate, options.seed ^ kInSeedOffset,
                 options.flipRate),
      m_pacer(options.baud, options.delayMs),
      m_inPacer(options.baud, 0),
      m_start(std::chrono::steady_clock::now()) {}

PtyServer::~PtyServer() {
    if (m_slave >= 0) ::close(m_slave);
    if (m_master >= 0) ::close(m_master);
}

bool PtyServer::open(std::string& error) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (name == nullptr) {
        error = std::string("no slave device: ") + std::strerror(errno);
        return false;
    }
    m_slavePath = name;
    m_slave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        error = "cannot open " + m_slavePath + ": " + std::strerror(errno);
        return false;
    }
    // Raw, no echo: the line carries binary frames.
    termios settings{};
    if (::tcgetattr(m_slave, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(m_slave, TCSANOW, &settings);
    }
    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    return true;
}

std::uint64_t PtyServer::nowMs() const {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - m_start)
                                          .count());
}

bool PtyServer::write(std::span<const std::uint8_t> bytes) {
    m_pacer.push(m_outFaults.active() ? m_outFaults.apply(bytes)
                                      : std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                 nowMs());
    return true;
}

void PtyServer::flush() {
    const auto due = m_pacer.takeDue(nowMs());
    m_pending.insert(m_pending.end(), due.begin(), due.end());
    while (!m_pending.empty()) {
        const ssize_t written = ::write(m_master, m_pending.data(), m_pending.size());
        if (written <= 0) break;  // the line is full; poll says when it takes more
        m_pending.erase(m_pending.begin(), m_pending.begin() + written);
    }
}

void PtyServer::deliver(SimController& controller) {
    // Chunk by chunk: a repeated link request is only recognised as a chunk
    // of its own.
    while (auto chunk = m_inPacer.popDue(nowMs()))
        controller.receive(*chunk);
}

void PtyServer::serve(SimController& controller, const std::atomic<bool>& stop) {
    std::vector<std::uint8_t> buffer(kReadChunk);
    while (!stop.load()) {
        deliver(controller);
        controller.tick(static_cast<std::uint32_t>(nowMs()));
        flush();

        std::uint64_t timeout = kPollMs;
        const std::uint64_t now = nowMs();
        for (const auto due : {m_pacer.nextDueMs(), m_inPacer.nextDueMs()})
            if (due) timeout = std::min(timeout, *due > now ? *due - now : 0);
        // The line is read no further ahead than one chunk of what is still
        // on its way, so a fast writer is held back by the pseudo-terminal.
        const bool readMore = m_inPacer.queuedBytes() < kReadChunk;
        const auto events =
            static_cast<short>((readMore ? POLLIN : 0) | (m_pending.empty() ? 0 : POLLOUT));
        pollfd fd{m_master, events, 0};
        const int ready = ::poll(&fd, 1, static_cast<int>(timeout));
        if (ready < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (ready == 0 || (fd.revents & POLLIN) == 0) continue;
        const ssize_t count = ::read(m_master, buffer.data(), buffer.size());
        if (count <= 0) continue;
        const std::span<const std::uint8_t> chunk(buffer.data(), static_cast<std::size_t>(count));
        m_inPacer.push(m_inFaults.active() ? m_inFaults.apply(chunk)
                                           : std::vector<std::uint8_t>(chunk.begin(), chunk.end()),
                       nowMs());
    }
}

}  // namespace kelcc::sim
