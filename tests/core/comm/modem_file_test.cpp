#include "comm/modem_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/atomic_file.h"
#include "test_folder.h"

namespace kelcc::core::comm {
namespace {

namespace fs = std::filesystem;
using Read = ModemFile::ReadResult;
using Result = cnc_data::PartProgramImage::Result;

class ModemFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = testing::testFolder("kelcc_modem_");
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    void write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(common::AtomicFile::write(path(name), bytes).ok);
    }
    std::string read(const std::string& name) const {
        std::string bytes;
        EXPECT_TRUE(common::AtomicFile::read(path(name), bytes).ok) << name;
        return bytes;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(m_dir))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    // Reads everything in pieces of `wanted`, returning the results.
    std::vector<Read> drain(ModemFile& file, std::size_t wanted, std::string& all) {
        std::vector<Read> results;
        std::string piece;
        for (;;) {
            const Read r = file.readPiece(wanted, piece);
            results.push_back(r);
            all += piece;
            if (r == Read::Nothing || r == Read::Error || results.size() > 100) return results;
        }
    }

    fs::path m_dir;
};

struct PieceCase {
    std::size_t size;
    std::vector<Read> results;
};

class ModemFilePieceTest : public ModemFileTest, public ::testing::WithParamInterface<PieceCase> {};

// The piece that reaches the end is marked last, so the last data frame of
// every file is its last-piece frame; an empty file has no piece at all.
TEST_P(ModemFilePieceTest, PiecesOfAFile) {
    std::string bytes;
    for (std::size_t i = 0; i < GetParam().size; ++i)
        bytes += static_cast<char>(i * 7);
    write("plc.bin", bytes);
    ModemFile file;
    std::uint64_t reported = 0;
    file.setProgressObserver([&](std::uint32_t n) { reported += n; });
    ASSERT_EQ(file.openForSend(path("plc.bin"), "plc.bin").result, Result::Ok);
    EXPECT_FALSE(file.isImage());
    EXPECT_EQ(file.size(), GetParam().size);
    std::string all;
    EXPECT_EQ(drain(file, 512, all), GetParam().results);
    EXPECT_EQ(all, bytes);
    EXPECT_EQ(reported, GetParam().size);
    EXPECT_EQ(file.readPiece(512, all), Read::Nothing);
    EXPECT_TRUE(file.finish());
    EXPECT_FALSE(file.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ModemFilePieceTest,
    ::testing::Values(PieceCase{0, {Read::Nothing}}, PieceCase{512, {Read::Last, Read::Nothing}},
                      PieceCase{1024, {Read::More, Read::Last, Read::Nothing}},
                      PieceCase{1025, {Read::More, Read::More, Read::Last, Read::Nothing}}));

TEST_F(ModemFileTest, PartProgramIsSentAsItsPreparedImageOrRefused) {
    write("O0001.cnc", "O0001;\nG00 X10;Z5\n\nm30\n");
    ModemFile file;
    ASSERT_EQ(file.openForSend(path("O0001.cnc"), "O0001.cnc").result, Result::Ok);
    EXPECT_TRUE(file.isImage());
    const std::string image = "O0001\r\nG00 X10\r\nZ5\r\nM30\r\n";
    EXPECT_EQ(file.size(), image.size());
    std::string all;
    EXPECT_EQ(drain(file, 10, all),
              (std::vector<Read>{Read::More, Read::More, Read::Last, Read::Nothing}));
    EXPECT_EQ(all, image);
    // The file on disk is untouched by the preparation.
    EXPECT_EQ(read("O0001.cnc"), "O0001;\nG00 X10;Z5\n\nm30\n");

    // Refused programs leave nothing open.
    write("O0002.cnc", "N10 G00\n");
    write("O0003.cnc", "O0003\nG01 X1@\n");
    EXPECT_EQ(file.openForSend(path("O0002.cnc"), "O0002.CNC").result, Result::BadFirstLine);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.openForSend(path("O0003.cnc"), "O0003.cnc").result, Result::BadCharacter);
    EXPECT_FALSE(file.isOpen());
}

TEST_F(ModemFileTest, MissingFileOrFolderIsUnreadableAndNothingIsCreated) {
    ModemFile file;
    for (const char* name : {"plc.bin", "O0009.cnc"}) {
        const auto opened = file.openForSend(path(name), name);
        EXPECT_EQ(opened.result, Result::Unreadable) << name;
        EXPECT_FALSE(opened.error.empty());
        EXPECT_FALSE(file.isOpen());
    }
    EXPECT_TRUE(names().empty());
    fs::create_directory(m_dir / "sub");
    EXPECT_EQ(file.openForSend(path("sub"), "plc.bin").result, Result::Unreadable);
}

TEST_F(ModemFileTest, FileThatShrinksWhileSentIsAReadErrorOneThatGrowsIsCut) {
    write("Tcomp.cmp", std::string(1000, 'a'));
    ModemFile file;
    ASSERT_EQ(file.openForSend(path("Tcomp.cmp"), "Tcomp.cmp").result, Result::Ok);
    fs::resize_file(m_dir / "Tcomp.cmp", 600);
    std::string piece;
    EXPECT_EQ(file.readPiece(512, piece), Read::More);
    EXPECT_EQ(file.readPiece(512, piece), Read::Error);
    EXPECT_TRUE(piece.empty());

    // One that grows stops at its announced size.
    write("Wcomp.wmp", std::string(600, 'a'));
    ASSERT_EQ(file.openForSend(path("Wcomp.wmp"), "Wcomp.wmp").result, Result::Ok);
    {
        std::FILE* f = std::fopen(path("Wcomp.wmp").c_str(), "ab");
        ASSERT_TRUE(f);
        std::fputs("more", f);
        std::fclose(f);
    }
    std::string all;
    drain(file, 512, all);
    EXPECT_EQ(all.size(), 600u);
}

TEST_F(ModemFileTest, SeekResumesFromTheOffset) {
    write("O0005.cnc", "O0005\nG00 X1\nM30\n");
    write("plc.bin", "0123456789");
    ModemFile file;
    ASSERT_EQ(file.openForSend(path("O0005.cnc"), "O0005.cnc").result, Result::Ok);
    ASSERT_TRUE(file.seek(7));
    std::string piece;
    EXPECT_EQ(file.readPiece(512, piece), Read::Last);
    EXPECT_EQ(piece, "G00 X1\r\nM30\r\n");
    EXPECT_FALSE(file.seek(file.size() + 1));

    ASSERT_EQ(file.openForSend(path("plc.bin"), "plc.bin").result, Result::Ok);
    ASSERT_TRUE(file.seek(8));
    EXPECT_EQ(file.readPiece(512, piece), Read::Last);
    EXPECT_EQ(piece, "89");
    ASSERT_TRUE(file.seek(10));
    EXPECT_EQ(file.readPiece(512, piece), Read::Nothing);
    EXPECT_FALSE(file.seek(11));
}

TEST_F(ModemFileTest, ReceivedFileAppearsWholeOnlyWhenFinished) {
    ModemFile file;
    std::uint64_t reported = 0;
    file.setProgressObserver([&](std::uint32_t n) { reported += n; });
    ASSERT_TRUE(file.openForReceive(path("ParaB.par")));
    ASSERT_TRUE(file.writePiece(std::string(512, 'x')));
    ASSERT_TRUE(file.writePiece("tail"));
    EXPECT_FALSE(fs::exists(m_dir / "ParaB.par"));
    EXPECT_EQ(file.written(), 516u);
    ASSERT_TRUE(file.finish());
    EXPECT_EQ(read("ParaB.par"), std::string(512, 'x') + "tail");
    EXPECT_EQ(names(), std::vector<std::string>{"ParaB.par"});
    EXPECT_EQ(reported, 516u);
}

TEST_F(ModemFileTest, AbortedReceiveLeavesTheOldFileAndNoPartialFile) {
    write("plc.ldx", "old contents");
    {
        ModemFile file;
        ASSERT_TRUE(file.openForReceive(path("plc.ldx")));
        ASSERT_TRUE(file.writePiece("half of the new"));
        file.abort();
        EXPECT_FALSE(file.isOpen());
        EXPECT_FALSE(file.writePiece("more"));
    }
    {
        // Destroyed mid-transfer, as when the link is torn down.
        ModemFile file;
        ASSERT_TRUE(file.openForReceive(path("plc.ldx")));
        ASSERT_TRUE(file.writePiece("half"));
    }
    EXPECT_EQ(read("plc.ldx"), "old contents");
    EXPECT_EQ(names(), std::vector<std::string>{"plc.ldx"});
}

TEST_F(ModemFileTest, RawBufferPiecesMatchTheFile) {
    write("plc.bin", std::string(600, 'q') + "end");
    ModemFile file;
    ASSERT_EQ(file.openForSend(path("plc.bin"), "plc.bin").result, Result::Ok);
    std::array<std::uint8_t, 512> buffer{};
    std::size_t count = 0;
    EXPECT_EQ(file.readPiece(buffer, count), Read::More);
    EXPECT_EQ(count, 512u);
    EXPECT_EQ(buffer[511], 'q');
    EXPECT_EQ(file.readPiece(buffer, count), Read::Last);
    ASSERT_EQ(count, 91u);
    EXPECT_EQ(std::string(buffer.begin() + 88, buffer.begin() + 91), "end");

    ASSERT_TRUE(file.openForReceive(path("copy.bin")));
    const std::array<std::uint8_t, 3> bytes{'a', 0, 'b'};
    ASSERT_TRUE(file.writePiece(std::span<const std::uint8_t>(bytes)));
    ASSERT_TRUE(file.finish());
    EXPECT_EQ(read("copy.bin"), std::string("a\0b", 3));
}

TEST_F(ModemFileTest, ReadingAndWritingNeedTheirOwnModeAndAnExistingFolder) {
    write("plc.bin", "abc");
    ModemFile file;
    std::string piece;
    EXPECT_EQ(file.readPiece(512, piece), Read::Error);
    EXPECT_FALSE(file.writePiece("x"));
    ASSERT_EQ(file.openForSend(path("plc.bin"), "plc.bin").result, Result::Ok);
    EXPECT_FALSE(file.writePiece("x"));
    ASSERT_TRUE(file.openForReceive(path("in.bin")));
    EXPECT_EQ(file.readPiece(512, piece), Read::Error);
    EXPECT_FALSE(file.seek(0));
    file.abort();

    EXPECT_FALSE(file.openForReceive(path("nowhere/O0001.cnc")));
    EXPECT_FALSE(file.lastError().empty());
    EXPECT_FALSE(file.isOpen());
}

TEST_F(ModemFileTest, ModifiedTimeIsSecondsSince1970) {
    write("O0001.cnc", "O0001\n");
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(m_dir / "O0001.cnc", when);
    const auto seconds = ModemFile::modifiedTime(path("O0001.cnc"));
    ASSERT_TRUE(seconds);
    const auto expected = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(when).time_since_epoch());
    EXPECT_EQ(*seconds, static_cast<std::uint32_t>(expected.count()));
    EXPECT_FALSE(ModemFile::modifiedTime(path("none")));
}

}  // namespace
}  // namespace kelcc::core::comm
