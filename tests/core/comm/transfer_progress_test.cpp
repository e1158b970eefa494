#include "comm/transfer_progress.h"

#include <gtest/gtest.h>

namespace kelcc::core::comm {
namespace {

TEST(TransferProgressTest, KilobytesRoundAsTheProgressWindowShowsThem) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0, 1},    {1, 1},          {1024, 1},
        {1535, 1}, {1536, 2},       {2047, 2},
        {2048, 2}, {2097152, 2048}, {4294967295u, 4194304}};
    for (const auto& [bytes, k] : cases) {
        EXPECT_EQ(TransferProgress::kilobytes(bytes), k) << bytes;
        EXPECT_EQ(TransferProgress::kilobyteText(bytes), std::to_string(k) + "K");
    }
}

TEST(TransferProgressTest, SessionPercentNeverShowsAHundred) {
    struct Case {
        std::uint64_t done, total;
        int percent;
    };
    const Case cases[] = {{0, 1000, 0},
                          {9, 1000, 0},
                          {10, 1000, 1},
                          {999, 1000, 99},
                          {1000, 1000, 99},
                          {1500, 1000, 99},
                          {5, 0, 0},
                          // would overflow 32-bit arithmetic
                          {60000000, 100000000, 60}};
    for (const Case& c : cases)
        EXPECT_EQ(TransferProgress::sessionPercent(c.done, c.total), c.percent) << c.done;
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
