#include "sim_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../core/common/temp_folder.h"
#include "comm/file_header.h"
#include "comm/link_frame.h"
#include "comm/resume_record.h"
#include "sim_test_support.h"

namespace kelcc::sim {
namespace {

using core::comm::Command;
using core::comm::FileEntry;
using core::comm::FileHeader;
using core::comm::Frame;
using core::comm::LinkFrame;
using core::comm::ResumeRecord;
using core::comm::Role;
namespace ack_code = core::comm::ack_code;
namespace answer_code = core::comm::answer_code;
namespace status_code = core::comm::status_code;
using test::bytesOf;
using test::frameBytes;
using test::textOf;

std::uint8_t code(Command command) {
    return static_cast<std::uint8_t>(command);
}

std::vector<std::uint8_t> pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return bytes;
}

std::vector<std::uint8_t> header(const std::string& name, std::uint8_t area, std::uint32_t size) {
    FileEntry entry;
    entry.name = name;
    entry.area = area;
    entry.size = size;
    return bytesOf(*FileHeader::forEntry(entry).encode());
}

// Plays the PC: numbers its commands and checks the answers.
class SimControllerTest : public ::testing::Test {
protected:
    void SetUp() override { make(SimOptions{}); }

    void make(SimOptions options) {
        m_controller.reset();
        m_storage = std::make_unique<SimStorage>(m_folder.path() / "storage");
        m_controller = std::make_unique<SimController>(*m_storage, std::move(options), m_sink);
    }

    void connect() {
        m_controller->receive(LinkFrame::kLinkRequest);
        ASSERT_FALSE(m_sink.writes().empty());
        const std::vector<std::uint8_t> accept(LinkFrame::kLinkAccept.begin(),
                                               LinkFrame::kLinkAccept.end());
        ASSERT_EQ(m_sink.writes().back(), accept);
        m_pcTx = 255;
    }

    std::uint8_t nextTx() {
        m_pcTx = m_pcTx == 255 ? 1 : static_cast<std::uint8_t>(m_pcTx + 1);
        return m_pcTx;
    }

    std::vector<Frame> feed(const std::vector<std::uint8_t>& bytes) {
        m_controller->receive(bytes);
        return m_sink.frames();
    }

    std::vector<Frame> command(Command command, std::uint8_t subCode,
                               std::vector<std::uint8_t> data = {}) {
        return feed(frameBytes(nextTx(), command, subCode, std::move(data)));
    }

    std::vector<Frame> probe() { return feed(frameBytes(m_pcTx, Command::Probe, 0)); }

    // The single frame of an answer; a frame no test expects if not single.
    static Frame only(const std::vector<Frame>& frames) {
        EXPECT_EQ(frames.size(), 1u);
        return frames.size() == 1 ? frames[0] : Frame{0xEE, 0xEE, 0xEE, {}};
    }

    core::common::TempFolder m_folder{"kel500-sim-ctl-"};
    test::RecordingSink m_sink;
    std::unique_ptr<SimStorage> m_storage;
    std::unique_ptr<SimController> m_controller;
    std::uint8_t m_pcTx = 255;
};

TEST_F(SimControllerTest, HandshakeAnswersInOneChunkIgnoresFramesBeforeAndRolesFollow) {
    EXPECT_TRUE(feed(frameBytes(1, Command::List, 1)).empty());
    EXPECT_TRUE(m_sink.writes().empty());
    // Split request bytes still open the link from the controller's side.
    m_controller->receive(std::vector<std::uint8_t>{0xAA});
    m_controller->receive(std::vector<std::uint8_t>{0xAA, 0xAA});
    ASSERT_EQ(m_sink.writes().size(), 1u);
    EXPECT_EQ(m_sink.writes()[0], std::vector<std::uint8_t>(3, 0x55));
    EXPECT_EQ(m_controller->state(), SimController::State::Ready);
    // A PC that missed the accept and asks again: the link run DamagedAccept.

    // Role changes are answered with the command's sequence.
    const Frame toCnc = only(command(Command::Control, 3));
    EXPECT_EQ(toCnc.command, code(Command::ControlReply));
    EXPECT_EQ(toCnc.subCode, 0);
    EXPECT_EQ(toCnc.sequence, 1);
    EXPECT_EQ(m_controller->role(), Role::MasterCnc);
    EXPECT_EQ(only(command(Command::Control, 4)).sequence, 2);
    EXPECT_EQ(m_controller->role(), Role::MasterPc);
}

// Names that could leave the storage folder are refused by every file
// command and for an upload; an area the controller does not have holds no
// file. The list of area 0 names the files of every area.
TEST_F(SimControllerTest, RefusesNamesAndAreasItDoesNotHaveAndListsEveryArea) {
    connect();
    for (const std::string name : {"../escape", "..", "a/b", "a\\b", "c:x", ".hidden", "x\x01y"}) {
        SCOPED_TRACE(name);
        for (const std::uint8_t op : {1, 2, 4})
            EXPECT_NE(only(command(Command::File, op, header(name, 1, 3))).subCode, 0);
    }
    EXPECT_FALSE(m_controller->planUpload("../up", pattern(3)));
    EXPECT_EQ(only(command(Command::File, 1, header("plc.ldx", 7, 3))).subCode,
              answer_code::kNoSuchFile);
    EXPECT_EQ(only(command(Command::List, 9)).subCode, answer_code::kNoSuchFile);
    // The storage folder holds only the area folders, all empty.
    std::size_t entries = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(m_folder.path())) {
        EXPECT_TRUE(item.is_directory()) << item.path();
        ++entries;
    }
    EXPECT_EQ(entries, 5u);

    ASSERT_TRUE(m_storage->write(2, "O0001.cnc", pattern(120)));
    ASSERT_TRUE(m_storage->write(1, "plc.ldx", pattern(3)));
    const auto frames = command(Command::List, 0);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].data, (std::vector<std::uint8_t>{0, 2}));
    // The list fits the first data frame, which is thus the last.
    EXPECT_EQ(frames[1].command & 0x7F, 0);
    EXPECT_EQ(frames[1].sequence, 1);
    EXPECT_EQ(frames[1].subCode, 1);
    EXPECT_EQ(textOf(frames[1].data), "plc.ldx\t3\t1\t\r\nO0001.cnc\t120\t2\t\r\n");
}

// Reads while refusing writes: the link run ReceiveFromRefusing.
TEST_F(SimControllerTest, RefusingWritesRefusesDeletes) {
    SimOptions refuse;
    refuse.refuseWrite = true;
    make(refuse);
    ASSERT_TRUE(m_storage->write(1, "plc.bin", pattern(4)));
    connect();
    EXPECT_EQ(only(command(Command::File, 4, header("plc.bin", 1, 4))).subCode,
              answer_code::kNoPermission);
    EXPECT_TRUE(m_storage->exists(1, "plc.bin"));
}

TEST_F(SimControllerTest, ProbeAnswersFollowTheSequenceOfThePcsLastFrame) {
    connect();
    const Frame status = only(probe());
    EXPECT_EQ(status.command, code(Command::Status));
    EXPECT_EQ(status.subCode, status_code::kNothingPending);
    EXPECT_EQ(status.sequence, m_pcTx);

    // Probes after a lost command answer, piece or acknowledgement, and a
    // repeated piece, are the link runs LostFileReply, LostPiece,
    // LostAcknowledgement, LostLastAcknowledgement and RepeatedPiece; the
    // answers to damaged frames DamagedDataCrc and DamagedHeader
    // (tests/core/comm/link_runs).
    // A frame out of sequence is not taken.
    ASSERT_EQ(command(Command::File, 1, header("plc.ldx", 1, 2000)).size(), 1u);
    EXPECT_TRUE(feed(frameBytes(3, Command::Data, 2, pattern(512))).empty());
    EXPECT_EQ(only(feed(frameBytes(1, Command::Data, 0, pattern(512)))).sequence, 1);
    EXPECT_EQ(only(feed(frameBytes(2, Command::Data, 1, pattern(100)))).subCode, 0);
    EXPECT_EQ(m_storage->read(1, "plc.ldx")->size(), 612u);
}

TEST_F(SimControllerTest, DisconnectIsAnsweredAndDropsAnUnfinishedFile) {
    connect();
    ASSERT_EQ(command(Command::File, 1, header("plc.ldx", 1, 1000)).size(), 1u);
    m_pcTx = 255;
    ASSERT_EQ(feed(frameBytes(nextTx(), Command::Data, 0, pattern(512))).size(), 1u);

    const Frame answer = only(feed(frameBytes(0, Command::Disconnect, 0)));
    EXPECT_EQ(answer.command, code(Command::DisconnectReply));
    EXPECT_EQ(answer.sequence, 0);
    EXPECT_EQ(m_controller->state(), SimController::State::Idle);
    EXPECT_FALSE(m_storage->exists(1, "plc.ldx"));
    EXPECT_TRUE(feed(frameBytes(2, Command::Data, 1, pattern(10))).empty());
    EXPECT_TRUE(command(Command::List, 1).empty());

    connect();
    EXPECT_EQ(only(command(Command::File, 1, header("plc.ldx", 1, 1000))).subCode, 0);
}

TEST_F(SimControllerTest, InterruptedPartProgramResumesFromWhatIsHeld) {
    SimOptions options;
    options.interruptAfter = 1024;
    make(options);
    connect();
    const auto program = pattern(3000);
    ASSERT_EQ(command(Command::File, 1, header("O0001.cnc", 2, program.size()))[0].subCode, 0);
    m_pcTx = 255;
    EXPECT_EQ(only(feed(frameBytes(nextTx(), Command::Data, 0, pattern(512)))).subCode,
              ack_code::kResumable);

    const auto pcRecord = [&](ResumeRecord::Mode mode) {
        return bytesOf(
            ResumeRecord::fromPc(mode, program.size(), 1700000000, "/p/O0001.cnc").encode());
    };
    const auto startAt = [&] {
        const Frame answer =
            only(command(Command::File, 7, pcRecord(ResumeRecord::Mode::Continue)));
        return ResumeRecord::decode(textOf(answer.data))->offset;
    };
    EXPECT_EQ(startAt(), 0u);

    // Two pieces reach the break point; the second gets no answer.
    m_pcTx = 255;
    EXPECT_EQ(feed(frameBytes(nextTx(), Command::Data, 0, pattern(512))).size(), 1u);
    std::vector<std::uint8_t> second(program.begin() + 512, program.begin() + 1024);
    EXPECT_TRUE(feed(frameBytes(nextTx(), Command::Data, 2, second)).empty());
    EXPECT_EQ(probe()[0].subCode, status_code::kWantsResume);

    const auto held = ResumeRecord::decode(
        textOf(only(command(Command::File, 6, pcRecord(ResumeRecord::Mode::Question))).data));
    ASSERT_TRUE(held);
    EXPECT_EQ(held->offset, 1024u);
    // The size field is what the controller holds, not the PC's file size.
    EXPECT_EQ(held->size, 1024u);
    EXPECT_EQ(held->modified, 1700000000u);
    EXPECT_EQ(held->path, "/p/O0001.cnc");

    EXPECT_EQ(startAt(), 1024u);
    // The rest, the first piece marked first, each acknowledged as taken.
    m_pcTx = 255;
    for (std::size_t pos = 1024; pos < program.size(); pos += LinkFrame::kPacketSize) {
        const std::size_t end = std::min(pos + LinkFrame::kPacketSize, program.size());
        const std::uint8_t subCode = end == program.size() ? 1 : pos == 1024 ? 0 : 2;
        const std::vector<std::uint8_t> piece(program.begin() + static_cast<std::ptrdiff_t>(pos),
                                              program.begin() + static_cast<std::ptrdiff_t>(end));
        EXPECT_EQ(only(feed(frameBytes(nextTx(), Command::Data, subCode, piece))).subCode, 0);
    }
    EXPECT_EQ(m_storage->read(2, "O0001.cnc"), program);
}

}  // namespace
}  // namespace kelcc::sim
