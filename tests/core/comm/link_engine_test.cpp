#include "comm/link_engine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "comm/file_header.h"
#include "comm/file_list.h"
#include "comm/link_frame_parser.h"
#include "link_engine_test_seam.h"
#include "link_fakes.h"
#include "sim_controller.h"
#include "sim_storage.h"
#include "test_folder.h"

// The engine is run from scripts of the controller's frames and against the
// stand-in controller's library, in-process. A run's transcript (the bytes
// each way, the engine's states, read sizes and reports, each with its time)
// must equal its golden file under link_runs/: the wire bytes and the
// reactions of both ends are pinned. KELCC_UPDATE_GOLDEN=1 writes them anew.
namespace kelcc::core::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace kelcc::core::comm::testing;

constexpr std::uint32_t kStart = 0xFFFFF000;  // near the wrap: elapsed times must be unsigned

Bytes patterned(std::size_t size, std::uint8_t seed = 7) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return data;
}

Bytes frame(std::uint8_t sequence, Command command, std::uint8_t subCode, Bytes data = {}) {
    return LinkFrame::encode(Frame{sequence, static_cast<std::uint8_t>(command), subCode, data});
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes header(const std::string& name, std::uint32_t size) {
    FileHeader header;
    header.name = name;
    header.size = header.size2 = size;
    const std::string encoded = *header.encode();
    return Bytes(encoded.begin(), encoded.end());
}

std::string hex(std::span<const std::uint8_t> bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (const std::uint8_t byte : bytes)
        out += std::string{' ', digits[byte >> 4], digits[byte & 15]};
    return out;
}

// Everything that happens on a run, in order, with its time.
class Transcript {
public:
    explicit Transcript(const FakeClock& clock) : m_clock(clock) {}
    void note(const std::string& text) {
        m_lines += std::to_string(m_clock.now - kStart) + " " + text + "\n";
    }
    void expectGolden(const std::string& name) const {
        const auto golden = std::filesystem::path(KELCC_LINK_GOLDEN_DIR) / (name + ".txt");
        if (std::getenv("KELCC_UPDATE_GOLDEN") != nullptr) {
            std::ofstream(golden) << m_lines;
            return;
        }
        std::ifstream in(golden);
        ASSERT_TRUE(in) << golden;
        std::ostringstream expected;
        expected << in.rdbuf();
        EXPECT_EQ(m_lines, expected.str()) << golden;
    }

private:
    const FakeClock& m_clock;
    std::string m_lines;
};

// One end's writes, queued for the line; its read sizes go to the transcript.
class LineEnd final : public LinkByteSink {
public:
    explicit LineEnd(Transcript& log) : m_log(log) {}
    bool write(std::span<const std::uint8_t> bytes) override {
        if (failWrites) return false;
        queued.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    void setReadSize(std::size_t bytes) override {
        if (bytes != m_readSize) m_log.note("read " + std::to_string(bytes));
        m_readSize = bytes;
    }

    std::vector<Bytes> queued;
    std::size_t delivered = 0;
    bool failWrites = false;

private:
    Transcript& m_log;
    std::size_t m_readSize = LinkEngine::kFrameReadSize;
};

class LoggingListener final : public LinkListener {
public:
    explicit LoggingListener(Transcript& log) : m_log(log) {}
    void linkError(LinkError code, ErrorAction action, const std::string& message) override {
        m_log.note("error " + std::to_string(int(code)) + " " + std::to_string(int(action)) + " " +
                   message);
        if (action != ErrorAction::Continue && action != ErrorAction::StatusOnly) failure = code;
    }
    void linkProgress(std::uint32_t bytes, bool) override { progress += bytes; }
    void linkEvent(LinkEvent event, std::uint32_t value) override {
        m_log.note("event " + std::to_string(int(event)) + " " + std::to_string(value));
    }
    void uploadStarted(const UploadEntry& entry) override { m_log.note("upload " + entry.name); }
    void uploadComplete(const std::string& path) override {
        completed = true;
        m_log.note("uploaded " + path);
    }
    void connectFinished(bool accepted) override {
        m_log.note("connected " + std::to_string(accepted));
    }
    void disconnectFinished(bool answered) override {
        disconnects.push_back(answered);
        m_log.note("disconnected " + std::to_string(answered));
    }
    void fileListFinished(const std::optional<std::string>& text) override {
        list = text;
        m_log.note(text ? "listed " + std::to_string(text->size()) : "list failed");
    }

    LinkError failure = LinkError::None;
    std::uint64_t progress = 0;
    bool completed = false;
    std::vector<bool> disconnects;
    std::optional<std::string> list;

private:
    Transcript& m_log;
};

// Starts sending on an accepted write and receiving on an accepted read.
class LoggingHandler final : public LinkTransferHandler {
public:
    explicit LoggingHandler(Transcript& log) : m_log(log) {}
    void sendNextFile(LinkEngine&) override {
        ++sendNext;
        m_log.note("send next");
    }
    void receiveNextFile(LinkEngine&) override {
        ++receiveNext;
        m_log.note("receive next");
    }
    void fileAccepted(LinkEngine& engine, std::uint8_t subCode,
                      std::span<const std::uint8_t>) override {
        ++accepted;
        m_log.note("accepted " + std::to_string(subCode));
        if (subCode == 1) engine.startSendingFile();
        if (subCode == 2) engine.startReceivingFile();
    }
    void fileExists(LinkEngine&) override {
        ++exists;
        m_log.note("exists");
    }
    void resumeOffered(LinkEngine& engine) override { resume(engine, "resume offered"); }
    void resumeAsked(LinkEngine& engine) override { resume(engine, "resume asked"); }
    std::optional<UploadEntry> uploadOffered(std::span<const std::uint8_t> header) override {
        m_log.note("offered" + hex(header));
        return upload;
    }

    std::optional<UploadEntry> upload;
    bool refuseResume = false;
    int sendNext = 0;
    int receiveNext = 0;
    int accepted = 0;
    int exists = 0;

private:
    void resume(LinkEngine& engine, const char* what) {
        m_log.note(what);
        if (refuseResume) engine.raiseError(LinkError::UnknownAnswer);
    }
    Transcript& m_log;
};

class LinkRun {
protected:
    // Moves the clock one timer period on.
    void tick() {
        m_clock.now += LinkEngine::kTickMs;
        m_engine.onTick();
    }
    void flushEngine() {
        while (m_pc.delivered < m_pc.queued.size())
            m_log.note(">" + hex(m_pc.queued[m_pc.delivered++]));
    }
    void feed(const Bytes& bytes) {
        m_log.note("<" + hex(bytes));
        m_engine.onBytes(bytes);
    }
    void noteState() {
        if (m_engine.state() == m_state) return;
        m_state = m_engine.state();
        m_log.note("state " + std::to_string(int(m_state)));
    }
    void noteFile() {
        m_log.note("file written" + hex(m_file.written) + ", closed " +
                   std::to_string(m_file.closes) + ", progress " +
                   std::to_string(m_listener.progress));
    }

    FakeClock m_clock;
    Transcript m_log{m_clock};
    LineEnd m_pc{m_log};
    LoggingListener m_listener{m_log};
    FakeFile m_file;
    LoggingHandler m_handler{m_log};
    LinkEngine m_engine{m_clock, m_pc, m_listener, m_file, m_handler};
    LinkEngineTestSeam m_seam{m_engine};
    LinkState m_state = LinkState::Idle;
};

// One step of a script: what the PC side does or what the controller sends.
struct Step {
    enum class Op {
        Connect,  // the handshake, answered
        Open,     // connect() alone
        Command,  // the engine sends a command
        In,       // a controller frame; sequence kCurrent: the engine's own number
        Raw,      // bytes as they come
        Wait,     // milliseconds of timer periods
        Send,     // a write of `size` bytes, accepted
        Receive,  // startReceivingFile()
        Reply,    // a reply of the engine outside any answer
        TakeControl,
        List,
        Disconnect,
        Raise,  // the transfer side raises an error
        ReadFails,
        WriteFails,
        SinkFails,
        RefuseResume,
    };
    Op op;
    Command command = Command::Data;
    std::uint8_t subCode = 0;
    Bytes data = {};
    int sequence = kCurrent;
    std::uint32_t size = 0;
    int times = 1;

    static constexpr int kCurrent = -1;
};

using Op = Step::Op;

Step in(Command command, std::uint8_t subCode, Bytes data = {}, int sequence = Step::kCurrent) {
    return {Op::In, command, subCode, std::move(data), sequence};
}
Step inAt(int sequence, Command command, std::uint8_t subCode, Bytes data = {}) {
    return in(command, subCode, std::move(data), sequence);
}
Step raw(Bytes bytes, int times = 1) {
    return {Op::Raw, Command::Data, 0, std::move(bytes), 0, 0, times};
}
Step wait(std::uint32_t ms) {
    return {Op::Wait, Command::Data, 0, {}, 0, ms};
}
Step command(Command command, std::uint8_t subCode, Bytes data = {}) {
    return {Op::Command, command, subCode, std::move(data)};
}
Step sending(std::uint32_t size) {
    return {Op::Send, Command::File, 1, {}, 0, size};
}
Step raise(LinkError error) {
    return {Op::Raise, Command::Data, 0, {}, 0, static_cast<std::uint32_t>(error)};
}
Step op(Op o) {
    return {o};
}

Bytes damaged(Bytes bytes, std::size_t at, std::uint8_t mask) {
    bytes[at] ^= mask;
    return bytes;
}

struct Script {
    const char* name;
    std::vector<Step> steps;
};

class LinkScript : public LinkRun, public ::testing::TestWithParam<Script> {
protected:
    void play(const Step& s) {
        switch (s.op) {
            case Op::Connect:
                m_engine.connect();
                flushEngine();
                feed(Bytes(3, 0x55));
                break;
            case Op::Open:
                m_engine.connect();
                break;
            case Op::Command:
                m_engine.sendCommand(s.command, s.subCode, s.data);
                break;
            case Op::In: {
                const int sequence =
                    s.sequence == Step::kCurrent ? m_seam.transmitSequence() : s.sequence;
                feed(frame(static_cast<std::uint8_t>(sequence), s.command, s.subCode, s.data));
                break;
            }
            case Op::Raw:
                for (int i = 0; i < s.times; ++i) {
                    feed(s.data);
                    flushEngine();
                }
                break;
            case Op::Wait:
                m_log.note("wait " + std::to_string(s.size));
                for (std::uint32_t done = 0; done < s.size; done += LinkEngine::kTickMs) {
                    tick();
                    flushEngine();
                    noteState();
                }
                break;
            case Op::Send:
                m_file.content = patterned(s.size);
                m_engine.sendCommand(Command::File, 1, header("ParaB.par", s.size));
                flushEngine();
                play(in(Command::FileReply, 0));
                break;
            case Op::Receive:
                m_engine.startReceivingFile();
                break;
            case Op::Reply:
                m_seam.sendReply(s.command, s.subCode);
                break;
            case Op::TakeControl:
                m_engine.takeControl();
                break;
            case Op::List:
                m_engine.requestFileList(s.subCode);
                break;
            case Op::Disconnect:
                m_engine.disconnect();
                break;
            case Op::Raise:
                m_log.note("raised action " +
                           std::to_string(int(m_engine.raiseError(LinkError(s.size)))));
                break;
            case Op::ReadFails:
                m_file.readFails = true;
                break;
            case Op::WriteFails:
                m_file.writeFails = true;
                break;
            case Op::SinkFails:
                m_pc.failWrites = true;
                break;
            case Op::RefuseResume:
                m_handler.refuseResume = true;
                break;
        }
        flushEngine();
        noteState();
    }
};

TEST_P(LinkScript, TranscriptIsGolden) {
    m_clock.now = kStart;
    for (const Step& s : GetParam().steps)
        play(s);
    noteFile();
    m_log.expectGolden(std::string("script_") + GetParam().name);
}

using C = Command;
const Bytes kHeader = header("ParaB.par", 1000);
const Bytes kDamagedHeader = damaged(frame(1, C::ListReply, 0, {0, 3}), 6, 0xFF);
const Bytes kDamagedCrc = damaged(frame(1, C::ListReply, 0, {0, 3}), 10, 0x01);
const Bytes kOversized = [] {
    Bytes header{0x12, 0x01, 0x00, 0x00, 0x10, 0x00};
    header.push_back(LinkFrame::headerSum(header));
    return header;
}();

INSTANTIATE_TEST_SUITE_P(
    Engine, LinkScript,
    ::testing::Values(
        // A split accept is not taken; the fifth request gives up.
        Script{"ConnectGivesUp", {op(Op::Open), raw({0x55, 0x55}), raw({0x55}), wait(2400)}},
        // The controller opens with a whole request; either side ends the link.
        Script{"ControllerOpens",
               {raw({0xAA, 0xAA}), raw({0xAA}), raw({0xAA, 0xAA, 0xAA}), op(Op::Disconnect),
                raw({0xAA, 0xAA, 0xAA}), inAt(0, C::Disconnect, 0)}},
        Script{"RolesFollowControl",
               {op(Op::Connect), op(Op::TakeControl), in(C::ControlReply, 0),
                inAt(7, C::Control, 4), inAt(9, C::Probe, 0), inAt(10, C::Control, 3)}},
        // Nine damaged frames are asked for again; the tenth breaks the link.
        Script{"DamagedHeaders", {op(Op::Connect), command(C::List, 1), raw(kDamagedHeader, 10)}},
        Script{"DamagedCrcs", {op(Op::Connect), command(C::List, 1), raw(kDamagedCrc, 10)}},
        Script{
            "ProgressRestartsTheErrorCount",
            {op(Op::Connect), raw(kDamagedHeader, 9), inAt(3, C::Control, 3), raw(kDamagedHeader)}},
        Script{"NakRepeatsTheLastFrameOrProbe",
               {op(Op::Connect), command(C::File, 2, kHeader), inAt(0, C::Nak, 0), wait(5100),
                inAt(0, C::Nak, 0)}},
        Script{"OversizedFrameIsNaked", {op(Op::Connect), raw(kOversized)}},
        Script{"SilenceBringsThreeProbes",
               {op(Op::Connect), command(C::File, 2, kHeader), wait(20400)}},
        Script{"ProbeAnswersWithoutProgressGiveUp",
               {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 1), wait(5100),
                in(C::Status, 1), wait(5100), in(C::Status, 1), wait(5100)}},
        // A busy answer without its wait time keeps the running time-out.
        Script{"BusyWithoutWaitTime",
               {op(Op::Connect), command(C::List, 1), inAt(1, C::Control, 1), wait(5100)}},
        Script{"BusyWaitTime",
               {op(Op::Connect), command(C::List, 1), inAt(1, C::Control, 1),
                inAt(1, C::Control, 1, {0x00, 0x00, 0x4E, 0x20}), wait(20100)}},
        Script{"ProbeAnswerRepeatsAWaitingCommand",
               {op(Op::Connect),
                command(C::List, 1),
                wait(5100),
                inAt(2, C::Status, 0),
                in(C::Status, 0),
                in(C::ListReply, 0, {0, 0}),
                {Op::Reply, C::Ack, 0},
                wait(5100),
                in(C::Status, 0),
                wait(20000)}},
        Script{"RefusedCreate",
               {op(Op::Connect), command(C::File, 1, kHeader), in(C::FileReply, 6)}},
        Script{"RefusedDncWrite",
               {op(Op::Connect), command(C::File, 1, kHeader), in(C::ControlReply, 9)}},
        Script{"UnknownFileReply",
               {op(Op::Connect), command(C::File, 1, kHeader), in(C::FileReply, 0x20)}},
        Script{"Forbidden", {op(Op::Connect), sending(2000), in(C::Ack, 0x10)}},
        Script{"UnknownFormat", {op(Op::Connect), sending(2000), in(C::Ack, 0x11)}},
        Script{"UnknownAck", {op(Op::Connect), sending(2000), in(C::Ack, 0x30)}},
        Script{"DataWhileSending", {op(Op::Connect), sending(2000), in(C::Data, 2)}},
        Script{"ClosedByController", {op(Op::Connect), sending(2000), in(C::Disconnect, 0)}},
        Script{"EmptyAndUnreadableFiles",
               {op(Op::Connect), sending(0), op(Op::ReadFails), sending(100)}},
        Script{"TimeoutWaitingForReady",
               {op(Op::Connect), sending(1000), inAt(1, C::Ack, 5), wait(5100)}},
        Script{"ProbeHandled", {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 0)}},
        Script{"ProbeNotReceived", {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 1)}},
        Script{"ProbeHeaderError", {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 2)}},
        Script{"ProbeDataError", {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 3)}},
        Script{"ProbeBusyOverContinue",
               {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 6)}},
        Script{"ProbeBusyOverRepeat",
               {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 7)}},
        Script{"ProbeBusyResumesWhenReady",
               {op(Op::Connect), sending(1000), wait(5100), in(C::Status, 4),
                in(C::ControlReply, 0x12)}},
        Script{"DamagedPieceRepeatedAndOutOfSequence",
               {op(Op::Connect), op(Op::Receive),
                raw(damaged(frame(1, C::Data, 0, patterned(10)), 9, 0x40)),
                inAt(1, C::Data, 0, patterned(10)), inAt(3, C::Data, 2, patterned(10))}},
        // The last piece of the file before, repeated, looks like the first
        // piece of the next one: without the acceptance, no piece is taken.
        Script{"PieceBeforeTheAcceptanceIsNotTaken",
               {op(Op::Connect), command(C::File, 2, kHeader), inAt(1, C::Data, 1, patterned(4)),
                in(C::FileReply, 0), inAt(1, C::Data, 1, patterned(4, 2))}},
        // Numbering starts over with every file: late repeats of the read
        // before and of its last piece are not taken for the next read.
        Script{
            "LateRepeatsOfTheReadBefore",
            {op(Op::Connect), command(C::File, 2, kHeader), inAt(1, C::FileReply, 0),
             inAt(1, C::Data, 1, patterned(4)), command(C::File, 2, kHeader),
             inAt(1, C::FileReply, 0), inAt(1, C::Data, 1, patterned(4)), inAt(2, C::FileReply, 0),
             inAt(2, C::FileReply, 0), inAt(1, C::Data, 1, patterned(4, 2))}},
        Script{"PieceNotWrittenIsNotAcknowledged",
               {op(Op::Connect), op(Op::Receive), op(Op::WriteFails),
                inAt(1, C::Data, 0, patterned(10))}},
        // An answer for an area that does not exist is no answer to the list.
        Script{"ListWithoutAnswerFails",
               {op(Op::Connect),
                {Op::List, C::List, 7},
                in(C::ListReply, 0, {0x00, 0x02}),
                wait(8100)}},
        Script{"UnansweredDisconnect", {op(Op::Connect), op(Op::Disconnect), wait(9300)}},
        // "Exists" only answers a write.
        Script{"FileAnswersGoToTheTransferSide",
               {op(Op::Connect), command(C::File, 7, kHeader), inAt(1, C::FileReply, 1),
                inAt(1, C::FileReply, 0, {0x01}), command(C::File, 1, kHeader),
                inAt(2, C::FileReply, 1)}},
        Script{"ResumeOfferedAndAsked",
               {op(Op::Connect), sending(1000), inAt(1, C::Ack, 8), command(C::File, 7, kHeader),
                wait(5100), in(C::Status, 0x10)}},
        Script{
            "ResumeOfferRefused",
            {op(Op::Connect), op(Op::RefuseResume), sending(1000), inAt(1, C::Ack, 8), wait(5100)}},
        Script{"ResumeQuestionRefused",
               {op(Op::Connect), op(Op::RefuseResume), sending(1000), wait(5100),
                in(C::Status, 0x10), wait(5100)}},
        // The last acknowledgement and a refusal in one chunk: the next file
        // already scheduled is dropped.
        Script{"AbortDropsTheNextFile",
               {op(Op::Connect), sending(10),
                raw(join({frame(1, C::Ack, 0), frame(1, C::FileReply, 3)}))}},
        Script{"ChunkThatDoesNotFit",
               {op(Op::Connect), raw(Bytes(LinkFrameParser::kCapacity + 1, 0x12)),
                inAt(1, C::Control, 3)}},
        Script{"ProgramRefusals",
               {op(Op::Connect), sending(1000), raise(LinkError::ProgramFormat), wait(5100),
                sending(1000), raise(LinkError::ProgramTooLong), wait(5100)}},
        Script{"CommandThatCannotBeQueued",
               {op(Op::Connect), op(Op::SinkFails), command(C::List, 1), wait(5100)}}),
    [](const auto& info) { return std::string(info.param.name); });

class LinkEngineTest : public LinkRun, public ::testing::Test {};

TEST_F(LinkEngineTest, TransmitSequenceSkipsZeroAndDisconnectCarriesZero) {
    m_engine.connect();
    m_engine.onBytes(Bytes(3, 0x55));
    for (int i = 1; i <= 256; ++i) {
        ASSERT_TRUE(m_engine.sendCommand(Command::List, 1));
        EXPECT_EQ(m_pc.queued.back()[1], i == 256 ? 1 : i);
    }
    m_engine.sendCommand(Command::Disconnect, 0);
    EXPECT_EQ(m_pc.queued.back(), frame(0, Command::Disconnect, 0));
    m_engine.sendCommand(Command::List, 1);
    EXPECT_EQ(m_pc.queued.back()[1], 1);
}

// One fault on the line: the n-th frame of a kind, in one direction.
struct LineFault {
    enum class Kind { Drop, Header, Crc, Twice };
    bool toController;
    std::uint8_t command;  // kAcceptKind for the handshake answer
    int occurrence;        // from 1
    Kind kind;
};

constexpr std::uint8_t kAcceptKind = 0x55;

enum class Action { Send, Receive, Delete, List, Upload };

struct Scenario {
    const char* name;
    Action action;
    std::size_t size = 1300;  // three pieces
    std::vector<LineFault> faults = {};
    LinkError failure = LinkError::None;  // the error that ends the transfer
    sim::SimOptions options = {};
    bool onController = false;  // the file is there already
    bool storeUpload = true;
};

// Against the stand-in controller, over a line that hits chosen frames: every
// run must end with the file where it belongs (or in the controller's
// refusal) and an answered disconnect.
class LinkScenario : public LinkRun, public ::testing::TestWithParam<Scenario> {
protected:
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::vector<Bytes> carry(bool toController, const Bytes& bytes) {
        const bool accept = bytes == Bytes(3, 0x55);
        const std::uint8_t kind = accept ? kAcceptKind : bytes.size() >= 7 ? bytes[2] : 0;
        const int seen = ++m_seen[{toController, kind}];
        for (const LineFault& f : GetParam().faults) {
            if (f.toController != toController || f.command != kind || f.occurrence != seen)
                continue;
            ++m_fired;
            switch (f.kind) {
                case LineFault::Kind::Drop:
                    return {};
                case LineFault::Kind::Header:
                    return {damaged(bytes, accept ? 2 : 1, 0x04)};
                case LineFault::Kind::Crc:
                    return {damaged(bytes, bytes.size() - 1, 0x10)};
                case LineFault::Kind::Twice:
                    return {bytes, bytes};
            }
        }
        return {bytes};
    }
    void deliver(bool toController, const Bytes& bytes) {
        const std::vector<Bytes> hits = carry(toController, bytes);
        if (hits.empty()) m_log.note(toController ? "> lost" : "< lost");
        for (const Bytes& hit : hits) {
            m_log.note((toController ? ">" : "<") + hex(hit));
            if (toController)
                m_cnc.receive(hit);
            else
                m_engine.onBytes(hit);
        }
    }
    // Runs the line in timer periods until `done`, a minute at most.
    bool runUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 200; ++i) {
            while (m_pc.delivered < m_pc.queued.size() ||
                   m_cncEnd.delivered < m_cncEnd.queued.size()) {
                while (m_pc.delivered < m_pc.queued.size())
                    deliver(true, m_pc.queued[m_pc.delivered++]);
                while (m_cncEnd.delivered < m_cncEnd.queued.size())
                    deliver(false, m_cncEnd.queued[m_cncEnd.delivered++]);
            }
            if (done()) return true;
            tick();
            m_cnc.tick(m_clock.now);
        }
        return false;
    }

    std::filesystem::path m_folder = testFolder("kelcc_scenario_");
    sim::SimStorage m_storage{m_folder};
    LineEnd m_cncEnd{m_log};
    sim::SimController m_cnc{m_storage, GetParam().options, m_cncEnd};
    std::map<std::pair<bool, std::uint8_t>, int> m_seen;
    std::size_t m_fired = 0;
};

TEST_P(LinkScenario, EndsAsExpectedWithTheGoldenTranscript) {
    const Scenario& s = GetParam();
    const Bytes content = patterned(s.size);
    const std::uint8_t area = FileEntry::kConfigArea;
    const bool failing = s.failure != LinkError::None;
    const bool held = s.action == Action::Receive || s.action == Action::Delete;
    if (s.onController || (held && !failing)) {
        ASSERT_TRUE(m_storage.write(area, "ParaB.par", patterned(s.size / 2)));
    }
    // A list text of two pieces, or none.
    for (int i = 0; s.action == Action::List && s.size > 0 && i < 40; ++i)
        ASSERT_TRUE(m_storage.write(area, "F" + std::to_string(10 + i) + ".par", content));
    m_clock.now = kStart;
    m_cnc.tick(m_clock.now);
    m_engine.connect();
    ASSERT_TRUE(runUntil([this] { return m_engine.state() == LinkState::Ready; }));

    std::function<bool()> done;
    switch (s.action) {
        case Action::Send:
            m_file.content = content;
            m_engine.sendCommand(Command::File, 1, header("ParaB.par", s.size));
            done = [&] { return m_handler.sendNext == 1 || m_handler.exists == 1; };
            break;
        case Action::Receive:
            m_engine.sendCommand(Command::File, 2, header("ParaB.par", 0));
            done = [&] { return m_handler.receiveNext == 1; };
            break;
        case Action::Delete:
            m_engine.sendCommand(Command::File, 4, header("ParaB.par", 0));
            done = [&] { return m_handler.accepted == 1; };
            break;
        case Action::List:
            m_engine.requestFileList(area);
            done = [&] { return m_listener.list.has_value(); };
            break;
        case Action::Upload:
            if (s.storeUpload) m_handler.upload = UploadEntry{"up.txt", "/tmp/up.txt", 1300};
            ASSERT_TRUE(m_cnc.planUpload("up.txt", content));
            done = [&] { return m_cnc.uploadFinished() && m_engine.state() == LinkState::Ready; };
            break;
    }
    EXPECT_TRUE(runUntil([&] { return failing ? m_listener.failure != LinkError::None : done(); }));
    EXPECT_EQ(m_listener.failure, s.failure);
    if (!failing) {
        switch (s.action) {
            case Action::Send:
                EXPECT_EQ(m_storage.read(area, "ParaB.par"),
                          s.onController ? patterned(s.size / 2) : content);
                break;
            case Action::Receive:
                EXPECT_EQ(m_file.written, patterned(s.size / 2));
                break;
            case Action::Delete:
                EXPECT_FALSE(m_storage.exists(area, "ParaB.par"));
                break;
            case Action::List:
                EXPECT_EQ(m_listener.list, FileList::format(m_storage.list(area)));
                break;
            case Action::Upload:
                EXPECT_EQ(m_file.written, s.storeUpload ? content : Bytes{});
                EXPECT_EQ(m_listener.completed, s.storeUpload);
                break;
        }
    }
    m_engine.disconnect();
    ASSERT_TRUE(runUntil([this] { return !m_listener.disconnects.empty(); }));
    EXPECT_EQ(m_listener.disconnects, std::vector<bool>{true});
    EXPECT_EQ(m_fired, s.faults.size());
    m_log.expectGolden(s.name);
}

sim::SimOptions busy() {
    sim::SimOptions options;
    options.busyMs = 3000;
    return options;
}
sim::SimOptions full() {
    sim::SimOptions options;
    options.storageFull = true;
    return options;
}
sim::SimOptions refusing() {
    sim::SimOptions options;
    options.refuseWrite = true;
    return options;
}

using K = LineFault::Kind;
constexpr std::uint8_t kData = 0x00;
constexpr std::uint8_t kAck = 0x10;
constexpr std::uint8_t kStatus = 0x30;
constexpr std::uint8_t kDisconnectReply = 0x41;
constexpr std::uint8_t kNak = 0x50;
constexpr std::uint8_t kFileReply = 0x72;

// Every single fault must still end in a complete transfer without a
// failure; the refusals of the controller end in their error.
INSTANTIATE_TEST_SUITE_P(
    Runs, LinkScenario,
    ::testing::Values(
        Scenario{"Send", Action::Send}, Scenario{"SendEmpty", Action::Send, 0},
        Scenario{"SendWithBusyPeriods", Action::Send, 6000, {}, LinkError::None, busy()},
        Scenario{"SendExisting", Action::Send, 1300, {}, LinkError::None, {}, true},
        Scenario{"SendStorageFull", Action::Send, 1300, {}, LinkError::StorageFull, full()},
        Scenario{"SendRefused", Action::Send, 1300, {}, LinkError::NoPermission, refusing()},
        Scenario{"Receive", Action::Receive}, Scenario{"ReceiveEmpty", Action::Receive, 0},
        Scenario{"ReceiveMissing", Action::Receive, 0, {}, LinkError::NoSuchFile},
        Scenario{"Delete", Action::Delete}, Scenario{"List", Action::List, 200},
        Scenario{"ListEmpty", Action::List, 0}, Scenario{"Upload", Action::Upload},
        Scenario{
            "UploadNotStored", Action::Upload, 1300, {}, LinkError::FileCreate, {}, false, false},
        Scenario{"LostAcknowledgement", Action::Send, 1300, {{false, kAck, 2, K::Drop}}},
        Scenario{"DamagedHeader", Action::Send, 1300, {{true, kData, 2, K::Header}}},
        Scenario{"DamagedDataCrc", Action::Send, 1300, {{true, kData, 2, K::Crc}}},
        Scenario{"LostProbeAnswer",
                 Action::Send,
                 1300,
                 {{false, kAck, 2, K::Drop}, {false, kStatus, 1, K::Drop}}},
        Scenario{
            "LostDisconnectReply", Action::Send, 1300, {{false, kDisconnectReply, 1, K::Drop}}},
        Scenario{"DamagedAccept", Action::Send, 1300, {{false, kAcceptKind, 1, K::Header}}},
        Scenario{"DamagedNegativeAcknowledgement",
                 Action::Send,
                 1300,
                 {{true, kData, 2, K::Header}, {false, kNak, 1, K::Header}}},
        Scenario{"LostFileReply", Action::Send, 1300, {{false, kFileReply, 1, K::Drop}}},
        Scenario{"ReceiveLostAcknowledgement", Action::Receive, 2600, {{true, kAck, 2, K::Drop}}},
        Scenario{
            "ReceiveDamagedAcknowledgement", Action::Receive, 2600, {{true, kAck, 1, K::Header}}},
        Scenario{"ReceiveDamagedPiece", Action::Receive, 2600, {{false, kData, 2, K::Crc}}},
        Scenario{"ReceiveRepeatedPiece", Action::Receive, 2600, {{false, kData, 2, K::Twice}}},
        Scenario{"ReceiveLostFileReply", Action::Receive, 2600, {{false, kFileReply, 1, K::Drop}}},
        Scenario{"ReceiveLostFirstPiece", Action::Receive, 2600, {{false, kData, 1, K::Drop}}},
        Scenario{
            "ReceiveLostLastAcknowledgement", Action::Receive, 2600, {{true, kAck, 3, K::Drop}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelcc::core::comm
