#include "comm/transfer_progress.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kelcc::core::comm {
namespace {

TEST(TransferProgressTest, KilobytesAndSessionPercentAsTheWindowShowsThem) {
    std::ifstream in(KELCC_COMM_CASES_DIR "/transfer_progress.txt");
    int cases = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        std::uint64_t a = 0, b = 0, c = 0;
        if (line.empty() || line[0] == '#') continue;
        ++cases;
        words >> kind >> a >> b;
        if (kind == "percent" && words >> c) {
            EXPECT_EQ(TransferProgress::sessionPercent(a, b), int(c)) << line;
        } else {
            ASSERT_EQ(kind, "kilobytes") << line;
            EXPECT_EQ(TransferProgress::kilobytes(std::uint32_t(a)), b) << line;
            EXPECT_EQ(TransferProgress::kilobyteText(std::uint32_t(a)), std::to_string(b) + "K");
        }
    }
    EXPECT_GT(cases, 10);
}

TEST(TransferProgressTest, SessionOfTwoFiles) {
    TransferProgress progress;
    progress.start();
    EXPECT_EQ(progress.speed(), "0 字节/秒");
    progress.setTotal(1536);
    progress.newFile(1024);
    EXPECT_EQ(progress.fileSizeText(), "/1K");
    EXPECT_EQ(progress.fileDoneText(), "0K");
    progress.moved(512, false);
    EXPECT_EQ(progress.fileDoneText(), "1K");
    EXPECT_EQ(progress.percentText(), "33");
    EXPECT_EQ(progress.fileBar(), 512u);
    EXPECT_EQ(progress.sessionBar(), 512u);
    // The piece that completes a file changes no text or bar.
    progress.moved(512, false);
    EXPECT_EQ(progress.percentText(), "33");
    EXPECT_EQ(progress.fileBar(), 512u);
    EXPECT_EQ(progress.sessionDone(), 1024u);

    progress.newFile(512);
    EXPECT_EQ(progress.fileSizeText(), "/1K");
    EXPECT_EQ(progress.fileDoneText(), "0K");
    EXPECT_EQ(progress.fileBar(), 0u);
    progress.moved(500, false);
    EXPECT_EQ(progress.percentText(), "99");
    progress.moved(12, false);
    EXPECT_EQ(progress.percentText(), "99");
    EXPECT_EQ(progress.sessionDone(), 1536u);
}

TEST(TransferProgressTest, SpeedCountsOnlyMovedBytesAndRunningTime) {
    TransferProgress progress;
    progress.setTotal(100000);
    progress.newFile(100000);
    progress.moved(4000, true);  // skipped by a resume
    progress.moved(3000, false);
    progress.tick(true);  // deleting first: the clock stands still
    EXPECT_EQ(progress.elapsedSeconds(), 0u);
    EXPECT_EQ(progress.speed(), "0 字节/秒");
    progress.tick(false);
    EXPECT_EQ(progress.speed(), "1500 字节/秒");
    progress.tick(false);
    EXPECT_EQ(progress.speed(), "750 字节/秒");
    EXPECT_EQ(progress.sessionDone(), 7000u);
    progress.start();
    EXPECT_EQ(progress.sessionDone(), 0u);
    EXPECT_EQ(progress.elapsedSeconds(), 0u);
}

}  // namespace
}  // namespace kelcc::core::comm
