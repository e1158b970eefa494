#include "sim_controller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "comm/file_header.h"
#include "comm/file_list.h"
#include "comm/link_frame.h"
#include "comm/resume_record.h"
#include "sim_test_support.h"

namespace kelcc::sim {
namespace {

using core::comm::Command;
using core::comm::FileEntry;
using core::comm::FileHeader;
using core::comm::FileList;
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

// Plays the PC: numbers its commands, acknowledges data, checks answers.
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

    // Sends the data as the PC's sending side does; returns the answer to
    // each frame (empty when there was none).
    std::vector<std::vector<Frame>> sendData(const std::vector<std::uint8_t>& bytes,
                                             std::size_t from = 0) {
        std::vector<std::vector<Frame>> answers;
        for (std::size_t pos = from;;) {
            const std::size_t length = std::min(LinkFrame::kPacketSize, bytes.size() - pos);
            const bool last = pos + length >= bytes.size();
            const std::uint8_t subCode = last ? 1 : pos == from ? 0 : 2;
            std::vector<std::uint8_t> piece(
                bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                bytes.begin() + static_cast<std::ptrdiff_t>(pos + length));
            answers.push_back(feed(frameBytes(nextTx(), Command::Data, subCode, piece)));
            pos += length;
            if (last || answers.back().empty() || answers.back()[0].subCode != 0) break;
        }
        return answers;
    }

    std::uint8_t writeFile(const std::string& name, std::uint8_t area,
                           const std::vector<std::uint8_t>& bytes) {
        const auto answer = command(Command::File, 1, header(name, area, bytes.size()));
        EXPECT_EQ(answer.size(), 1u);
        if (answer.size() != 1 || answer[0].subCode != 0)
            return answer.empty() ? 0xFF : answer[0].subCode;
        EXPECT_EQ(answer[0].command, code(Command::FileReply));
        m_pcTx = 255;
        for (const auto& ack : sendData(bytes)) {
            EXPECT_EQ(ack.size(), 1u);
            if (ack.empty()) return 0xFE;
            EXPECT_EQ(ack[0].command, code(Command::Ack));
            if (ack[0].subCode != 0) return ack[0].subCode;
        }
        m_pcTx = 255;
        return 0;
    }

    // Acknowledges every data frame until the last; collects their data and
    // sub-codes.
    std::vector<std::uint8_t> receiveData(std::vector<Frame> frames,
                                          std::vector<std::uint8_t>* subCodes = nullptr) {
        std::vector<std::uint8_t> data;
        std::uint8_t expected = 1;
        while (!frames.empty()) {
            const Frame frame = frames.front();
            frames.erase(frames.begin());
            EXPECT_EQ(frame.command & 0x7F, 0);
            EXPECT_EQ(frame.sequence, expected++);
            data.insert(data.end(), frame.data.begin(), frame.data.end());
            if (subCodes) subCodes->push_back(frame.subCode);
            const auto more = feed(frameBytes(frame.sequence, Command::Ack, 0));
            if (frame.subCode == 1) {
                EXPECT_TRUE(more.empty());
                break;
            }
            frames.insert(frames.end(), more.begin(), more.end());
        }
        return data;
    }

    std::optional<std::vector<std::uint8_t>> readFile(
        const std::string& name, std::uint8_t area, std::vector<std::uint8_t>* subCodes = nullptr) {
        auto frames = command(Command::File, 2, header(name, area, 0));
        if (frames.empty() || frames[0].command != code(Command::FileReply) ||
            frames[0].subCode != 0)
            return std::nullopt;
        frames.erase(frames.begin());
        return receiveData(frames, subCodes);
    }

    std::string list(std::uint8_t area, std::uint16_t* count = nullptr) {
        auto frames = command(Command::List, area);
        EXPECT_FALSE(frames.empty());
        EXPECT_EQ(frames[0].command, code(Command::ListReply));
        EXPECT_EQ(frames[0].subCode, 0);
        EXPECT_EQ(frames[0].data.size(), 2u);
        if (count && frames[0].data.size() == 2)
            *count = static_cast<std::uint16_t>(frames[0].data[0] << 8 | frames[0].data[1]);
        frames.erase(frames.begin());
        return textOf(receiveData(frames));
    }

    test::TempFolder m_folder{
        "ctl-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())};
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
    // A PC that missed the accept asks again and is answered again.
    connect();
    EXPECT_EQ(m_sink.writes().size(), 2u);

    // Role changes are answered with the command's sequence.
    const Frame toCnc = only(command(Command::Control, 3));
    EXPECT_EQ(toCnc.command, code(Command::ControlReply));
    EXPECT_EQ(toCnc.subCode, 0);
    EXPECT_EQ(toCnc.sequence, 1);
    EXPECT_EQ(m_controller->role(), Role::MasterCnc);
    EXPECT_EQ(only(command(Command::Control, 4)).sequence, 2);
    EXPECT_EQ(m_controller->role(), Role::MasterPc);
}

TEST_F(SimControllerTest, FileListTextNamesEveryFileOfTheAreaInAsManyPiecesAsNeeded) {
    connect();
    ASSERT_TRUE(m_storage->write(2, "O0001.cnc", pattern(120)));
    ASSERT_TRUE(m_storage->write(2, "O0002.cnc", pattern(7)));
    ASSERT_TRUE(m_storage->write(1, "plc.ldx", pattern(3)));

    std::uint16_t count = 0;
    EXPECT_EQ(list(2, &count), "O0001.cnc\t120\t2\t\r\nO0002.cnc\t7\t2\t\r\n");
    EXPECT_EQ(count, 2);

    const auto all = FileList::parse(list(0, &count));
    ASSERT_TRUE(all.ok);
    ASSERT_EQ(all.entries.size(), 3u);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(all.entries[0].name, "plc.ldx");
    EXPECT_EQ(all.entries[0].area, 1);

    // An empty area answers a zero count and sends no text.
    EXPECT_EQ(only(command(Command::List, 4)).data, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(only(command(Command::List, 9)).subCode, answer_code::kNoSuchFile);

    // A long list travels in several pieces.
    for (int i = 0; i < 60; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "O%04d.cnc", i);
        ASSERT_TRUE(m_storage->write(3, name, pattern(i)));
    }
    const auto parsed = FileList::parse(list(3, &count));
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.entries.size(), 60u);
    EXPECT_EQ(count, 60);
}

class SimControllerRoundTrip : public SimControllerTest,
                               public ::testing::WithParamInterface<std::size_t> {};

TEST_P(SimControllerRoundTrip, WrittenFileReadsBackByteIdentical) {
    connect();
    const auto bytes = pattern(GetParam());
    ASSERT_EQ(writeFile("ParaB.par", 1, bytes), 0);
    EXPECT_EQ(m_storage->read(1, "ParaB.par"), bytes);
    EXPECT_EQ(m_controller->state(), SimController::State::Ready);

    std::vector<std::uint8_t> subCodes;
    const auto back = readFile("ParaB.par", 1, &subCodes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, bytes);
    // Every file ends with a piece marked last, an empty one included.
    ASSERT_FALSE(subCodes.empty());
    EXPECT_EQ(subCodes.back(), 1);
    EXPECT_EQ(subCodes.size(), std::max<std::size_t>(1, (bytes.size() + 511) / 512));
    if (subCodes.size() > 1) {
        EXPECT_EQ(subCodes.front(), 0);
    }
    for (std::size_t i = 1; i + 1 < subCodes.size(); ++i)
        EXPECT_EQ(subCodes[i], 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SimControllerRoundTrip,
                         ::testing::Values(0u, 1u, 512u, 1024u, 5000u));

TEST_F(SimControllerTest, ExistingFileIsReportedThenDeletedAndWrittenAgain) {
    connect();
    ASSERT_EQ(writeFile("Tcomp.cmp", 1, pattern(40)), 0);
    EXPECT_EQ(writeFile("Tcomp.cmp", 1, pattern(50)), answer_code::kExists);

    const Frame deleted = only(command(Command::File, 4, header("Tcomp.cmp", 1, 50)));
    EXPECT_EQ(deleted.command, code(Command::FileReply));
    EXPECT_EQ(deleted.subCode, 0);
    EXPECT_FALSE(m_storage->exists(1, "Tcomp.cmp"));

    EXPECT_EQ(writeFile("Tcomp.cmp", 1, pattern(50)), 0);
    EXPECT_EQ(m_storage->read(1, "Tcomp.cmp"), pattern(50));

    EXPECT_EQ(only(command(Command::File, 4, header("gone.txt", 1, 0))).subCode,
              answer_code::kNoSuchFile);
    EXPECT_FALSE(readFile("gone.txt", 1));
}

TEST_F(SimControllerTest, StorageFullAndRefusalAnswers) {
    SimOptions full;
    full.storageFull = true;
    make(full);
    connect();
    EXPECT_EQ(writeFile("plc.ldx", 1, pattern(10)), answer_code::kStorageFull);
    EXPECT_FALSE(m_storage->exists(1, "plc.ldx"));

    SimOptions refuse;
    refuse.refuseWrite = true;
    make(refuse);
    ASSERT_TRUE(m_storage->write(1, "plc.bin", pattern(4)));
    connect();
    EXPECT_EQ(writeFile("plc.ldx", 1, pattern(10)), answer_code::kNoPermission);
    EXPECT_EQ(only(command(Command::File, 4, header("plc.bin", 1, 4))).subCode,
              answer_code::kNoPermission);
    EXPECT_TRUE(m_storage->exists(1, "plc.bin"));
    // Reading stays allowed.
    EXPECT_EQ(readFile("plc.bin", 1), pattern(4));
}

TEST_F(SimControllerTest, HostileNamesNeverLeaveTheStorageFolder) {
    connect();
    for (const std::string name : {"../escape", "..", "a/b", "a\\b", "c:x", ".hidden", "x\x01y"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(writeFile(name, 1, pattern(3)), 0);
        EXPECT_FALSE(readFile(name, 1));
        EXPECT_NE(only(command(Command::File, 4, header(name, 1, 0))).subCode, 0);
    }
    // A storage area the controller does not have.
    EXPECT_EQ(writeFile("plc.ldx", 7, pattern(3)), answer_code::kNoSuchFile);
    // Only the storage folder exists beside nothing else, and it holds only
    // the area folders, all empty.
    std::size_t entries = 0;
    for (const auto& item : std::filesystem::recursive_directory_iterator(m_folder.path())) {
        EXPECT_TRUE(item.is_directory()) << item.path();
        ++entries;
    }
    EXPECT_EQ(entries, 5u);
}

TEST_F(SimControllerTest, ProbeAnswersFollowTheSequenceOfThePcsLastFrame) {
    connect();
    const Frame status = only(probe());
    EXPECT_EQ(status.command, code(Command::Status));
    EXPECT_EQ(status.subCode, status_code::kNothingPending);
    EXPECT_EQ(status.sequence, m_pcTx);

    // The command arrived: asked with its number, it was handled.
    ASSERT_EQ(command(Command::File, 1, header("plc.ldx", 1, 2000)).size(), 1u);
    m_pcTx = 255;
    EXPECT_EQ(feed(frameBytes(1, Command::Probe, 0))[0].subCode, status_code::kNotReceived);

    // Damage is answered when it comes, once per chunk: a check error for
    // a data frame, a negative acknowledgement for a header.
    auto damaged = frameBytes(1, Command::Data, 0, pattern(512));
    damaged[10] ^= 0x40;
    Frame answer = only(feed(damaged));
    EXPECT_EQ(answer.command, code(Command::Ack));
    EXPECT_EQ(answer.subCode, ack_code::kCheckError);
    auto badHeader = frameBytes(1, Command::Data, 0, pattern(512));
    badHeader[6] ^= 0x01;
    answer = only(feed(badHeader));
    EXPECT_EQ(answer.command, code(Command::Nak));
    EXPECT_EQ(answer.sequence, 0);
    EXPECT_EQ(feed(frameBytes(1, Command::Probe, 0))[0].subCode, status_code::kNotReceived);

    // A frame out of sequence is not taken.
    EXPECT_TRUE(feed(frameBytes(3, Command::Data, 2, pattern(512))).empty());

    // The right frame, and its repetition, are acknowledged; the data is
    // taken once.
    for (int i = 0; i < 2; ++i) {
        answer = only(feed(frameBytes(1, Command::Data, 0, pattern(512))));
        EXPECT_EQ(answer.subCode, 0);
        EXPECT_EQ(answer.sequence, 1);
    }
    EXPECT_EQ(feed(frameBytes(1, Command::Probe, 0))[0].subCode, status_code::kHandled);
    EXPECT_EQ(feed(frameBytes(2, Command::Probe, 0))[0].subCode, status_code::kNotReceived);
    EXPECT_EQ(only(feed(frameBytes(2, Command::Data, 1, pattern(100)))).subCode, 0);
    // The file is complete: its last piece stays the one the PC may ask after.
    EXPECT_EQ(feed(frameBytes(2, Command::Probe, 0))[0].subCode, status_code::kHandled);
    EXPECT_EQ(m_storage->read(1, "plc.ldx")->size(), 612u);
}

TEST_F(SimControllerTest, NegativeAcknowledgementRepeatsTheLastFrame) {
    connect();
    ASSERT_TRUE(m_storage->write(1, "Wcomp.wmp", pattern(900)));
    const auto read = frameBytes(nextTx(), Command::File, 2, header("Wcomp.wmp", 1, 0));
    auto frames = feed(read);
    ASSERT_EQ(frames.size(), 2u);
    const auto piece = m_sink.writes().back();
    m_controller->receive(frameBytes(0, Command::Nak, 0));
    EXPECT_EQ(m_sink.writes().back(), piece);
    ASSERT_EQ(m_sink.frames().size(), 1u);
    // An earlier answer repeated on the way moves nothing; after a probe it
    // is the PC asking for the piece again.
    m_controller->receive(frameBytes(255, Command::Ack, 0));
    EXPECT_TRUE(m_sink.frames().empty());
    EXPECT_EQ(only(probe()).subCode, status_code::kNotReceived);
    m_controller->receive(frameBytes(255, Command::Ack, 0));
    EXPECT_EQ(m_sink.writes().back(), piece);
    m_sink.frames();
    // The read repeated (its answer was lost): the answer again, and the
    // first piece behind it, without starting over.
    const auto repeated = feed(read);
    ASSERT_EQ(repeated.size(), 2u);
    EXPECT_EQ(repeated[0].command, frames[0].command);
    EXPECT_EQ(repeated[1].data, frames[1].data);
    frames.erase(frames.begin());
    EXPECT_EQ(receiveData(frames), pattern(900));
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
    EXPECT_EQ(writeFile("plc.ldx", 1, pattern(1000)), 0);
}

TEST_F(SimControllerTest, BusyPeriodPausesAndThenTellsThePcToGoOn) {
    SimOptions options;
    options.busyMs = 3000;
    make(options);
    m_controller->tick(100);
    connect();
    const auto bytes = pattern(512 * 10);
    ASSERT_EQ(command(Command::File, 1, header("ParaW.par", 1, bytes.size())).size(), 1u);
    m_pcTx = 255;
    auto answers = sendData(bytes);
    ASSERT_EQ(answers.size(), SimController::kFramesBetweenBusy);
    EXPECT_EQ(answers.back()[0].subCode, ack_code::kCannotTakeData);
    EXPECT_TRUE(m_controller->busy());
    EXPECT_EQ(probe()[0].subCode, status_code::kBusy);

    const Frame wait = only(command(Command::Control, 0x10));
    EXPECT_EQ(wait.command, code(Command::ControlReply));
    EXPECT_EQ(wait.subCode, answer_code::kControlBusyWait);
    ASSERT_EQ(wait.data.size(), 4u);
    const std::uint32_t waitMs = static_cast<std::uint32_t>(
        wait.data[0] << 24 | wait.data[1] << 16 | wait.data[2] << 8 | wait.data[3]);
    EXPECT_GE(waitMs, 3000u);

    m_controller->tick(100 + 2999);
    EXPECT_TRUE(m_sink.frames().empty());
    m_controller->tick(100 + 3000);
    const Frame ready = only(m_sink.frames());
    EXPECT_EQ(ready.command, code(Command::ControlReply));
    EXPECT_EQ(ready.subCode, answer_code::kReady);

    // The PC goes on with the next piece; nothing was lost.
    answers = sendData(bytes, 512 * SimController::kFramesBetweenBusy);
    EXPECT_EQ(answers.back()[0].subCode, 0);
    EXPECT_EQ(m_storage->read(1, "ParaW.par"), bytes);
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
    m_pcTx = 255;
    const auto acks = sendData(program, 1024);
    EXPECT_EQ(acks.back()[0].subCode, 0);
    EXPECT_EQ(m_storage->read(2, "O0001.cnc"), program);
}

TEST_F(SimControllerTest, ControllerStartedUploadRunsAfterAQuietSpell) {
    EXPECT_FALSE(m_controller->planUpload("../up", pattern(3)));
    ASSERT_TRUE(m_controller->planUpload("up.txt", pattern(700)));
    m_controller->tick(1000);
    connect();
    m_controller->tick(1000 + SimController::kUploadDelayMs - 1);
    EXPECT_TRUE(m_sink.frames().empty());
    m_controller->tick(1000 + SimController::kUploadDelayMs);
    Frame frame = only(m_sink.frames());
    EXPECT_EQ(frame.command, code(Command::Control));
    EXPECT_EQ(frame.subCode, 4);

    frame = only(feed(frameBytes(frame.sequence, Command::ControlReply, 0)));
    EXPECT_EQ(frame.command, code(Command::File));
    EXPECT_EQ(frame.subCode, 5);
    const auto announced = FileHeader::decode(textOf(frame.data));
    ASSERT_TRUE(announced);
    EXPECT_EQ(announced->name, "up.txt");
    EXPECT_EQ(announced->size, 700u);
    EXPECT_EQ(m_controller->role(), Role::MasterCnc);

    EXPECT_EQ(only(feed(frameBytes(frame.sequence, Command::FileReply, 0))).command,
              code(Command::Data));
    frame = only(feed(frameBytes(1, Command::Ack, 0)));
    EXPECT_EQ(frame.command, code(Command::DataLast));
    EXPECT_EQ(frame.subCode, 1);
    EXPECT_TRUE(feed(frameBytes(2, Command::Ack, 0)).empty());
    EXPECT_TRUE(m_controller->uploadFinished());

    // The PC takes the command role back after the last piece.
    EXPECT_EQ(only(command(Command::Control, 4)).subCode, 0);
    EXPECT_EQ(m_controller->role(), Role::MasterPc);
    m_controller->tick(100000);
    EXPECT_TRUE(m_sink.frames().empty());
}

}  // namespace
}  // namespace kelcc::sim
