#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "comm/link_byte_sink.h"
#include "line_faults.h"
#include "line_pacer.h"
#include "sim_options.h"

namespace kelcc::sim {

class SimController;

// The master side of a pseudo-terminal, carrying the controller's bytes
// through the line faults and the pacing, both ways. The controller writes into it as
// its sink; serve() feeds it what arrives.
class PtyServer final : public core::comm::LinkByteSink {
public:
    // How long one wait for the line lasts at most, so a stop request and
    // the controller's clock are seen promptly.
    static constexpr int kPollMs = 20;

    explicit PtyServer(const SimOptions& options);
    ~PtyServer() override;
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pair in raw mode; false with a reason.
    bool open(std::string& error);
    const std::string& slavePath() const noexcept { return m_slavePath; }

    // Runs until `stop` is set or the line fails.
    void serve(SimController& controller, const std::atomic<bool>& stop);

    bool write(std::span<const std::uint8_t> bytes) override;
    void setReadSize(std::size_t) override {}

private:
    std::uint64_t nowMs() const;
    void flush();
    void deliver(SimController& controller);

    int m_master = -1;
    // Kept open so the line stays up while no PC has the device open.
    int m_slave = -1;
    std::string m_slavePath;
    LineFaults m_outFaults;
    LineFaults m_inFaults;
    LinePacer m_pacer;
    // What the PC wrote reaches the controller no faster than the line
    // would carry it.
    LinePacer m_inPacer;
    std::vector<std::uint8_t> m_pending;  // released but not yet taken by the line
    std::chrono::steady_clock::time_point m_start;
};

}  // namespace kelcc::sim
