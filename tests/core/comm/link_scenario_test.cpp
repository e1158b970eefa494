#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "comm/file_header.h"
#include "comm/file_list.h"
#include "comm/link_engine.h"
#include "link_fakes.h"
#include "sim_controller.h"
#include "sim_storage.h"
#include "test_folder.h"

// The engine against the stand-in controller's library, in-process, over a
// line that can hit chosen frames. A run's transcript (the bytes each way as
// delivered, the engine's read sizes and reports, each with its time) must
// equal its golden file under link_scenarios/: the wire bytes of both ends
// are pinned. Every run must also end with the file where it belongs and an
// answered disconnect. KELCC_UPDATE_GOLDEN=1 writes the golden files anew.
namespace kelcc::core::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace kelcc::core::comm::testing;

Bytes patterned(std::size_t size) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(i * 13 + 7);
    return data;
}

std::string hex(std::span<const std::uint8_t> bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (const std::uint8_t byte : bytes) {
        out += ' ';
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

// What the transcript records of one end: the chunks it writes, in order.
class LineEnd final : public LinkByteSink {
public:
    LineEnd(std::vector<std::string>& log, const FakeClock& clock) : m_log(log), m_clock(clock) {}
    bool write(std::span<const std::uint8_t> bytes) override {
        queued.emplace_back(bytes.begin(), bytes.end());
        return true;
    }
    void setReadSize(std::size_t bytes) override {
        if (bytes == m_readSize) return;
        m_readSize = bytes;
        m_log.push_back(std::to_string(m_clock.now - kStart) + " read " + std::to_string(bytes));
    }

    static constexpr std::uint32_t kStart = 0xFFFFF000;
    std::vector<Bytes> queued;
    std::size_t delivered = 0;

private:
    std::vector<std::string>& m_log;
    const FakeClock& m_clock;
    std::size_t m_readSize = LinkEngine::kFrameReadSize;
};

class LoggingListener final : public LinkListener {
public:
    LoggingListener(std::vector<std::string>& log, const FakeClock& clock)
        : m_log(log), m_clock(clock) {}
    void linkError(LinkError code, ErrorAction action, const std::string&) override {
        note("error " + std::to_string(int(code)) + " " + std::to_string(int(action)));
        if (action != ErrorAction::Continue && action != ErrorAction::StatusOnly)
            lastFailure = code;
    }
    void linkProgress(std::uint32_t, bool) override {}
    void linkEvent(LinkEvent event, std::uint32_t value) override {
        note("event " + std::to_string(int(event)) + " " + std::to_string(value));
    }
    void uploadStarted(const UploadEntry& entry) override { note("upload " + entry.name); }
    void uploadComplete(const std::string& path) override {
        completed.push_back(path);
        note("uploaded");
    }
    void connectFinished(bool accepted) override { note("connected " + std::to_string(accepted)); }
    void disconnectFinished(bool answered) override {
        disconnects.push_back(answered);
        note("disconnected " + std::to_string(answered));
    }
    void fileListFinished(const std::optional<std::string>& text) override {
        list = text;
        note("listed " + std::to_string(text.has_value()));
    }

    LinkError lastFailure = LinkError::None;
    std::vector<std::string> completed;
    std::vector<bool> disconnects;
    std::optional<std::string> list;

private:
    void note(const std::string& text) {
        m_log.push_back(std::to_string(m_clock.now - LineEnd::kStart) + " " + text);
    }
    std::vector<std::string>& m_log;
    const FakeClock& m_clock;
};

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

class LinkScenario : public ::testing::TestWithParam<Scenario> {
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
            Bytes hit = bytes;
            switch (f.kind) {
                case LineFault::Kind::Drop:
                    return {};
                case LineFault::Kind::Header:
                    hit[accept ? 2 : 1] ^= 0x04;
                    return {hit};
                case LineFault::Kind::Crc:
                    hit.back() ^= 0x10;
                    return {hit};
                case LineFault::Kind::Twice:
                    return {hit, hit};
            }
        }
        return {bytes};
    }
    void deliver(bool toController, const Bytes& bytes) {
        const std::vector<Bytes> hits = carry(toController, bytes);
        const std::string at = std::to_string(m_clock.now - LineEnd::kStart);
        if (hits.empty()) m_log.push_back(at + (toController ? " > lost" : " < lost"));
        for (const Bytes& hit : hits) {
            m_log.push_back(at + (toController ? " >" : " <") + hex(hit));
            if (toController)
                m_cnc.receive(hit);
            else
                m_engine.onBytes(hit);
        }
    }
    void pump() {
        while (m_pc.delivered < m_pc.queued.size() || m_cncEnd.delivered < m_cncEnd.queued.size()) {
            while (m_pc.delivered < m_pc.queued.size())
                deliver(true, m_pc.queued[m_pc.delivered++]);
            while (m_cncEnd.delivered < m_cncEnd.queued.size())
                deliver(false, m_cncEnd.queued[m_cncEnd.delivered++]);
        }
    }
    // Runs the line in timer periods until `done`, a minute at most.
    bool runUntil(const std::function<bool()>& done) {
        for (int tick = 0; tick < 200; ++tick) {
            pump();
            if (done()) return true;
            m_clock.now += LinkEngine::kTickMs;
            m_cnc.tick(m_clock.now);
            m_engine.onTick();
        }
        return false;
    }
    Bytes header(const std::string& name, std::uint32_t size) const {
        FileHeader header;
        header.name = name;
        header.size = header.size2 = size;
        const std::string encoded = *header.encode();
        return Bytes(encoded.begin(), encoded.end());
    }

    std::vector<std::string> m_log;
    FakeClock m_clock;
    LineEnd m_pc{m_log, m_clock};
    LoggingListener m_listener{m_log, m_clock};
    FakeFile m_file;
    FakeHandler m_handler;
    LinkEngine m_engine{m_clock, m_pc, m_listener, m_file, m_handler};
    std::filesystem::path m_folder = testFolder("kelcc_scenario_");
    sim::SimStorage m_storage{m_folder};
    LineEnd m_cncEnd{m_log, m_clock};
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
    m_handler.onAccepted = [](LinkEngine& engine, std::uint8_t subCode) {
        if (subCode == 1) engine.startSendingFile();
        if (subCode == 2) engine.startReceivingFile();
    };
    m_clock.now = LineEnd::kStart;
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
            done = [&] { return !m_handler.accepted.empty(); };
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
    EXPECT_TRUE(
        runUntil([&] { return failing ? m_listener.lastFailure != LinkError::None : done(); }));
    EXPECT_EQ(m_listener.lastFailure, s.failure);
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
                EXPECT_EQ(m_listener.completed.size(), s.storeUpload ? 1u : 0u);
                break;
        }
    }
    m_engine.disconnect();
    ASSERT_TRUE(runUntil([this] { return !m_listener.disconnects.empty(); }));
    EXPECT_EQ(m_listener.disconnects, std::vector<bool>{true});
    EXPECT_EQ(m_fired, s.faults.size());

    std::ostringstream transcript;
    for (const std::string& line : m_log)
        transcript << line << '\n';
    const std::filesystem::path golden =
        std::filesystem::path(KELCC_LINK_GOLDEN_DIR) / (std::string(s.name) + ".txt");
    if (std::getenv("KELCC_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(golden) << transcript.str();
        return;
    }
    std::ifstream in(golden);
    ASSERT_TRUE(in) << golden;
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(transcript.str(), expected.str()) << golden;
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
        Scenario{"Send", Action::Send},
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
