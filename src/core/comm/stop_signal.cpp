#include "comm/stop_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace kelcc::core::comm {

StopSignal::StopSignal() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

StopSignal::~StopSignal() {
    if (m_fd >= 0) ::close(m_fd);
}

void StopSignal::raise() noexcept {
    const std::uint64_t one = 1;
    // A full counter (EAGAIN) is still readable, which is all that matters.
    [[maybe_unused]] const auto written = ::write(m_fd, &one, sizeof one);
}

void StopSignal::reset() noexcept {
    std::uint64_t value = 0;
    [[maybe_unused]] const auto got = ::read(m_fd, &value, sizeof value);
}

bool StopSignal::raised() const noexcept {
    pollfd p{m_fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace kelcc::core::comm
