#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "comm/link_byte_sink.h"
#include "comm/link_clock.h"
#include "comm/link_frame.h"
#include "comm/link_inbox.h"
#include "comm/link_listener.h"
#include "comm/link_outbox.h"
#include "comm/link_transfer_file.h"
#include "comm/link_transfer_handler.h"
#include "comm/link_types.h"

namespace kelcc::core::comm {

// The PC end of the link protocol. Single-threaded and event-driven: the host
// feeds received chunks to onBytes() and calls onTick() from its 300 ms timer;
// bytes leave through the sink, reports go to the listener. Connect,
// Disconnect and the file list are requests whose completion is reported.
// Listener calls come from inside the handlers: a listener that drives the
// engine in answer (a disconnect on a broken link) must do so afterwards,
// from its own queued work, not from within the call.
class LinkEngine final {
public:
    static constexpr std::uint32_t kTickMs = 300;
    static constexpr std::uint32_t kReplyTimeoutMs = 5000;
    static constexpr std::uint32_t kConnectWaitMs = 500;
    static constexpr std::uint32_t kDisconnectWaitMs = 3000;
    static constexpr std::uint32_t kListWaitMs = 8000;
    static constexpr std::uint32_t kNoTimeout = 0xFFFFFFFF;
    static constexpr std::int32_t kErrorLimit = 10;
    // Probes sent without an answer before the link is given up (and
    // time-outs in a row with nothing but probe answers), and disconnect
    // requests sent before the close counts as unanswered.
    static constexpr int kProbeLimit = 3;
    static constexpr int kDisconnectSends = 3;
    static constexpr std::size_t kAckReadSize = 7;
    static constexpr std::size_t kFrameReadSize = LinkFrame::kFullDataFrameSize;

    LinkEngine(const LinkClock& clock, LinkByteSink& sink, LinkListener& listener,
               LinkTransferFile& file, LinkTransferHandler& handler);

    // Input from the host.
    void onBytes(std::span<const std::uint8_t> chunk);
    void onTick();

    // Requests.
    void connect();
    void disconnect();
    void requestFileList(std::uint8_t area);
    void takeControl();
    void close();
    void markIdle();

    // Used by the transfer layer. Returns whether the frame was queued.
    bool sendCommand(Command command, std::uint8_t subCode,
                     std::span<const std::uint8_t> data = {});
    // The file command was accepted: start its data frames.
    void startSendingFile();
    // The download was accepted: data frames go to the transfer file.
    void startReceivingFile();
    // Raises and handles an error; callers stop on any action but Continue.
    ErrorAction raiseError(LinkError code);
    void setState(LinkState state, bool resetSequences);
    void clearTimeout() { setTimeout(kNoTimeout); }
    void setDone(std::int32_t value) { m_done = value; }
    void setRepeat(bool repeat) { m_repeat = repeat; }
    void setFileIndex(std::int32_t index) { m_fileIndex = index; }
    void setReadSize(std::size_t bytes) { m_sink.setReadSize(bytes); }
    void clearBytesSent() { m_bytesSent = 0; }

    LinkState state() const { return m_state; }
    bool repeat() const { return m_repeat; }
    std::int32_t fileIndex() const { return m_fileIndex; }

private:
    // The handlers of the frames of each state work on the engine's state;
    // the test seam reads it.
    friend class LinkReadyAnswers;
    friend class LinkProbeAnswers;
    friend class LinkTransferFrames;
    friend class LinkEngineTestSeam;

    enum class Posted : std::uint8_t {
        SendNext = 1,
        ReceiveNext = 3,
        Resume = 4,
    };
    // The request of ours that still waits for its answer.
    enum class Outstanding : std::uint8_t {
        None,
        Data,
        Command,
    };
    enum class PieceOutcome : std::uint8_t {
        Sent = 0,
        Finished = 1,
        Failed = 2,
    };

    bool sendReply(Command command, std::uint8_t subCode, std::span<const std::uint8_t> data = {});
    void parseFrames();
    void onDamage(LinkError error);
    // A repeated answer to an earlier command must not be taken for this one.
    bool answersCommand(const Frame& frame) const {
        return m_outstanding == Outstanding::Command && frame.sequence == m_out.commandSequence();
    }
    // Hands a received frame to the handler of the state.
    void handleFrame(const Frame& frame);
    void onClosingFrame(const Frame& frame);

    void checkConnect();
    void checkDisconnect();
    void checkFileList();
    void checkTimeout();
    void finishDisconnect(bool answered);
    void finishFileList(bool ok);

    bool queue(std::span<const std::uint8_t> bytes);
    PieceOutcome sendNextPiece();
    void continueSending();
    void finishSentFile();
    void resendData();
    void resendCommand() {
        if (m_out.resendCommand()) setTimeout(kReplyTimeoutMs);
    }
    void resendReply() {
        if (m_out.resendReply()) setTimeout(kReplyTimeoutMs);
    }
    void resendLast();
    void sendNak();
    void sendProbe();
    void probeAgainOrGiveUp();
    void resume();
    void pauseForBusy();

    void setTimeout(std::uint32_t lengthMs);
    void setWaitTimeout(std::span<const std::uint8_t> data);
    void resetLink();
    void abortTransfer();
    void post(Posted message) { m_posted.push_back(message); }
    void drainPosted();
    void event(LinkEvent e, std::uint32_t value = 0) { m_listener.linkEvent(e, value); }

    const LinkClock& m_clock;
    LinkByteSink& m_sink;
    LinkListener& m_listener;
    LinkTransferFile& m_file;
    LinkTransferHandler& m_handler;
    LinkInbox m_inbox;
    LinkOutbox m_out;

    LinkState m_state = LinkState::Idle;
    Role m_role = Role::MasterPc;
    ReceiveMode m_receiveMode = ReceiveMode::None;
    Outstanding m_outstanding = Outstanding::None;
    std::uint8_t m_rxSequence = 1;
    std::uint8_t m_rxData = 255;  // number of the last piece taken in this transfer
    std::int32_t m_errorCount = 0;
    int m_probes = 0;
    int m_stalls = 0;  // time-outs in a row without a frame of the other end
    LinkState m_savedState = LinkState::Idle;
    bool m_accepted = false;
    bool m_paused = false;
    bool m_repeat = false;
    bool m_timerRunning = false;
    std::int32_t m_done = 0;
    std::int32_t m_fileIndex = 0;
    std::uint32_t m_bytesSent = 0;
    std::uint32_t m_timeoutStart = 0;
    std::uint32_t m_timeoutLength = kNoTimeout;

    // The frame being handled: a reply to it is remembered with it.
    const Frame* m_current = nullptr;
    std::array<std::uint8_t, LinkFrame::kPacketSize> m_piece{};

    std::string m_listText;
    std::string m_uploadPath;

    bool m_connectPending = false;
    std::uint32_t m_connectSentAt = 0;
    bool m_disconnectPending = false;
    int m_disconnectSends = 0;
    std::uint32_t m_disconnectStart = 0;
    bool m_listPending = false;
    std::uint32_t m_listStart = 0;

    std::deque<Posted> m_posted;
    bool m_draining = false;
};

}  // namespace kelcc::core::comm
