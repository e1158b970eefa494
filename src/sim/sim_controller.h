#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "comm/file_header.h"
#include "comm/link_byte_sink.h"
#include "comm/link_inbox.h"
#include "comm/link_types.h"
#include "comm/reply_codes.h"
#include "comm/resume_record.h"
#include "sim_options.h"
#include "sim_storage.h"

namespace kelcc::sim {

// The controller's side of the link, fed with received bytes and clock
// ticks; everything it says goes to the sink. It answers what the PC asks
// and, when told to, misbehaves the way a real controller can.
class SimController final {
public:
    enum class State : std::uint8_t {
        Idle = 0,           // waiting for the link request
        Ready = 1,          // link open, nothing moving
        Receiving = 2,      // taking the data of a file or a part program
        Sending = 3,        // sending a file or the list text, one piece per acknowledgement
        WaitingResume = 4,  // a part program broke off; the resume record decides
    };

    // Data frames received between two busy periods (with busy periods on).
    static constexpr std::uint32_t kFramesBetweenBusy = 8;
    // Added to the wait time given to the PC so that the ready answer comes
    // before the PC's own time-out runs out.
    static constexpr std::uint32_t kBusyMarginMs = 1000;
    // Quiet time on an open link before a controller-started upload begins.
    static constexpr std::uint32_t kUploadDelayMs = 2000;
    // Largest file the controller takes (and keeps in memory while it comes).
    static constexpr std::uint32_t kMaxFileSize = 16u * 1024 * 1024;

    SimController(SimStorage& storage, SimOptions options, core::comm::LinkByteSink& sink);

    void receive(std::span<const std::uint8_t> bytes);
    // The clock: milliseconds, may wrap.
    void tick(std::uint32_t nowMs);

    // A file the controller uploads on its own once the link has been quiet
    // for a while. False (and nothing planned) for a name that cannot go on
    // the line.
    bool planUpload(std::string name, std::vector<std::uint8_t> bytes);

    State state() const noexcept { return m_state; }
    core::comm::Role role() const noexcept { return m_role; }
    bool busy() const noexcept { return m_busy; }
    // The answer to a probe carrying this sequence number.
    std::uint8_t probeStatus(std::uint8_t sequence) const noexcept;
    bool uploadFinished() const noexcept { return m_upload.stage == UploadStage::Finished; }
    // Disconnect frames the PC sent; read from another thread by tests.
    std::uint32_t disconnectsHeard() const noexcept { return m_disconnects.load(); }

private:
    enum class UploadStage : std::uint8_t {
        None,
        Planned,
        AwaitRole,       // sent "controller takes the command role"
        AwaitFileReply,  // sent the upload command
        Sending,         // data frames on their way
        AwaitRoleBack,   // gave up; handing the role back
        Finished,
    };

    struct Upload {
        UploadStage stage = UploadStage::None;
        bool hostileFirst = false;  // still to be offered under the hostile name
        core::comm::FileHeader header;
        std::vector<std::uint8_t> bytes;
    };

    // A part program that may break off and be resumed.
    struct Dnc {
        bool active = false;       // the current write is a part program
        bool negotiated = false;   // the resume record for it has been agreed
        bool interrupted = false;  // broke off once already (only once per run)
        core::comm::FileHeader header;
        core::comm::ResumeRecord record;  // the PC's file as last agreed
        bool haveRecord = false;
    };

    void accept();
    void resetTransfer();
    void handleFrame(const core::comm::Frame& frame);
    void handleCommand(const core::comm::Frame& frame);
    void answerClosedLink(std::span<const std::uint8_t> bytes);
    void handleData(const core::comm::Frame& frame);
    void handleAck(const core::comm::Frame& frame);
    void handleControl(const core::comm::Frame& frame);
    void handleControlReply(const core::comm::Frame& frame);
    void handleList(const core::comm::Frame& frame);
    void handleFile(const core::comm::Frame& frame);
    void handleFileReply(const core::comm::Frame& frame);
    void startWrite(const core::comm::FileHeader& header);
    void answerResumeQuestion();
    void answerResumeDecision(const core::comm::ResumeRecord& pc);
    void finishWrite();
    void startSending(std::vector<std::uint8_t> bytes, bool upload);
    void sendPiece();
    void startBusy();

    void send(std::uint8_t sequence, core::comm::Command command, std::uint8_t subCode,
              std::span<const std::uint8_t> data = {});
    void reply(core::comm::Command command, std::uint8_t subCode,
               std::span<const std::uint8_t> data = {});
    void command(core::comm::Command command, std::uint8_t subCode,
                 std::span<const std::uint8_t> data = {});
    void resetSequences() noexcept;

    SimStorage& m_storage;
    SimOptions m_options;
    core::comm::LinkByteSink& m_sink;
    core::comm::LinkInbox m_inbox;

    State m_state = State::Idle;
    core::comm::Role m_role = core::comm::Role::MasterPc;
    std::uint8_t m_tx = 255;
    std::uint8_t m_rx = 255;
    std::uint8_t m_lastFrame = core::comm::status_code::kNothingPending;
    std::vector<std::uint8_t> m_lastSent;  // sent again on a negative acknowledgement
    std::vector<std::uint8_t> m_lastReply;
    std::vector<std::uint8_t> m_pieceSent;  // the piece waiting for its acknowledgement
    // The frame being handled: a reply to it is remembered with it, and a
    // repeat of it gets the same answer again.
    const core::comm::Frame* m_current = nullptr;
    // Number of the PC's last frame taken, for the probe answer.
    std::uint8_t m_heard = 0;
    bool m_heardAny = false;
    bool m_rxAny = false;  // a piece of the current file has been taken
    bool m_probedSincePiece = false;
    int m_requestRun = 0;  // link request bytes seen in a row while idle

    std::uint32_t m_now = 0;
    std::uint32_t m_quietSince = 0;

    // Incoming file.
    core::comm::FileHeader m_inHeader;
    std::vector<std::uint8_t> m_inData;
    std::uint32_t m_framesSinceBusy = 0;

    // Outgoing file or list text.
    std::vector<std::uint8_t> m_out;
    std::size_t m_outPos = 0;
    std::size_t m_outLen = 0;
    std::uint8_t m_outSeq = 0;
    bool m_outUpload = false;

    bool m_busy = false;
    std::uint32_t m_busySince = 0;
    bool m_readyWanted = false;  // the PC asked to be told when the busy period ends
    bool m_busyOverUntold = false;

    Dnc m_dnc;
    Upload m_upload;
    bool m_checkErrorSent = false;
    std::atomic<std::uint32_t> m_disconnects{0};
};

}  // namespace kelcc::sim
