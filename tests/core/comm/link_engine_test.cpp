#include "comm/link_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "../common/temp_folder.h"
#include "comm/file_header.h"
#include "comm/file_list.h"
#include "comm/link_clock.h"
#include "comm/link_transfer_file.h"
#include "link_engine_test_seam.h"
#include "sim_controller.h"
#include "sim_storage.h"

// The engine is run from scripts of the controller's frames
// (link_runs/scripts.txt) and against the stand-in controller's library,
// in-process (link_runs/scenarios.txt). A run's transcript (the bytes
// each way, the engine's states, read sizes and reports, each with its time)
// must equal its golden file under link_runs/: the wire bytes and the
// reactions of both ends are pinned. KELCC_UPDATE_GOLDEN=1 writes them anew.
namespace kelcc::core::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint32_t kStart = 0xFFFFF000;  // near the wrap: elapsed times must be unsigned

class FakeClock final : public LinkClock {
public:
    std::uint32_t nowMs() const override { return now; }
    std::uint32_t now = kStart;
};

// The file being sent or received, in memory.
class FakeFile final : public LinkTransferFile {
public:
    Piece readPiece(std::span<std::uint8_t> buffer) override {
        const std::size_t count = std::min(content.size() - position, buffer.size());
        if (readFails) return {ReadResult::Error, 0};
        if (count == 0) return {ReadResult::Nothing, 0};
        std::copy_n(content.begin() + static_cast<std::ptrdiff_t>(position), count, buffer.begin());
        position += count;
        return {position == content.size() ? ReadResult::Last : ReadResult::More, count};
    }
    bool writePiece(std::span<const std::uint8_t> data) override {
        if (!writeFails) written.insert(written.end(), data.begin(), data.end());
        return !writeFails;
    }
    void close() override { ++closes; }

    Bytes content, written;
    std::size_t position = 0;
    bool readFails = false, writeFails = false;
    int closes = 0;
};

Bytes patterned(std::size_t size, std::uint8_t seed = 7) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return data;
}

Bytes frame(std::uint8_t sequence, Command command, std::uint8_t subCode, Bytes data = {}) {
    return LinkFrame::encode(Frame{sequence, static_cast<std::uint8_t>(command), subCode, data});
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

const std::map<std::string, Command> kCommands = {{"Data", Command::Data},
                                                  {"Ack", Command::Ack},
                                                  {"Probe", Command::Probe},
                                                  {"Status", Command::Status},
                                                  {"Disconnect", Command::Disconnect},
                                                  {"Nak", Command::Nak},
                                                  {"List", Command::List},
                                                  {"ListReply", Command::ListReply},
                                                  {"File", Command::File},
                                                  {"FileReply", Command::FileReply},
                                                  {"Control", Command::Control},
                                                  {"ControlReply", Command::ControlReply}};

int hexOf(const std::string& word) {
    return std::stoi(word, nullptr, 16);
}

// The rest of a step as bytes (see the head of link_runs/scripts.txt).
Bytes bytesOf(std::istream& words) {
    Bytes out;
    for (std::string word; words >> word;) {
        Bytes part;
        unsigned size = 0, value = 7;
        if (word == "header")
            part = header("ParaB.par", 1000);
        else if (std::sscanf(word.c_str(), "pattern:%u:%u", &size, &value) >= 1)
            part = patterned(size, static_cast<std::uint8_t>(value));
        else if (std::sscanf(word.c_str(), "fill:%u:%x", &size, &value) == 2)
            part = Bytes(size, static_cast<std::uint8_t>(value));
        else
            part = {static_cast<std::uint8_t>(hexOf(word))};
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::pair<Command, std::uint8_t> commandOf(std::istream& words) {
    std::string name, sub;
    words >> name >> sub;
    return {kCommands.at(name), static_cast<std::uint8_t>(hexOf(sub))};
}

struct Script {
    std::string name;
    std::string steps;
};

std::vector<Script> scripts() {
    std::vector<Script> out;
    std::ifstream in(std::filesystem::path(KELCC_LINK_GOLDEN_DIR) / "scripts.txt");
    for (std::string line; std::getline(in, line);) {
        const std::size_t colon = line.find(':');
        if (!line.empty() && line[0] != '#')
            out.push_back({line.substr(0, colon), line.substr(colon + 1)});
    }
    return out;
}

class LinkScript : public LinkRun, public ::testing::TestWithParam<Script> {
protected:
    void feedFrame(int sequence, std::istream& words) {
        const auto [command, sub] = commandOf(words);
        if (sequence < 0) sequence = m_seam.transmitSequence();
        feed(frame(static_cast<std::uint8_t>(sequence), command, sub, bytesOf(words)));
    }
    void play(const std::string& step) {
        std::istringstream words(step);
        std::string op;
        std::uint32_t number = 0;
        words >> op;
        if (op == "connect") {
            m_engine.connect();
            flushEngine();
            feed(Bytes(3, 0x55));
        } else if (op == "open") {
            m_engine.connect();
        } else if (op == "cmd") {
            const auto [command, sub] = commandOf(words);
            m_engine.sendCommand(command, sub, bytesOf(words));
        } else if (op == "in" || op.starts_with("in@")) {
            feedFrame(op == "in" ? -1 : hexOf(op.substr(3)), words);
        } else if (op == "raw") {
            int times = 1;
            if ((words >> std::ws).peek() == 'x') (words.ignore() >> times);
            const Bytes bytes = bytesOf(words);
            for (int i = 0; i < times; ++i) {
                feed(bytes);
                flushEngine();
            }
        } else if (op == "wait" && words >> number) {
            m_log.note("wait " + std::to_string(number));
            for (std::uint32_t done = 0; done < number; done += LinkEngine::kTickMs) {
                tick();
                flushEngine();
                noteState();
            }
        } else if (op == "send" && words >> number) {
            m_file.content = patterned(number);
            m_engine.sendCommand(Command::File, 1, header("ParaB.par", number));
            flushEngine();
            std::istringstream reply("FileReply 0");
            feedFrame(-1, reply);
        } else if (op == "receive") {
            m_engine.startReceivingFile();
        } else if (op == "reply") {
            const auto [command, sub] = commandOf(words);
            m_seam.sendReply(command, sub);
        } else if (op == "take-control") {
            m_engine.takeControl();
        } else if (op == "list" && words >> number) {
            m_engine.requestFileList(static_cast<std::uint8_t>(number));
        } else if (op == "disconnect") {
            m_engine.disconnect();
        } else if (op == "raise" && words >> number) {
            m_log.note("raised action " +
                       std::to_string(int(m_engine.raiseError(LinkError(number)))));
        } else if (op == "read-fails" || op == "write-fails") {
            (op == "read-fails" ? m_file.readFails : m_file.writeFails) = true;
        } else if (op == "sink-fails") {
            m_pc.failWrites = true;
        } else {
            ASSERT_EQ(op, "refuse-resume") << step;
            m_handler.refuseResume = true;
        }
        flushEngine();
        noteState();
    }
};

TEST_P(LinkScript, TranscriptIsGolden) {
    m_clock.now = kStart;
    std::istringstream steps(GetParam().steps);
    for (std::string step; std::getline(steps, step, ';');)
        ASSERT_NO_FATAL_FAILURE(play(step));
    noteFile();
    m_log.expectGolden("script_" + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Engine, LinkScript, ::testing::ValuesIn(scripts()),
                         [](const auto& info) { return info.param.name; });

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
    bool toController;
    unsigned command;  // kAcceptKind for the handshake answer
    int occurrence;    // from 1
    std::string kind;  // drop, header, crc or twice
};

constexpr std::uint8_t kAcceptKind = 0x55;

enum class Action { Send, Receive, Delete, List, Upload };
const std::vector<std::string> kActions = {"send", "receive", "delete", "list", "upload"};

struct Scenario {
    std::string name;
    Action action;
    std::size_t size = 0;
    std::vector<LineFault> faults = {};
    LinkError failure = LinkError::None;  // the error that ends the transfer
    sim::SimOptions options = {};
    bool onController = false;  // the file is there already
    bool storeUpload = true;
};

// The runs of link_runs/scenarios.txt (see its head).
std::vector<Scenario> scenarios() {
    std::vector<Scenario> out;
    std::ifstream in(std::filesystem::path(KELCC_LINK_GOLDEN_DIR) / "scenarios.txt");
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        Scenario s;
        std::string action;
        if (line.empty() || line[0] == '#' || !(words >> s.name >> action >> s.size)) continue;
        s.action = Action(std::find(kActions.begin(), kActions.end(), action) - kActions.begin());
        for (std::string word; words >> word;) {
            char how[8] = {};
            int error = 0;
            LineFault f{word[0] == '>', 0, 0, ""};
            if (std::sscanf(word.c_str() + 1, "%x@%d:%7s", &f.command, &f.occurrence, how) == 3)
                s.faults.push_back({f.toController, f.command, f.occurrence, how});
            else if (std::sscanf(word.c_str(), "fails=%d", &error) == 1)
                s.failure = LinkError(error);
            s.options.busyMs = word == "busy" ? 3000 : s.options.busyMs;
            s.options.storageFull |= word == "full";
            s.options.refuseWrite |= word == "refusing";
            s.onController |= word == "held";
            s.storeUpload &= word != "unstored";
        }
        out.push_back(s);
    }
    return out;
}

Bytes damaged(Bytes bytes, std::size_t at, std::uint8_t mask) {
    bytes[at] ^= mask;
    return bytes;
}

// Against the stand-in controller, over a line that hits chosen frames: every
// run must end with the file where it belongs (or in the controller's
// refusal) and an answered disconnect.
class LinkScenario : public LinkRun, public ::testing::TestWithParam<Scenario> {
protected:
    std::vector<Bytes> carry(bool toController, const Bytes& bytes) {
        const bool accept = bytes == Bytes(3, 0x55);
        const std::uint8_t kind = accept ? kAcceptKind : bytes.size() >= 7 ? bytes[2] : 0;
        const int seen = ++m_seen[{toController, kind}];
        for (const LineFault& f : GetParam().faults) {
            if (f.toController != toController || f.command != kind || f.occurrence != seen)
                continue;
            ++m_fired;
            if (f.kind == "drop") return {};
            if (f.kind == "header") return {damaged(bytes, accept ? 2 : 1, 0x04)};
            if (f.kind == "crc") return {damaged(bytes, bytes.size() - 1, 0x10)};
            EXPECT_EQ(f.kind, "twice");
            return {bytes, bytes};
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

    common::TempFolder m_folder{"kelcc_scenario_"};
    sim::SimStorage m_storage{m_folder.path()};
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

INSTANTIATE_TEST_SUITE_P(Runs, LinkScenario, ::testing::ValuesIn(scenarios()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kelcc::core::comm
