#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kelcc::core::comm::testing {

// A real pseudo-terminal pair: the port under test opens the slave path,
// the test plays the controller on the master side.
class PtyPair final {
public:
    PtyPair() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        std::array<char, 128> name{};
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
            ::ptsname_r(m_master, name.data(), name.size()) != 0) {
            closeMaster();
            return;
        }
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_slavePath = name.data();
    }
    ~PtyPair() { closeMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool valid() const { return m_master >= 0; }
    const std::string& slavePath() const { return m_slavePath; }

    void closeMaster() {
        if (m_master >= 0) ::close(m_master);
        m_master = -1;
    }

    // Writes everything, waiting at most timeoutMs for room.
    bool send(std::span<const std::uint8_t> bytes, int timeoutMs = 5000) const {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (!waitFor(POLLOUT, deadline)) return false;
        }
        return true;
    }

    // Reads until count bytes have come or timeoutMs has passed.
    std::vector<std::uint8_t> receive(std::size_t count, int timeoutMs = 5000) const {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::vector<std::uint8_t> got;
        std::array<std::uint8_t, 4096> buffer{};
        while (got.size() < count) {
            const ssize_t n =
                ::read(m_master, buffer.data(), std::min(buffer.size(), count - got.size()));
            if (n > 0) {
                got.insert(got.end(), buffer.begin(), buffer.begin() + n);
                continue;
            }
            // EIO: the slave side is closed, nothing more can come.
            if ((n < 0 && errno == EIO) || !waitFor(POLLIN, deadline)) break;
        }
        return got;
    }

private:
    bool waitFor(short events, std::chrono::steady_clock::time_point deadline) const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{m_master, events, 0};
        return ::poll(&p, 1, static_cast<int>(left.count())) > 0 &&
               (p.revents & (events | POLLHUP | POLLERR)) != 0;
    }

    int m_master = -1;
    std::string m_slavePath;
};

// Bytes whose position shows in their value, so reordering is caught.
inline std::vector<std::uint8_t> patternBytes(std::size_t count, std::uint8_t seed = 0) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 8));
    }
    return bytes;
}

}  // namespace kelcc::core::comm::testing
