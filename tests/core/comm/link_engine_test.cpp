#include "comm/link_engine.h"

#include <gtest/gtest.h>

#include "comm/link_frame_parser.h"
#include "link_engine_test_seam.h"
#include "link_fakes.h"

namespace kelcc::core::comm {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace kelcc::core::comm::testing;

std::uint8_t code(Command command) {
    return static_cast<std::uint8_t>(command);
}

Bytes patterned(std::size_t size, std::uint8_t seed = 1) {
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return data;
}

Frame decode(const Bytes& bytes) {
    LinkFrameParser parser;
    EXPECT_TRUE(parser.append(bytes));
    auto result = parser.next();
    EXPECT_EQ(result.status, LinkFrameParser::Status::Complete);
    EXPECT_EQ(parser.buffered(), 0u);
    return result.frame;
}

const Bytes kRequest{0xAA, 0xAA, 0xAA};
const Bytes kAccept{0x55, 0x55, 0x55};
const Bytes kNak{0x12, 0x00, 0x50, 0x00, 0x00, 0x00, 0x62};
const Bytes kFileHeader = patterned(27);

class LinkEngineTest : public ::testing::Test {
protected:
    void feed(const Bytes& bytes) { m_engine.onBytes(bytes); }
    void controller(std::uint8_t sequence, Command command, std::uint8_t subCode, Bytes data = {}) {
        feed(LinkFrame::encode(Frame{sequence, code(command), subCode, std::move(data)}));
    }
    void connectLink() {
        m_engine.connect();
        feed(kAccept);
        ASSERT_EQ(m_engine.state(), LinkState::Ready);
        m_sink.writes.clear();
    }
    // Moves the clock forward in timer periods, ticking after each.
    void run(std::uint32_t ms) {
        for (std::uint32_t done = 0; done < ms; done += LinkEngine::kTickMs) {
            m_clock.now += std::min(LinkEngine::kTickMs, ms - done);
            m_engine.onTick();
        }
    }
    Frame lastSent() {
        EXPECT_FALSE(m_sink.writes.empty());
        return m_sink.writes.empty() ? Frame{} : decode(m_sink.writes.back());
    }
    // The last frame sent: command, sub-code and, when given, sequence.
    void expectSent(Command command, std::uint8_t subCode, int sequence = -1) {
        const Frame frame = lastSent();
        EXPECT_EQ(frame.command, code(command));
        EXPECT_EQ(frame.subCode, subCode);
        if (sequence >= 0) {
            EXPECT_EQ(frame.sequence, sequence);
        }
    }
    bool sentAny(Command command) const {
        for (const Bytes& bytes : m_sink.writes)
            if (bytes.size() >= 7 && bytes[2] == code(command)) return true;
        return false;
    }
    // Connects, sends CMD_FILE 1 and lets the controller accept it.
    void startSending(Bytes content, bool expectData = true) {
        connectLink();
        m_file.content = std::move(content);
        m_handler.onAccepted = [](LinkEngine& engine, std::uint8_t) { engine.startSendingFile(); };
        ASSERT_TRUE(m_engine.sendCommand(Command::File, 1, kFileHeader));
        controller(m_seam.transmitSequence(), Command::FileReply, 0);
        if (expectData) {
            ASSERT_EQ(m_engine.state(), LinkState::Transfer);
        }
    }
    void startReceiving() {
        connectLink();
        m_engine.startReceivingFile();
    }
    void expectLastError(LinkError code, ErrorAction action, const std::string& message) {
        ASSERT_FALSE(m_listener.errors.empty());
        const auto& error = m_listener.errors.back();
        EXPECT_EQ(error.code, code);
        EXPECT_EQ(error.action, action);
        EXPECT_EQ(error.message, message);
    }

    FakeClock m_clock;
    FakeSink m_sink;
    RecordingListener m_listener;
    FakeFile m_file;
    FakeHandler m_handler;
    LinkEngine m_engine{m_clock, m_sink, m_listener, m_file, m_handler};
    LinkEngineTestSeam m_seam{m_engine};
};

TEST_F(LinkEngineTest, AcceptSplitOverTwoChunksIsNotTakenAndConnectGivesUpAfterFiveRequests) {
    const std::uint32_t start = m_clock.now;
    m_engine.connect();
    feed({0x55, 0x55});
    feed({0x55});
    while (m_listener.connects.empty() && m_clock.now - start < 10000) {
        m_clock.now += 10;
        m_engine.onTick();
    }
    EXPECT_EQ(m_listener.connects, std::vector<bool>{false});
    EXPECT_EQ(m_clock.now - start, 2000u);
    ASSERT_EQ(m_sink.writes.size(), 5u);
    for (const Bytes& bytes : m_sink.writes)
        EXPECT_EQ(bytes, kRequest);
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
    EXPECT_FALSE(m_seam.timerRunning());
}

TEST_F(LinkEngineTest, ControllerOpensTheLinkWithAWholeRequestAndEitherSideEndsIt) {
    feed({0xAA, 0xAA});
    feed({0xAA});
    EXPECT_TRUE(m_sink.writes.empty());
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
    feed(kRequest);
    EXPECT_EQ(m_sink.writes, std::vector<Bytes>{kAccept});
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
    // Our disconnect of a link the controller opened ends at once.
    m_engine.disconnect();
    EXPECT_EQ(m_listener.disconnects, std::vector<bool>{true});
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
    // The controller's own disconnect is answered.
    feed(kRequest);
    controller(0, Command::Disconnect, 0);
    EXPECT_EQ(m_sink.writes.back(), (Bytes{0x12, 0x00, 0x41, 0x00, 0x00, 0x00, 0x53}));
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
}

TEST_F(LinkEngineTest, TransmitSequenceSkipsZeroAndDisconnectCarriesZero) {
    connectLink();
    for (int i = 1; i <= 256; ++i) {
        ASSERT_TRUE(m_engine.sendCommand(Command::List, 1));
        EXPECT_EQ(lastSent().sequence, i == 256 ? 1 : i);
    }
    m_engine.sendCommand(Command::Disconnect, 0);
    EXPECT_EQ(m_sink.writes.back(), (Bytes{0x12, 0x00, 0x40, 0x00, 0x00, 0x00, 0x52}));
    EXPECT_EQ(m_seam.transmitSequence(), 255);
    m_engine.sendCommand(Command::List, 1);
    EXPECT_EQ(lastSent().sequence, 1);
}

TEST_F(LinkEngineTest, RepliesCarryTheReceivedSequenceAndRolesFollowControl) {
    connectLink();
    m_engine.takeControl();
    EXPECT_EQ(lastSent().command, code(Command::Control));
    controller(lastSent().sequence, Command::ControlReply, 0);
    EXPECT_TRUE(m_listener.hasEvent(LinkEvent::PcHasControl, 0));

    controller(7, Command::Control, 4);
    EXPECT_EQ(m_seam.role(), Role::MasterCnc);
    expectSent(Command::ControlReply, 0, 7);
    EXPECT_TRUE(m_listener.hasEvent(LinkEvent::CncHasControl, 0));

    controller(9, Command::Probe, 0);
    expectSent(Command::Status, 0, 9);

    controller(10, Command::Control, 3);
    EXPECT_EQ(m_seam.role(), Role::MasterPc);
    EXPECT_TRUE(m_listener.errors.empty());
}

class DamagedFrames : public LinkEngineTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DamagedFrames, NineAreNakedAndTheTenthBreaksTheLink) {
    const bool damageHeader = GetParam();
    connectLink();
    m_engine.sendCommand(Command::List, 1);
    Bytes damaged = LinkFrame::encode(Frame{1, code(Command::ListReply), 0, {0, 3}});
    if (damageHeader)
        damaged[6] ^= 0xFF;
    else
        damaged.back() ^= 0x01;
    const LinkError expected = damageHeader ? LinkError::HeaderSum : LinkError::DataCrc;
    for (int i = 1; i <= 9; ++i) {
        feed(damaged);
        EXPECT_EQ(m_sink.writes.back(), kNak) << i;
        expectLastError(expected, ErrorAction::Continue, "数据校验和错.");
        EXPECT_EQ(m_seam.errorCount(), i);
    }
    const std::size_t written = m_sink.writes.size();
    feed(damaged);
    expectLastError(LinkError::ErrorLimit, ErrorAction::BreakLink, "达到最大错误数,断开连接.");
    EXPECT_EQ(m_sink.writes.size(), written);
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
    EXPECT_EQ(m_listener.errors.size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(HeaderOrCrc, DamagedFrames, ::testing::Bool());

TEST_F(LinkEngineTest, ProgressBetweenErrorsRestartsTheCount) {
    connectLink();
    Bytes damaged = LinkFrame::encode(Frame{1, code(Command::ListReply), 0, {}});
    damaged[6] ^= 0xFF;
    for (int i = 0; i < 9; ++i)
        feed(damaged);
    controller(3, Command::Control, 3);  // answered with a reply: progress
    EXPECT_EQ(m_seam.errorCount(), 0);
    feed(damaged);
    expectLastError(LinkError::HeaderSum, ErrorAction::Continue, "数据校验和错.");
}

TEST_F(LinkEngineTest, NakFromTheControllerRepeatsTheLastFrameOrProbeByteForByte) {
    connectLink();
    m_engine.sendCommand(Command::File, 2, kFileHeader);
    const Bytes command = m_sink.writes.back();
    controller(0, Command::Nak, 0);
    EXPECT_EQ(m_sink.writes.back(), command);
    expectLastError(LinkError::HeaderSum, ErrorAction::Continue, "数据校验和错.");
    run(5100);
    const Bytes probe = m_sink.writes.back();
    controller(0, Command::Nak, 0);
    EXPECT_EQ(m_sink.writes.back(), probe);
    EXPECT_EQ(m_engine.state(), LinkState::Probing);
}

TEST_F(LinkEngineTest, OversizedFrameIsRefusedAtOnceWithANak) {
    connectLink();
    Bytes header{0x12, 0x01, 0x00, 0x00, 0x10, 0x00};
    header.push_back(LinkFrame::headerSum(header));
    feed(header);
    EXPECT_EQ(m_sink.writes.back(), kNak);
    expectLastError(LinkError::HeaderSum, ErrorAction::Continue, "数据校验和错.");
}

TEST_F(LinkEngineTest, SilenceBringsThreeProbesAndThenBreaksTheLink) {
    connectLink();
    m_engine.sendCommand(Command::File, 2, kFileHeader);
    const std::size_t written = m_sink.writes.size();
    run(4800);
    EXPECT_EQ(m_sink.writes.size(), written);
    for (std::size_t probe = 1; probe <= 3; ++probe) {
        run(300);
        expectSent(Command::Probe, 0, m_seam.transmitSequence());
        EXPECT_EQ(m_engine.state(), LinkState::Probing);
        expectLastError(LinkError::Timeout, ErrorAction::Continue, "操作超时，检测对方状态");
        EXPECT_EQ(m_listener.errors.size(), probe);
        run(4800);
    }
    run(300);
    expectLastError(LinkError::ProbeTimeout, ErrorAction::BreakLink, "操作超时,断开连接.");
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
    EXPECT_FALSE(m_seam.timerRunning());
}

TEST_F(LinkEngineTest, AnEndThatAnswersProbesButNeverTakesTheFrameIsGivenUp) {
    startSending(patterned(1000));
    for (int round = 1; round <= 3; ++round) {
        run(5100);
        ASSERT_EQ(lastSent().command, code(Command::Probe)) << round;
        controller(m_seam.transmitSequence(), Command::Status, 1);
        EXPECT_EQ(lastSent().command, code(Command::Data));
    }
    run(5100);
    expectLastError(LinkError::ProbeTimeout, ErrorAction::BreakLink, "操作超时,断开连接.");
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
}

TEST_F(LinkEngineTest, BusyWaitTimeReplacesTheTimeoutAndBusyWithoutOneKeepsIt) {
    connectLink();
    m_engine.sendCommand(Command::List, 1);
    controller(1, Command::Control, 1);
    EXPECT_EQ(m_seam.timeoutLength(), LinkEngine::kReplyTimeoutMs);
    controller(1, Command::Control, 1, {0x00, 0x00, 0x4E, 0x20});  // 20000 ms
    EXPECT_TRUE(m_listener.hasEvent(LinkEvent::Busy, kBusy));
    run(19800);
    EXPECT_FALSE(sentAny(Command::Probe));
    run(300);
    EXPECT_EQ(lastSent().command, code(Command::Probe));
}

TEST_F(LinkEngineTest, ProbeAnswerRepeatsAWaitingCommandAndNothingPendingSettlesTheLink) {
    connectLink();
    m_engine.sendCommand(Command::List, 1);
    const Bytes command = m_sink.writes.back();
    run(5100);
    // An answer to another probe is not this one's.
    controller(static_cast<std::uint8_t>(m_seam.transmitSequence() + 1), Command::Status, 0);
    EXPECT_EQ(m_engine.state(), LinkState::Probing);
    // Received or not, the controller answers the repeated command.
    controller(m_seam.transmitSequence(), Command::Status, 0x00);
    EXPECT_EQ(m_sink.writes.back(), command);
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
    controller(m_seam.transmitSequence(), Command::ListReply, 0, {0, 0});
    EXPECT_EQ(m_seam.done(), 1);

    // With nothing waiting, a probe answered "handled" clears the time-out.
    m_seam.sendReply(Command::Ack, 0);
    run(5100);
    controller(m_seam.transmitSequence(), Command::Status, 0x00);
    EXPECT_TRUE(m_listener.hasEvent(LinkEvent::NothingPending, 0));
    run(20000);
    EXPECT_EQ(m_listener.errors.size(), 2u);
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
}

struct ErrorCase {
    const char* name;
    bool duringSend;
    Command command;
    std::uint8_t subCode;
    LinkError code;
    ErrorAction action;
    const char* message;
};

class ErrorActions : public LinkEngineTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorActions, AnswerRaisesItsErrorWithItsAction) {
    const ErrorCase& c = GetParam();
    if (c.duringSend) {
        startSending(patterned(2000));
    } else {
        connectLink();
        m_engine.sendCommand(Command::File, 1, kFileHeader);
    }
    const int closesBefore = m_file.closes;
    controller(m_seam.transmitSequence(), c.command, c.subCode);
    expectLastError(c.code, c.action, c.message);
    EXPECT_EQ(m_listener.errors.size(), 1u);
    switch (c.action) {
        case ErrorAction::AbortTransfer:
            EXPECT_EQ(m_engine.state(), LinkState::Ready);
            EXPECT_EQ(m_seam.timeoutLength(), LinkEngine::kNoTimeout);
            EXPECT_GT(m_file.closes, closesBefore);
            EXPECT_TRUE(m_seam.timerRunning());
            break;
        case ErrorAction::BreakLink:
        case ErrorAction::ClosedByPeer:
            EXPECT_EQ(m_engine.state(), LinkState::Idle);
            EXPECT_EQ(m_seam.role(), Role::MasterPc);
            EXPECT_FALSE(m_seam.timerRunning());
            EXPECT_GT(m_file.closes, closesBefore);
            break;
        default:
            ADD_FAILURE() << "no case for this action";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorActions,
    ::testing::Values(ErrorCase{"CreateFailed", false, Command::FileReply, 6, LinkError::FileCreate,
                                ErrorAction::AbortTransfer, "读写文件错误."},
                      ErrorCase{"DncWrite", false, Command::ControlReply, 9, LinkError::DncWrite,
                                ErrorAction::AbortTransfer, "读写文件错误."},
                      ErrorCase{"UnknownFileReply", false, Command::FileReply, 0x20,
                                LinkError::UnknownAnswer, ErrorAction::BreakLink, "未知的应答数据"},
                      ErrorCase{"Forbidden", true, Command::Ack, 0x10, LinkError::Forbidden,
                                ErrorAction::AbortTransfer, "CNC禁止修改文件数据"},
                      ErrorCase{"UnknownFormat", true, Command::Ack, 0x11, LinkError::UnknownFormat,
                                ErrorAction::AbortTransfer, "未知的文件数据格式"},
                      ErrorCase{"UnknownAck", true, Command::Ack, 0x30, LinkError::UnknownAnswer,
                                ErrorAction::BreakLink, "未知的应答数据"},
                      ErrorCase{"DataWhileSending", true, Command::Data, 2,
                                LinkError::UnknownAnswer, ErrorAction::BreakLink, "未知的应答数据"},
                      ErrorCase{"ClosedByController", true, Command::Disconnect, 0,
                                LinkError::ClosedByPeer, ErrorAction::ClosedByPeer,
                                "通讯被另一端取消."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkEngineTest, EmptyFileEndsWithoutADataFrameAndAnUnreadableOneAborts) {
    startSending({}, false);
    EXPECT_FALSE(sentAny(Command::Data));
    EXPECT_EQ(m_handler.sendNext, 1);
    EXPECT_EQ(m_engine.state(), LinkState::Ready);

    m_file.readFails = true;
    ASSERT_TRUE(m_engine.sendCommand(Command::File, 1, kFileHeader));
    controller(m_seam.transmitSequence(), Command::FileReply, 0);
    expectLastError(LinkError::FileRead, ErrorAction::AbortTransfer, "读写文件错误.");
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
    EXPECT_FALSE(sentAny(Command::Data));
}

TEST_F(LinkEngineTest, TimeoutWhileWaitingForReadyIsOnlyAStatus) {
    startSending(patterned(1000));
    controller(1, Command::Ack, 5);
    run(5100);
    expectLastError(LinkError::BusyTimeout, ErrorAction::StatusOnly,
                    "通讯错误 18: 等待CNC就绪超时");
    EXPECT_EQ(m_engine.state(), LinkState::Probing);
}

struct ProbeCase {
    const char* name;
    std::uint8_t status;
    bool sameFrameAgain;  // else the next piece
    LinkError error;
};

class ProbeWhileSending : public LinkEngineTest, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(ProbeWhileSending, AnswerDecidesWhichPieceGoesOut) {
    const ProbeCase& c = GetParam();
    startSending(patterned(1000));
    const Bytes first = m_sink.writes.back();
    run(5100);
    ASSERT_EQ(lastSent().command, code(Command::Probe));
    controller(m_seam.transmitSequence(), Command::Status, c.status);
    EXPECT_EQ(m_engine.state(), LinkState::Transfer);
    if (c.sameFrameAgain) {
        EXPECT_EQ(m_sink.writes.back(), first);
    } else {
        expectSent(Command::Data, 1, 2);
    }
    expectLastError(c.error, ErrorAction::Continue,
                    c.error == LinkError::Timeout ? "操作超时，检测对方状态" : "数据校验和错.");
}

INSTANTIATE_TEST_SUITE_P(
    States, ProbeWhileSending,
    ::testing::Values(ProbeCase{"Handled", 0, false, LinkError::Timeout},
                      ProbeCase{"NotReceived", 1, true, LinkError::Timeout},
                      ProbeCase{"HeaderError", 2, true, LinkError::HeaderSum},
                      ProbeCase{"DataError", 3, true, LinkError::DataCrc},
                      ProbeCase{"BusyOverContinue", 6, false, LinkError::Timeout},
                      ProbeCase{"BusyOverRepeat", 7, true, LinkError::Timeout}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkEngineTest, ProbeAnsweredBusyResumesTheTransferWhenReady) {
    startSending(patterned(1000));
    run(5100);
    controller(m_seam.transmitSequence(), Command::Status, 4);
    expectSent(Command::Control, 0x10);
    controller(lastSent().sequence, Command::ControlReply, 0x12);
    EXPECT_EQ(m_engine.state(), LinkState::Transfer);
    EXPECT_EQ(lastSent().command, code(Command::Data));
}

TEST_F(LinkEngineTest, DamagedDataFrameIsTakenWhenRepeatedOneOutOfSequenceBreaksTheLink) {
    startReceiving();
    Bytes damaged = LinkFrame::encode(Frame{1, 0x00, 0, patterned(10)});
    damaged[9] ^= 0x40;
    feed(damaged);
    EXPECT_EQ(m_sink.writes.back(), kNak);
    controller(1, Command::Data, 0, patterned(10));
    EXPECT_EQ(lastSent().command, code(Command::Ack));
    EXPECT_EQ(m_file.written, patterned(10));
    controller(3, Command::Data, 2, patterned(10));
    expectLastError(LinkError::OutOfSequence, ErrorAction::BreakLink,
                    "通讯错误 11: 数据帧序号错误");
    EXPECT_EQ(m_file.written.size(), 10u);
}

// The last piece of the file before, repeated, looks like the first piece of
// the next one: without the acceptance in front of it, no piece is taken.
TEST_F(LinkEngineTest, PieceWithoutTheAcceptanceOfTheReadIsNotTaken) {
    connectLink();
    m_handler.onAccepted = [](LinkEngine& engine, std::uint8_t) { engine.startReceivingFile(); };
    m_engine.sendCommand(Command::File, 2, kFileHeader);
    const Bytes read = m_sink.writes.back();
    controller(1, Command::Data, 1, patterned(4, 1));
    EXPECT_EQ(m_sink.writes.back(), read);
    EXPECT_TRUE(m_file.written.empty());
    controller(decode(read).sequence, Command::FileReply, 0);
    controller(1, Command::Data, 1, patterned(4, 2));
    EXPECT_EQ(m_file.written, patterned(4, 2));
    EXPECT_EQ(m_handler.receiveNext, 1);
}

// Numbering starts over with every file. The answer to the read before and
// its last piece, repeated late, must not be taken for the next read.
TEST_F(LinkEngineTest, LateRepeatsOfTheReadBeforeAreNotTakenForTheNext) {
    connectLink();
    m_handler.onAccepted = [](LinkEngine& engine, std::uint8_t) { engine.startReceivingFile(); };
    m_engine.sendCommand(Command::File, 2, kFileHeader);
    const std::uint8_t first = m_seam.transmitSequence();
    controller(first, Command::FileReply, 0);
    controller(1, Command::Data, 1, patterned(4, 1));
    ASSERT_EQ(m_handler.receiveNext, 1);
    m_engine.sendCommand(Command::File, 2, kFileHeader);
    const std::uint8_t second = m_seam.transmitSequence();
    EXPECT_NE(second, first);
    controller(first, Command::FileReply, 0);
    controller(1, Command::Data, 1, patterned(4, 1));
    controller(second, Command::FileReply, 0);
    controller(second, Command::FileReply, 0);  // repeated in between
    controller(1, Command::Data, 1, patterned(4, 2));
    Bytes both = patterned(4, 1);
    const Bytes next = patterned(4, 2);
    both.insert(both.end(), next.begin(), next.end());
    EXPECT_EQ(m_file.written, both);
    EXPECT_EQ(m_handler.receiveNext, 2);
}

TEST_F(LinkEngineTest, PieceThatCannotBeWrittenIsNotAcknowledged) {
    startReceiving();
    m_file.writeFails = true;
    controller(1, Command::Data, 0, patterned(10));
    EXPECT_FALSE(sentAny(Command::Ack));
    expectLastError(LinkError::FileCreate, ErrorAction::AbortTransfer, "读写文件错误.");
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
}

TEST_F(LinkEngineTest, FileListWithoutItsAnswerFailsAfterEightSeconds) {
    connectLink();
    // An answer for an area that does not exist is no answer to the list.
    m_engine.requestFileList(7);
    controller(lastSent().sequence, Command::ListReply, 0, {0x00, 0x02});
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
    run(7800);
    EXPECT_TRUE(m_listener.lists.empty());
    run(300);
    EXPECT_EQ(m_listener.lists, std::vector<std::optional<std::string>>{std::nullopt});
}

// Unanswered, the disconnect goes out three times, three seconds apart, and
// then still resets the link.
TEST_F(LinkEngineTest, UnansweredDisconnectIsRepeatedAndStillEndsTheLink) {
    connectLink();
    m_engine.disconnect();
    EXPECT_EQ(m_engine.state(), LinkState::Closing);
    EXPECT_FALSE(m_seam.timerRunning());
    run(8900);
    EXPECT_TRUE(m_listener.disconnects.empty());
    EXPECT_EQ(m_sink.writes,
              std::vector<Bytes>(3, Bytes{0x12, 0x00, 0x40, 0x00, 0x00, 0x00, 0x52}));
    run(300);
    EXPECT_EQ(m_listener.disconnects, std::vector<bool>{false});
    EXPECT_EQ(m_engine.state(), LinkState::Idle);
}

TEST_F(LinkEngineTest, FileAnswersGoToTheTransferSide) {
    connectLink();
    m_engine.sendCommand(Command::File, 2, kFileHeader);
    controller(1, Command::FileReply, 1);  // "exists" only answers a write
    EXPECT_EQ(m_handler.exists, 0);
    controller(1, Command::FileReply, 0, {0x01});
    EXPECT_EQ(m_handler.accepted, std::vector<std::uint8_t>{2});

    m_engine.sendCommand(Command::File, 1, kFileHeader);
    controller(2, Command::FileReply, 1);
    EXPECT_EQ(m_handler.exists, 1);
    EXPECT_TRUE(m_listener.errors.empty());
}

TEST_F(LinkEngineTest, ResumablePartProgramIsHandedToTheTransferSide) {
    startSending(patterned(1000));
    controller(1, Command::Ack, 8);
    EXPECT_EQ(m_handler.resumeOffers, 1);
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
    EXPECT_EQ(m_sink.readSize, LinkEngine::kFrameReadSize);

    m_engine.sendCommand(Command::File, 7, kFileHeader);
    run(5100);
    controller(m_seam.transmitSequence(), Command::Status, 0x10);
    EXPECT_EQ(m_handler.resumeQuestions, 1);
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
}

TEST_F(LinkEngineTest, ResumeRefusedByTheTransferSideLeavesTheLinkBroken) {
    // Resume offered by an acknowledgement, and asked for by a probe answer.
    for (const bool byProbe : {false, true}) {
        m_listener.errors.clear();
        startSending(patterned(1000));
        m_handler.onResume = [](LinkEngine& engine) {
            engine.raiseError(LinkError::UnknownAnswer);
        };
        if (byProbe) {
            run(5100);
            ASSERT_EQ(m_engine.state(), LinkState::Probing);
            controller(m_seam.transmitSequence(), Command::Status, 0x10);
        } else {
            controller(1, Command::Ack, 8);
        }
        m_handler.onResume = nullptr;
        expectLastError(LinkError::UnknownAnswer, ErrorAction::BreakLink, "未知的应答数据");
        EXPECT_EQ(m_engine.state(), LinkState::Idle);
        EXPECT_EQ(m_seam.timeoutLength(), LinkEngine::kNoTimeout);
    }
}

TEST_F(LinkEngineTest, AbortDropsTheNextFileThatWasAlreadyScheduled) {
    startSending(patterned(10));
    // The last acknowledgement and a refusal arrive in one chunk.
    Bytes chunk = LinkFrame::encode(Frame{1, code(Command::Ack), 0, {}});
    const Bytes refusal = LinkFrame::encode(Frame{1, code(Command::FileReply), 3, {}});
    chunk.insert(chunk.end(), refusal.begin(), refusal.end());
    feed(chunk);
    expectLastError(LinkError::StorageFull, ErrorAction::AbortTransfer, "FLASH存储空间满.");
    EXPECT_EQ(m_handler.sendNext, 0);
}

TEST_F(LinkEngineTest, ChunkThatDoesNotFitIsDroppedWithError17) {
    connectLink();
    feed(Bytes(LinkFrameParser::kCapacity + 1, 0x12));
    expectLastError(LinkError::BufferOverflow, ErrorAction::Continue,
                    "通讯错误 17: 接收缓冲区溢出");
    EXPECT_EQ(m_engine.state(), LinkState::Ready);
    controller(1, Command::Control, 3);
    EXPECT_EQ(lastSent().command, code(Command::ControlReply));
}

TEST_F(LinkEngineTest, PartProgramRefusalsOfTheTransferSideAbortTheTransfer) {
    for (const LinkError error : {LinkError::ProgramFormat, LinkError::ProgramTooLong}) {
        startSending(patterned(1000));
        EXPECT_EQ(m_engine.raiseError(error), ErrorAction::AbortTransfer);
        expectLastError(error, ErrorAction::AbortTransfer,
                        error == LinkError::ProgramFormat ? "通讯错误 23: 零件程序格式错误"
                                                          : "通讯错误 24: 零件程序长度超过2M字节");
        EXPECT_EQ(m_engine.state(), LinkState::Ready);
        EXPECT_EQ(m_seam.timeoutLength(), LinkEngine::kNoTimeout);
    }
}

TEST_F(LinkEngineTest, CommandThatCannotBeQueuedStartsNoTimeout) {
    connectLink();
    m_sink.failWrites = true;
    EXPECT_FALSE(m_engine.sendCommand(Command::List, 1));
    EXPECT_EQ(m_seam.timeoutLength(), LinkEngine::kNoTimeout);
}

}  // namespace
}  // namespace kelcc::core::comm
