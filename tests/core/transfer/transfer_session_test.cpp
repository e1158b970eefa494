#include "transfer/transfer_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "../comm/fake_controller.h"
#include "../comm/link_fakes.h"
#include "../comm/test_folder.h"
#include "app/project.h"
#include "comm/serial_port.h"
#include "common/atomic_file.h"

namespace kelcc::core::transfer {
namespace {

namespace fs = std::filesystem;
using comm::testing::FakeController;
using common::Answer;
using common::RecordingInteraction;
using Bytes = std::vector<std::uint8_t>;

class FakePort final : public TransferPort {
public:
    bool open() override {
        ++opens;
        m_open = !busy;
        return m_open;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    std::string openError() const override { return error; }

    bool busy = false;
    std::string error;
    int opens = 0;

private:
    bool m_open = false;
};

std::string patterned(std::size_t size, char seed) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>(seed + static_cast<char>(i % 23));
    return text;
}

comm::ResumeRecord recordOf(const comm::Frame& frame) {
    return comm::ResumeRecord::decode(std::string(frame.data.begin(), frame.data.end()))
        .value_or(comm::ResumeRecord{});
}

std::string readFile(const fs::path& path) {
    std::string bytes;
    EXPECT_TRUE(common::AtomicFile::read(path.string(), bytes).ok) << path;
    return bytes;
}

// A part program already in the form it is sent in, over several frames.
std::string program(std::size_t lines) {
    std::string text = "O0001\r\n";
    for (std::size_t i = 0; i < lines; ++i)
        text += "G00 X" + std::to_string(i % 100) + "\r\n";
    return text + "M30\r\n";
}

class TransferSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "tmp");
        m_host.setAutoOpen(false);
        ASSERT_TRUE(m_project.newProject([this]() -> std::optional<app::ProjectLocation> {
            return app::ProjectLocation{"demo", m_dir.string()};
        }));
        write("ParaB.par", patterned(700, 'a'));
        write("ParaW.par", patterned(1024, 'A'));
        m_callbacks.sendDialog = [this] { ++m_sendDialogs; };
        m_callbacks.readDialog = [this](const TransferSession::ReadChoices& c) { m_choices = c; };
        m_callbacks.uploadReceived = [this](const std::string& p) { m_uploads.push_back(p); };
        m_session.setCallbacks(m_callbacks);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path folder() const { return m_dir / "demo"; }
    void write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(common::AtomicFile::write((folder() / name).string(), bytes).ok);
    }

    // Carries frames both ways until the line is quiet.
    void pump() {
        for (int guard = 0; guard < 100000 && !m_sink.writes.empty(); ++guard) {
            const auto writes = std::move(m_sink.writes);
            m_sink.writes.clear();
            for (const Bytes& bytes : writes)
                for (const Bytes& answer : m_cnc.onPcBytes(bytes))
                    m_session.onBytes(answer);
        }
    }
    void run(std::uint32_t ms) {
        for (std::uint32_t done = 0; done < ms; done += comm::LinkEngine::kTickMs) {
            m_clock.now += comm::LinkEngine::kTickMs;
            m_session.onTick();
            pump();
        }
    }
    void connect() {
        m_session.connectCommand();
        pump();
        ASSERT_TRUE(m_session.connected());
        m_seen = m_ui.messages().size();
    }
    // The messages since the connection was confirmed.
    std::vector<RecordingInteraction::Message> shown() const {
        const auto& all = m_ui.messages();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(m_seen, all.size())), all.end()};
    }
    // Adds a part program to the project and gives the selection sending it.
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
    // Puts both parameter files on the controller and opens the read dialog.
    void offerParameters() {
        m_cnc.files["ParaB.par"] = {patterned(1500, 'k'), 1};
        m_cnc.files["ParaW.par"] = {patterned(10, 'w'), 1};
        connect();
        ASSERT_TRUE(m_session.readFromCncCommand());
        pump();
        ASSERT_TRUE(m_choices);
    }
    void send(const SessionList::SendSelection& selection) {
        connect();
        ASSERT_TRUE(m_session.sendToCncCommand());
        pump();
        ASSERT_EQ(m_sendDialogs, 1);
        ASSERT_TRUE(m_session.startSend(selection));
        pump();
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : m_ui.messages())
            out.push_back(m.text);
        return out;
    }
    std::vector<std::string> sentNames(std::uint8_t subCode) const {
        std::vector<std::string> out;
        for (const comm::Frame& f : m_cnc.sent(comm::Command::File, subCode))
            out.push_back(
                comm::FileHeader::decode(std::string(f.data.begin(), f.data.end()))->name);
        return out;
    }
    void expectDisconnected() {
        EXPECT_FALSE(m_session.connected());
        EXPECT_FALSE(m_session.running());
        EXPECT_FALSE(m_port.isOpen());
        EXPECT_FALSE(m_session.view().shown);
    }

    // Made before the session, which keeps its temporary folder.
    fs::path m_dir = comm::testing::testFolder("kelcc_transfer_");
    comm::testing::FakeClock m_clock;
    comm::testing::FakeSink m_sink;
    FakePort m_port;
    RecordingInteraction m_ui;
    app::HeadlessProjectHost m_host;
    app::Project m_project{m_ui, m_host};
    FakeController m_cnc;
    TransferSession::Callbacks m_callbacks;
    int m_sendDialogs = 0;
    std::size_t m_seen = 0;
    std::optional<TransferSession::ReadChoices> m_choices;
    std::vector<std::string> m_uploads;
    TransferSession m_session{
        m_clock,
        m_sink,
        m_port,
        m_ui,
        m_project,
        TransferSession::Options{(m_dir / "tmp").string(), [] { return std::uint64_t{0x5eed}; }}};
};

TEST_F(TransferSessionTest, APortWithoutPermissionIsToldApartFromAMissingOne) {
    m_port.busy = true;
    m_port.error = comm::SerialPort::kPermissionDeniedText;
    m_session.connectCommand();
    m_port.error = comm::SerialPort::kOpenFailedText;
    m_session.connectCommand();
    EXPECT_EQ(texts(), (std::vector<std::string>{comm::SerialPort::kPermissionDeniedText,
                                                 TransferSession::kPortBusyText}));
}

TEST_F(TransferSessionTest, ConnectRetriesOnceAndDisconnectClosesThePort) {
    m_port.busy = true;
    m_session.connectCommand();
    EXPECT_EQ(texts(), std::vector<std::string>{TransferSession::kPortBusyText});

    // A silent controller: the handshake fails, a disconnect goes out, the
    // port is opened once more, then the connection message.
    m_port.busy = false;
    m_cnc.silent = true;
    m_session.connectCommand();
    run(5000);
    EXPECT_EQ(m_port.opens, 3);
    EXPECT_EQ(m_cnc.sent(comm::Command::Disconnect).size(), 1u);
    EXPECT_EQ(shown().back().text, TransferSession::kConnectFailedText);
    EXPECT_FALSE(m_port.isOpen());
    EXPECT_FALSE(m_session.connected());

    m_cnc.silent = false;
    connect();
    EXPECT_EQ(m_ui.messages().back().text, TransferSession::kConnectedText);
    EXPECT_TRUE(m_session.view().lines.empty());

    m_ui.script({Answer::Cancel});
    EXPECT_FALSE(m_session.confirmQuit());
    EXPECT_TRUE(m_session.connected());
    m_session.disconnectCommand();
    pump();
    expectDisconnected();
    EXPECT_EQ(m_cnc.sent(comm::Command::Disconnect).size(), 2u);
}

// A file the controller already holds is deleted, then written again.
TEST_F(TransferSessionTest, SendsTwoFilesDeletingAHeldOneAndEndsWithDisconnect) {
    m_cnc.files["ParaB.par"] = {"old", 1};
    send(parameters());

    std::vector<std::uint8_t> order;
    for (const comm::Frame& f : m_cnc.sent(comm::Command::File))
        order.push_back(f.subCode);
    EXPECT_EQ(order, (std::vector<std::uint8_t>{1, 4, 1, 1}));
    EXPECT_EQ(sentNames(1), (std::vector<std::string>{"ParaB.par", "ParaB.par", "ParaW.par"}));
    EXPECT_FALSE(m_session.deleteFirst());
    EXPECT_EQ(m_cnc.files["ParaB.par"].content, readFile(folder() / "ParaB.par"));
    EXPECT_EQ(m_cnc.files["ParaW.par"].content, readFile(folder() / "ParaW.par"));
    // 1024 bytes go as two frames, the second marked last.
    EXPECT_EQ(m_cnc.sent(comm::Command::Data).size(), 2u + 2u);
    EXPECT_EQ(m_cnc.sent(comm::Command::Data).back().subCode, 1);
    EXPECT_EQ(m_session.progress().sessionDone(), 1724u);
    EXPECT_EQ(m_session.view().group, "文件 2/2");
    EXPECT_EQ(m_session.view().lines[0].substr(0, 2), "##");
    EXPECT_EQ(m_session.view().lines[1].substr(0, 2), "->");
    EXPECT_EQ(shown().back().text, TransferSession::kAllSentText);
    EXPECT_EQ(shown().size(), 1u);
    expectDisconnected();
}

TEST_F(TransferSessionTest, ReceivesIntoStagingAndAdoptsIntoTheProject) {
    m_cnc.files["O0001.cnc"] = {program(3), 2};
    m_cnc.files["O12.cnc"] = {"O12\r\n", 2};
    ASSERT_NO_FATAL_FAILURE(offerParameters());
    ASSERT_EQ(m_choices->programs[0].size(), 1u);  // O12 is not offered
    EXPECT_EQ(m_choices->programs[0][0].name, "O0001.cnc");
    EXPECT_EQ(m_choices->configList.size(), 2u);

    SessionList::ReceiveSelection selection;
    selection.parameters = true;
    selection.programs = m_choices->programs[0];
    m_ui.script({Answer::Ok});
    ASSERT_TRUE(m_session.startReceive(selection, TransferSession::SaveMode::Overwrite, {}));
    pump();

    EXPECT_EQ(shown().front().text, TransferSession::kOverwriteText);
    EXPECT_EQ(shown().back().text, TransferSession::kAllReceivedText);
    EXPECT_EQ(readFile(folder() / "ParaB.par"), m_cnc.files["ParaB.par"].content);
    EXPECT_EQ(readFile(folder() / "ParaW.par"), m_cnc.files["ParaW.par"].content);
    EXPECT_EQ(readFile(folder() / "O0001.cnc"), m_cnc.files["O0001.cnc"].content);
    EXPECT_FALSE(fs::exists(m_session.stagingFolder()));
    expectDisconnected();
}

TEST_F(TransferSessionTest, UnansweredDisconnectAfterACompleteReceiveIsAWarningAndAdopts) {
    m_cnc.answerDisconnect = false;
    ASSERT_NO_FATAL_FAILURE(offerParameters());
    SessionList::ReceiveSelection selection;
    selection.parameters = true;
    m_ui.script({Answer::Ok});
    ASSERT_TRUE(m_session.startReceive(selection, TransferSession::SaveMode::Overwrite, {}));
    pump();
    run(comm::LinkEngine::kDisconnectSends * comm::LinkEngine::kDisconnectWaitMs +
        comm::LinkEngine::kTickMs);

    EXPECT_EQ(m_cnc.sent(comm::Command::Disconnect).size(), 3u);
    const auto messages = shown();
    ASSERT_EQ(messages.size(), 3u);  // the overwrite question, the warning, the end
    EXPECT_EQ(messages[1].text, TransferSession::kDisconnectUnansweredText);
    EXPECT_EQ(messages[1].icon, common::MessageIcon::Warning);
    EXPECT_EQ(messages[2].text, TransferSession::kAllReceivedText);
    EXPECT_EQ(readFile(folder() / "ParaB.par"), m_cnc.files["ParaB.par"].content);
    expectDisconnected();
}

TEST_F(TransferSessionTest, CancelledReceiveLeavesNoPartialFile) {
    ASSERT_NO_FATAL_FAILURE(offerParameters());
    SessionList::ReceiveSelection selection;
    selection.parameters = true;
    m_ui.script({Answer::Ok});
    // Hold the controller's data back after the first piece.
    ASSERT_TRUE(m_session.startReceive(selection, TransferSession::SaveMode::Overwrite, {}));
    const auto writes = std::move(m_sink.writes);
    m_sink.writes.clear();
    for (const Bytes& bytes : writes) {
        const auto answers = m_cnc.onPcBytes(bytes);
        for (std::size_t i = 0; i < std::min<std::size_t>(answers.size(), 2); ++i)
            m_session.onBytes(answers[i]);
    }
    ASSERT_TRUE(m_session.running());
    const fs::path staging = m_session.stagingFolder();
    ASSERT_TRUE(fs::is_directory(staging));
    m_session.userCancel();
    pump();
    EXPECT_EQ(shown().back().text, TransferSession::kUserCancelText);
    expectDisconnected();
    // The aborted session removes its staging folder with what it held.
    EXPECT_FALSE(fs::exists(staging));
    EXPECT_TRUE(fs::is_empty(m_dir / "tmp"));
    EXPECT_EQ(readFile(folder() / "ParaB.par"), patterned(700, 'a'));
}

struct ResumeCase {
    const char* what;
    Answer answer;
    std::uint8_t mode;  // of the decision sent
    std::uint32_t start;
    bool completes;
};

class ResumeTest : public TransferSessionTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(ResumeTest, ControllerAsksAndTheUserDecides) {
    const std::string text = program(150);
    ASSERT_GT(text.size(), 1024u);
    const auto selection = programSelection("O0001", text);
    const std::string path = (folder() / "O0001.cnc").string();
    m_cnc.heldRecord = comm::ResumeRecord::fromPc(comm::ResumeRecord::Mode::Continue, 512,
                                                  *comm::ModemFile::modifiedTime(path), path);
    m_cnc.startOffsets = {{3, 512}, {2, 0}};
    // The second data frame goes unanswered; the probe finds the controller
    // waiting for the resume record.
    m_cnc.dropDataFrame = 1;
    m_cnc.probeState = 0x10;

    m_ui.script({GetParam().answer});
    send(selection);
    run(comm::LinkEngine::kReplyTimeoutMs + comm::LinkEngine::kTickMs);

    const auto questions = m_cnc.sent(comm::Command::File, 6);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(recordOf(questions[0]).path, path);
    EXPECT_NE(shown().front().text.find("O0001.cnc"), std::string::npos);
    const auto decisions = m_cnc.sent(comm::Command::File, 7);
    if (!GetParam().completes) {
        EXPECT_TRUE(decisions.empty());
        expectDisconnected();
        EXPECT_EQ(shown().size(), 1u);
        return;
    }
    ASSERT_EQ(decisions.size(), 1u);
    EXPECT_EQ(recordOf(decisions[0]).mode, GetParam().mode);
    EXPECT_EQ(m_cnc.files["O0001.cnc"].content, text);
    EXPECT_EQ(m_session.progress().sessionDone(),
              text.size() + 1024u);  // two frames went out before the probe
    EXPECT_EQ(shown().back().text, TransferSession::kAllSentText);
}

INSTANTIATE_TEST_SUITE_P(Decisions, ResumeTest,
                         ::testing::Values(ResumeCase{"YesContinues", Answer::Yes, 3, 512, true},
                                           ResumeCase{"NoStartsAgain", Answer::No, 2, 0, true},
                                           ResumeCase{"CancelEndsTheSession", Answer::Cancel, 0, 0,
                                                      false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(TransferSessionTest, ResumableAcknowledgementContinuesFromTheControllersOffset) {
    const std::string text = program(150);
    const auto selection = programSelection("O0001", text);
    m_cnc.firstDataAck = 8;
    m_cnc.startOffsets = {{3, 512}};
    send(selection);

    const auto decisions = m_cnc.sent(comm::Command::File, 7);
    ASSERT_EQ(decisions.size(), 1u);
    EXPECT_EQ(decisions[0].data[25], 3);
    EXPECT_EQ(m_cnc.files["O0001.cnc"].content, text);
    EXPECT_EQ(shown().back().text, TransferSession::kAllSentText);
}

TEST_F(TransferSessionTest, RefusedPartProgramShowsOnlyItsOwnMessage) {
    send(programSelection("O0002", "N10 G00\r\n"));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].caption, "格式错误");
    EXPECT_TRUE(m_cnc.sent(comm::Command::File, 1).empty());
    EXPECT_FALSE(m_session.running());
    EXPECT_TRUE(m_session.connected());
}

TEST_F(TransferSessionTest, ControllerUploadGoesToTheTemporaryFolderUnlessItsNameIsHostile) {
    connect();
    // The controller takes the command role and offers files.
    m_session.onBytes(FakeController::frame(1, comm::Command::Control, 4));
    pump();
    auto offer = [&](std::uint8_t seq, const std::string& name, const std::string& content) {
        comm::FileHeader header;
        header.name = name;
        header.size = header.size2 = static_cast<std::uint32_t>(content.size());
        m_session.onBytes(FakeController::frame(seq, comm::Command::File, 5,
                                                FakeController::bytes(*header.encode())));
        if (!content.empty())
            m_session.onBytes(FakeController::frame(1, comm::Command::DataLast, 1,
                                                    FakeController::bytes(content)));
        pump();
    };
    offer(2, "../../evil", "");
    EXPECT_FALSE(fs::exists(m_dir / "evil.tmp"));
    EXPECT_TRUE(m_uploads.empty());
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().back().text, "读写文件错误.");
    EXPECT_EQ(m_cnc.sent(comm::Command::FileReply, 6).size(), 1u);

    offer(3, "O0007.cnc", "O0007\r\nM30\r\n");
    ASSERT_EQ(m_uploads.size(), 1u);
    EXPECT_EQ(m_uploads[0], (m_dir / "tmp" / "O0007.cnc.tmp").string());
    EXPECT_EQ(TransferSession::uploadText(m_uploads[0]), "接收到CNC上传的文件 \"O0007.cnc\"");
    EXPECT_FALSE(m_session.view().shown);
    EXPECT_TRUE(m_session.connected());
    // The last frame was marked 0x80: the PC takes the command role back.
    EXPECT_FALSE(m_cnc.sent(comm::Command::Control, 4).empty());

    const std::string target = (m_dir / "saved.cnc").string();
    ASSERT_TRUE(TransferSession::saveUpload(m_uploads[0], target).ok);
    EXPECT_EQ(readFile(target), "O0007\r\nM30\r\n");
    EXPECT_FALSE(fs::exists(m_uploads[0]));
}

struct ErrorCase {
    const char* what;
    std::function<void(FakeController&)> script;
    std::string message;  // shown in a box, or in the status/last error
    bool connectedAfter;
    bool disconnectSent;
};

class ErrorActionTest : public TransferSessionTest,
                        public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorActionTest, EachActionEndsOrKeepsTheSessionAsItSays) {
    GetParam().script(m_cnc);
    send(parameters());
    run(comm::LinkEngine::kReplyTimeoutMs + comm::LinkEngine::kTickMs);
    const std::string name = GetParam().what;
    if (name == "ContinueCountsARetry") {
        EXPECT_EQ(m_session.view().retries, "1");
        EXPECT_EQ(m_session.view().lastError, GetParam().message);
        EXPECT_EQ(shown().back().text, TransferSession::kAllSentText);
    } else if (name == "StatusOnlyShowsTheStatus") {
        EXPECT_TRUE(m_session.running());
        EXPECT_EQ(m_session.view().status, GetParam().message);
        EXPECT_TRUE(shown().empty());
        return;
    } else {
        ASSERT_FALSE(shown().empty());
        EXPECT_EQ(shown().front().text, GetParam().message);
        EXPECT_FALSE(m_session.running());
        EXPECT_FALSE(m_session.view().shown);
    }
    EXPECT_EQ(m_session.connected(), GetParam().connectedAfter);
    EXPECT_EQ(m_port.isOpen(), GetParam().connectedAfter);
    EXPECT_EQ(!m_cnc.sent(comm::Command::Disconnect).empty(), GetParam().disconnectSent);
    if (GetParam().connectedAfter) {
        EXPECT_EQ(m_session.engine().state(), comm::LinkState::Ready);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ErrorActionTest,
    ::testing::Values(ErrorCase{"ContinueCountsARetry",
                                [](FakeController& c) { c.firstDataAck = 2; }, "数据校验和错.",
                                false, true},
                      ErrorCase{"AbortKeepsTheLink", [](FakeController& c) { c.writeReply = 3; },
                                "FLASH存储空间满.", true, false},
                      ErrorCase{"BreakDisconnects", [](FakeController& c) { c.writeReply = 0x30; },
                                "未知的应答数据", false, true},
                      ErrorCase{"ClosedByPeerSendsNothing",
                                [](FakeController& c) { c.disconnectOnWrite = true; },
                                "通讯被另一端取消.", false, false},
                      ErrorCase{"StatusOnlyShowsTheStatus",
                                [](FakeController& c) {
                                    // and no answer to the ready question follows
                                    c.firstDataAck = 4;
                                },
                                "通讯错误 18: 等待CNC就绪超时", true, false}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace kelcc::core::transfer
