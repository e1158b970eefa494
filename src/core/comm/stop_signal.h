#pragma once

namespace kelcc::core::comm {

// A level-triggered stop flag that blocking waits can include in their
// poll(): once raised it stays readable until reset.
class StopSignal final {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    bool valid() const noexcept { return m_fd >= 0; }
    void raise() noexcept;
    void reset() noexcept;
    bool raised() const noexcept;
    int fd() const noexcept { return m_fd; }

private:
    int m_fd = -1;
};

}  // namespace kelcc::core::comm
