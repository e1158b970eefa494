#include "transfer/transfer_session.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "../common/case_file.h"
#include "../common/file_bytes.h"
#include "../common/temp_folder.h"
#include "app/project.h"
#include "pty_server.h"
#include "sim_controller.h"
#include "transfer/session_driver.h"

namespace kelcc::core::transfer {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using common::Answer;
using common::RecordingInteraction;
using test::ReadBytes;

std::string patterned(std::size_t size, char seed) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>(seed + static_cast<char>(i % 23));
    return text;
}

// A part program already in the form it is sent in, over several frames.
std::string program(std::size_t lines) {
    std::string text = "O0001\r\n";
    for (std::size_t i = 0; i < lines; ++i)
        text += "G00 X" + std::to_string(i % 100) + "\r\n";
    return text + "M30\r\n";
}

// The stand-in controller served on a pseudo-terminal by a thread of this
// process; the session drives the real serial port at the other end.
class SimLine final {
public:
    SimLine(const fs::path& storage, sim::SimOptions options)
        : m_storage(storage), m_server(options), m_controller(m_storage, options, m_server) {
        std::string error;
        m_open = m_server.open(error);
    }
    ~SimLine() {
        m_stop.store(true);
        if (m_thread.joinable()) m_thread.join();
    }
    // Until then the line is there, but nothing answers.
    void serve() {
        m_thread = std::thread([this] { m_server.serve(m_controller, m_stop); });
    }
    bool open() const { return m_open; }
    const std::string& device() const { return m_server.slavePath(); }
    sim::SimController& controller() { return m_controller; }
    void put(std::uint8_t area, const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(m_storage.write(area, name, {bytes.begin(), bytes.end()}));
    }
    std::string stored(std::uint8_t area, const std::string& name) const {
        const auto bytes = m_storage.read(area, name);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    }

private:
    sim::SimStorage m_storage;
    sim::PtyServer m_server;
    sim::SimController m_controller;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    bool m_open = false;
};

class TransferSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_dir / "tmp");
        m_host.setAutoOpen(false);
        ASSERT_TRUE(m_project.newProject([this]() -> std::optional<app::ProjectLocation> {
            return app::ProjectLocation{"demo", m_dir.string()};
        }));
        write("ParaB.par", patterned(700, 'a'));
        write("ParaW.par", patterned(1024, 'A'));
    }
    void TearDown() override {
        m_line.reset();
        m_driver.reset();
    }

    // The controller and the driver; serve is false for a silent controller.
    void start(sim::SimOptions options = {}, bool serve = true) {
        options.storage = (m_dir / "cnc").string();
        m_line = std::make_unique<SimLine>(m_dir / "cnc", options);
        ASSERT_TRUE(m_line->open());
        if (serve) m_line->serve();
        comm::PortPaths paths;
        paths.setPath(1, m_line->device());
        m_driver =
            std::make_unique<SessionDriver>(paths, m_ui, m_project, (m_dir / "tmp").string());
        m_driver->setLine(1, 115200, paths);
        TransferSession::Callbacks callbacks;
        callbacks.uploadReceived = [this](const std::string& p) { m_uploads.push_back(p); };
        m_driver->setCallbacks(callbacks);
    }
    TransferSession& session() { return m_driver->session(); }

    // Runs the line until `done`. Once nothing answers, `ahead` runs the
    // session's clock ahead so the engine's time-outs come at once.
    bool until(const std::function<bool()>& done, bool ahead = false) {
        for (int step = 0; step < 300; ++step) {
            if (m_driver->runUntil(done, 100ms)) return true;
            if (ahead) m_driver->skipTime(1s);
        }
        return done();
    }
    void connect() {
        ASSERT_EQ(m_driver->connect(10s), SessionDriver::Connected::Yes);
        m_seen = m_ui.messages().size();
    }
    // The messages since the connection was confirmed.
    std::vector<RecordingInteraction::Message> shown() const {
        const auto& all = m_ui.messages();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(m_seen, all.size())), all.end()};
    }
    fs::path folder() const { return m_dir / "demo"; }
    void write(const std::string& name, const std::string& bytes) {
        test::WriteBytes(folder() / name, bytes);
    }
    SessionList::SendSelection programSelection(const std::string& name, const std::string& text) {
        write(name + ".cnc", text);
        m_project.tree().findOrAddProgram(name);
        SessionList::SendSelection selection;
        selection.programs = {name};
        return selection;
    }
    static SessionList::SendSelection parameters() {
        SessionList::SendSelection selection;
        selection.parameters = true;
        return selection;
    }
    // Connects, opens the send dialog and starts; false when refused.
    bool send(const SessionList::SendSelection& selection) {
        connect();
        EXPECT_TRUE(m_driver->awaitSendDialog(10s));
        return session().startSend(selection);
    }
    void offerParameters() {
        m_line->put(1, "ParaB.par", patterned(1500, 'k'));
        m_line->put(1, "ParaW.par", patterned(10, 'w'));
        connect();
        ASSERT_TRUE(m_driver->awaitReadDialog(10s));
    }
    bool receiveParameters(std::vector<comm::FileEntry> programs = {}) {
        SessionList::ReceiveSelection selection;
        selection.parameters = true;
        selection.programs = std::move(programs);
        m_ui.script({Answer::Ok});
        return session().startReceive(selection, TransferSession::SaveMode::Overwrite, {});
    }
    void expectDisconnected() {
        EXPECT_TRUE(until([&] { return !session().linkOpen(); }, true));
        EXPECT_FALSE(session().connected());
        EXPECT_FALSE(session().running());
        EXPECT_FALSE(session().view().shown);
    }

    common::TempFolder m_folder{"kelcc_transfer_"};
    const fs::path& m_dir = m_folder.path();
    RecordingInteraction m_ui;
    app::HeadlessProjectHost m_host;
    app::Project m_project{m_ui, m_host};
    std::unique_ptr<SimLine> m_line;
    std::unique_ptr<SessionDriver> m_driver;
    std::size_t m_seen = 0;
    std::vector<std::string> m_uploads;
};

TEST_F(TransferSessionTest, AMissingPortIsOnlyReportedAndASilentOneIsTriedTwiceThenClosed) {
    ASSERT_NO_FATAL_FAILURE(start({}, false));
    m_driver->setLine(1, 115200, comm::PortPaths{});
    comm::PortPaths missing;
    missing.setPath(1, (m_dir / "no-such-tty").string());
    m_driver->setLine(1, 115200, missing);
    EXPECT_EQ(m_driver->connect(10s), SessionDriver::Connected::Refused);
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].text, TransferSession::kPortBusyText);
    // A port that is there but may not be opened has its own message; this
    // file refuses writing even to root.
    const char* refusing = "/proc/sys/kernel/version";
    if (::open(refusing, O_RDWR) < 0 && errno == EACCES) {
        missing.setPath(1, refusing);
        m_driver->setLine(1, 115200, missing);
        EXPECT_EQ(m_driver->connect(10s), SessionDriver::Connected::Refused);
        EXPECT_EQ(m_ui.messages().back().text, comm::SerialPort::kPermissionDeniedText);
    }

    comm::PortPaths line;
    line.setPath(1, m_line->device());
    m_driver->setLine(1, 115200, line);
    session().connectCommand();
    ASSERT_TRUE(until([&] { return m_driver->told(TransferSession::kConnectFailedText); }, true));
    EXPECT_FALSE(session().linkOpen());
    EXPECT_FALSE(session().connected());
    EXPECT_FALSE(m_driver->told(TransferSession::kConnectedText));
}

TEST_F(TransferSessionTest, SendsTwoFilesReplacingAHeldOneAndEndsDisconnected) {
    ASSERT_NO_FATAL_FAILURE(start());
    m_line->put(1, "ParaB.par", "old");
    ASSERT_TRUE(send(parameters()));
    EXPECT_TRUE(m_driver->awaitEnd(30s));
    EXPECT_EQ(m_line->stored(1, "ParaB.par"), ReadBytes(folder() / "ParaB.par"));
    EXPECT_EQ(m_line->stored(1, "ParaW.par"), ReadBytes(folder() / "ParaW.par"));
    EXPECT_FALSE(session().deleteFirst());
    EXPECT_EQ(session().progress().sessionDone(), 1724u);
    EXPECT_EQ(session().view().group, "文件 2/2");
    expectDisconnected();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back().text, TransferSession::kAllSentText);
}

TEST_F(TransferSessionTest, ReceivesIntoStagingAndAdoptsIntoTheProject) {
    ASSERT_NO_FATAL_FAILURE(start());
    m_line->put(2, "O0001.cnc", program(3));
    m_line->put(2, "O12.cnc", "O12\r\n");
    ASSERT_NO_FATAL_FAILURE(offerParameters());
    const auto& choices = m_driver->choices();
    ASSERT_EQ(choices.programs[0].size(), 1u);  // O12 is not offered
    EXPECT_EQ(choices.programs[0][0].name, "O0001.cnc");
    EXPECT_EQ(choices.configList.size(), 2u);

    ASSERT_TRUE(receiveParameters(choices.programs[0]));
    const std::string staging = session().stagingFolder();
    expectDisconnected();
    EXPECT_EQ(shown().front().text, TransferSession::kOverwriteText);
    EXPECT_EQ(shown().back().text, TransferSession::kAllReceivedText);
    EXPECT_EQ(ReadBytes(folder() / "ParaB.par"), m_line->stored(1, "ParaB.par"));
    EXPECT_EQ(ReadBytes(folder() / "ParaW.par"), m_line->stored(1, "ParaW.par"));
    EXPECT_EQ(ReadBytes(folder() / "O0001.cnc"), program(3));
    EXPECT_FALSE(fs::exists(staging));
}

TEST_F(TransferSessionTest, UnansweredDisconnectAfterACompleteReceiveIsAWarningAndAdopts) {
    sim::SimOptions deaf;
    deaf.ignoreDisconnect = true;
    ASSERT_NO_FATAL_FAILURE(start(deaf));
    ASSERT_NO_FATAL_FAILURE(offerParameters());
    ASSERT_TRUE(receiveParameters());
    expectDisconnected();
    EXPECT_EQ(m_line->controller().disconnectsHeard(),
              static_cast<std::uint32_t>(comm::LinkEngine::kDisconnectSends));
    const auto messages = shown();
    ASSERT_EQ(messages.size(), 3u);  // the overwrite question, the warning, the end
    EXPECT_EQ(messages[1].text, TransferSession::kDisconnectUnansweredText);
    EXPECT_EQ(messages[1].icon, common::MessageIcon::Warning);
    EXPECT_EQ(messages[2].text, TransferSession::kAllReceivedText);
    EXPECT_EQ(ReadBytes(folder() / "ParaB.par"), m_line->stored(1, "ParaB.par"));
}

TEST_F(TransferSessionTest, CancelledReceiveLeavesNoPartialFile) {
    sim::SimOptions slow;
    slow.baud = 9600;
    ASSERT_NO_FATAL_FAILURE(start(slow));
    ASSERT_NO_FATAL_FAILURE(offerParameters());
    ASSERT_TRUE(receiveParameters());
    ASSERT_TRUE(until([&] { return session().progress().fileBar() > 0; }));
    const fs::path staging = session().stagingFolder();
    ASSERT_TRUE(fs::is_directory(staging));
    session().userCancel();
    expectDisconnected();
    EXPECT_EQ(shown().back().text, TransferSession::kUserCancelText);
    // The aborted session removes its staging folder with what it held.
    EXPECT_FALSE(fs::exists(staging));
    EXPECT_TRUE(fs::is_empty(m_dir / "tmp"));
    EXPECT_EQ(ReadBytes(folder() / "ParaB.par"), patterned(700, 'a'));
}

class ResumeTest : public TransferSessionTest, public ::testing::WithParamInterface<test::Case> {};

// The controller breaks the part program off; its probe answer asks for
// the resume record and the user decides how to go on.
TEST_P(ResumeTest, ControllerAsksAndTheUserDecides) {
    sim::SimOptions breaking;
    breaking.interruptAfter = 1024;
    ASSERT_NO_FATAL_FAILURE(start(breaking));
    const std::string text = program(300);
    const test::Case& c = GetParam();
    SCOPED_TRACE(c.where);
    m_ui.script({c[0] == "Yes" ? Answer::Yes : c[0] == "No" ? Answer::No : Answer::Cancel});
    ASSERT_TRUE(send(programSelection("O0001", text)));
    expectDisconnected();
    ASSERT_FALSE(shown().empty());
    EXPECT_NE(shown().front().text.find("O0001.cnc"), std::string::npos);
    if (c[1] != "sent") {
        EXPECT_EQ(shown().size(), 1u);
        EXPECT_TRUE(m_line->stored(2, "O0001.cnc").empty());
        return;
    }
    EXPECT_EQ(m_line->stored(2, "O0001.cnc"), text);
    EXPECT_EQ(shown().back().text, TransferSession::kAllSentText);
}

INSTANTIATE_TEST_SUITE_P(Answers, ResumeTest,
                         ::testing::ValuesIn(test::ReadCases("core/transfer/cases/resume.txt")),
                         [](const auto& info) { return info.param[0]; });

TEST_F(TransferSessionTest, RefusedPartProgramShowsOnlyItsOwnMessageAndKeepsTheLink) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(send(programSelection("O0002", "N10 G00\r\n")));
    EXPECT_TRUE(m_driver->awaitEnd(10s));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].caption, "格式错误");
    EXPECT_FALSE(session().running());
    EXPECT_TRUE(session().connected());
    EXPECT_TRUE(m_line->stored(2, "O0002.cnc").empty());
}

// The controller offers the file as "../../evil" first, then by its name.
TEST_F(TransferSessionTest, ControllerUploadGoesToTheTemporaryFolderUnlessItsNameIsHostile) {
    sim::SimOptions hostile;
    hostile.hostileUpload = true;
    ASSERT_NO_FATAL_FAILURE(start(hostile, false));
    ASSERT_TRUE(m_line->controller().planUpload("O0007.cnc", {'O', '7', '\r', '\n'}));
    m_line->serve();
    connect();
    ASSERT_TRUE(until([&] { return !shown().empty(); }));
    EXPECT_EQ(shown()[0].text, "读写文件错误.");
    EXPECT_TRUE(m_uploads.empty());
    ASSERT_TRUE(until([&] { return !m_uploads.empty(); }));
    for (const fs::path& near : {m_dir, m_dir.parent_path()})
        EXPECT_FALSE(fs::exists(near / "evil.tmp")) << near;
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "tmp"), {}), 1);
    ASSERT_EQ(m_uploads.size(), 1u);
    EXPECT_EQ(m_uploads[0], (m_dir / "tmp" / "O0007.cnc.tmp").string());
    EXPECT_EQ(TransferSession::uploadText(m_uploads[0]), "接收到CNC上传的文件 \"O0007.cnc\"");
    EXPECT_TRUE(session().connected());
    EXPECT_EQ(shown().size(), 1u);

    const std::string target = (m_dir / "saved.cnc").string();
    ASSERT_TRUE(TransferSession::saveUpload(m_uploads[0], target).ok);
    EXPECT_EQ(ReadBytes(target), "O7\r\n");
    EXPECT_FALSE(fs::exists(m_uploads[0]));
}

class ErrorActionTest : public TransferSessionTest,
                        public ::testing::WithParamInterface<test::Case> {};

TEST_P(ErrorActionTest, EachActionEndsOrKeepsTheSessionAsItSays) {
    const test::Case& c = GetParam();
    SCOPED_TRACE(c.where);
    const std::string& fault = c[1];
    sim::SimOptions options;
    options.checkErrorOnce = fault == "checkErrorOnce";
    options.storageFull = fault == "storageFull";
    options.disconnectOnWrite = fault == "disconnectOnWrite";
    options.neverReady = fault == "neverReady";
    if (fault == "writeAnswer30") options.writeAnswer = 0x30;
    ASSERT_NO_FATAL_FAILURE(start(options));
    ASSERT_TRUE(send(parameters()));
    if (c[0] == "Status") {
        EXPECT_TRUE(until([&] { return session().view().status == c[2]; }, true));
        EXPECT_TRUE(session().running());
        EXPECT_TRUE(session().connected());
        EXPECT_TRUE(shown().empty());
        EXPECT_EQ(m_line->controller().disconnectsHeard(), 0u);
        return;
    }
    EXPECT_TRUE(m_driver->awaitEnd(30s));
    if (c[3] == "connected") {
        EXPECT_TRUE(session().connected());
        EXPECT_EQ(session().engine().state(), comm::LinkState::Ready);
    } else {
        expectDisconnected();
    }
    ASSERT_FALSE(shown().empty());
    if (c[0] == "Continue") {
        EXPECT_EQ(session().view().retries, "1");
        EXPECT_EQ(session().view().lastError, c[2]);
        EXPECT_EQ(shown().back().text, TransferSession::kAllSentText);
    } else {
        EXPECT_EQ(shown().front().text, c[2]);
        EXPECT_FALSE(session().running());
        EXPECT_FALSE(session().view().shown);
    }
    EXPECT_EQ(m_line->controller().disconnectsHeard() > 0, c[4] == "disconnect");
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ErrorActionTest,
    ::testing::ValuesIn(test::ReadCases("core/transfer/cases/send_faults.txt")),
    [](const auto& info) { return info.param[0]; });

}  // namespace
}  // namespace kelcc::core::transfer
