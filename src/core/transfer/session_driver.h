#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/project.h"
#include "comm/file_entry.h"
#include "comm/link_clock.h"
#include "comm/link_host.h"
#include "comm/port_paths.h"
#include "common/interaction.h"
#include "transfer/link_host_port.h"
#include "transfer/transfer_session.h"
#include "transfer/transfer_session_input.h"

namespace kelcc::core::comm {
class PosixSerialPort;
}

namespace kelcc::core::transfer {

// Runs one transfer session on the serial line, on the calling thread: the
// port, the line's chunks and the 300 ms tick, the 2 s transfer timer and
// the end of the link. A program with an event loop of its own watches
// wakeFd(), nextTick() and the line watcher and calls dispatch() and
// transferTimer(); one without uses the waits below, which block.
// Every message of the session is kept for told().
class SessionDriver final : private comm::LinkClock, private common::Interaction {
public:
    static constexpr std::chrono::milliseconds kTransferPeriod{TransferSession::kTransferTimerMs};

    SessionDriver(const comm::PortPaths& paths, common::Interaction& ui, app::Project& project,
                  const std::string& tempFolder);
    ~SessionDriver() override;
    SessionDriver(const SessionDriver&) = delete;
    SessionDriver& operator=(const SessionDriver&) = delete;

    // Passed on after the driver has taken note of the dialog or the list.
    void setCallbacks(TransferSession::Callbacks callbacks) { m_callbacks = std::move(callbacks); }
    // What the next open uses.
    void setLine(int portNumber, std::int32_t baud, const comm::PortPaths& paths);
    // After the line opened (true) or closed (false).
    void setLineWatcher(std::function<void(bool open)> watcher);
    // After every step of the transfer timer.
    void setProgress(std::function<void()> progress) { m_progressHook = std::move(progress); }
    // The waits end the link at once when a worker found the line gone,
    // instead of waiting for the engine's time-outs.
    void setEndOnLineLoss(bool end) noexcept { m_endOnLineLoss = end; }

    TransferSession& session() noexcept { return m_session; }
    const TransferSession& session() const noexcept { return m_session; }
    int portNumber() const noexcept { return m_port.portNumber(); }
    std::string devicePath() const;
    bool told(const std::string& text) const;
    const std::vector<std::string>& messages() const noexcept { return m_texts; }
    // What the session's dialogs and lists brought so far.
    bool sendDialogOpened() const noexcept { return m_sendDialog; }
    bool readDialogOpened() const noexcept { return m_readDialog; }
    const TransferSession::ReadChoices& choices() const noexcept { return m_choices; }
    const std::map<int, std::vector<comm::FileEntry>>& lists() const noexcept { return m_lists; }

    // --- an event loop of one's own ---
    int wakeFd() const noexcept { return m_host.wakeFd(); }
    void dispatch() { m_host.dispatch(); }
    comm::LinkHost::Clock::time_point nextTick() { return m_host.nextTick(); }
    // Every kTransferPeriod while the session's timer runs.
    void transferTimer();
    // Closes the line without a word to the controller.
    void closeLine() { m_port.close(); }
    // Moves the session's clock on: lets a test reach the engine's long
    // time-outs without waiting for them.
    void skipTime(std::chrono::milliseconds skip) { m_skew.fetch_add(skip.count()); }

    // --- waits on this thread ---
    // Runs until `done` or the bound (false then); the transfer timer goes
    // on meanwhile.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds bound);
    enum class Connected { Yes, Refused, NoAnswer };
    // The connect command until connected or refused (the reason was
    // told). A line that gives no answer within the bound is closed.
    Connected connect(std::chrono::milliseconds bound);
    // The read command until the read dialog opens; false when the lists
    // could not be read.
    bool awaitReadDialog(std::chrono::milliseconds bound);
    // The send command until the send dialog opens.
    bool awaitSendDialog(std::chrono::milliseconds bound);
    // Until the started session ends; one that does not is cancelled.
    bool awaitEnd(std::chrono::milliseconds bound);
    // Ends the link if the session left it open; true once it closed
    // within the bound, else it is closed hard.
    bool finish(std::chrono::milliseconds bound);
    // Once the flag is set (from any thread) the running wait ends at its
    // next step, cancelling a running session.
    void setCancel(const std::atomic<bool>* flag) noexcept { m_cancel = flag; }

private:
    // LinkClock
    std::uint32_t nowMs() const override;
    // Interaction: passed on and kept.
    void inform(const std::string& text, const std::string& caption,
                common::MessageIcon icon) override;
    common::Answer ask(const std::string& text, const std::string& caption,
                       const std::vector<common::Answer>& buttons,
                       common::MessageIcon icon) override;

    common::Interaction& m_ui;
    comm::PosixSerialPort* m_serial;  // owned by m_host
    comm::LinkHost m_host;
    LinkHostPort m_port;
    std::atomic<std::int64_t> m_skew{0};
    TransferSession m_session;
    TransferSessionInput m_input{m_session};
    TransferSession::Callbacks m_callbacks;
    std::function<void()> m_progressHook;
    bool m_endOnLineLoss = false;
    const std::atomic<bool>* m_cancel = nullptr;

    std::vector<std::string> m_texts;
    bool m_sendDialog = false;
    bool m_readDialog = false;
    TransferSession::ReadChoices m_choices;
    std::map<int, std::vector<comm::FileEntry>> m_lists;
};

}  // namespace kelcc::core::transfer
