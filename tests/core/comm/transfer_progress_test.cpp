#include "comm/transfer_progress.h"

#include <gtest/gtest.h>

namespace kelcc::core::comm {
namespace {

struct KCase {
    std::uint32_t bytes;
    std::uint32_t k;
};

class KilobyteTest : public ::testing::TestWithParam<KCase> {};

TEST_P(KilobyteTest, RoundsAsTheProgressWindowShowsIt) {
    EXPECT_EQ(TransferProgress::kilobytes(GetParam().bytes), GetParam().k) << GetParam().bytes;
    EXPECT_EQ(TransferProgress::kilobyteText(GetParam().bytes), std::to_string(GetParam().k) + "K");
}

INSTANTIATE_TEST_SUITE_P(Sizes, KilobyteTest,
                         ::testing::Values(KCase{0, 1}, KCase{1, 1}, KCase{511, 1}, KCase{512, 1},
                                           KCase{1023, 1}, KCase{1024, 1}, KCase{1535, 1},
                                           KCase{1536, 2}, KCase{2047, 2}, KCase{2048, 2},
                                           KCase{2097152, 2048}, KCase{4294967295u, 4194304}));

struct PercentCase {
    std::uint64_t done;
    std::uint64_t total;
    int percent;
};

class PercentTest : public ::testing::TestWithParam<PercentCase> {};

TEST_P(PercentTest, NeverShowsAHundred) {
    EXPECT_EQ(TransferProgress::sessionPercent(GetParam().done, GetParam().total),
              GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Values, PercentTest,
                         ::testing::Values(PercentCase{0, 1000, 0}, PercentCase{9, 1000, 0},
                                           PercentCase{10, 1000, 1}, PercentCase{500, 1000, 50},
                                           PercentCase{999, 1000, 99}, PercentCase{1000, 1000, 99},
                                           PercentCase{1500, 1000, 99}, PercentCase{5, 0, 0},
                                           // would overflow 32-bit arithmetic
                                           PercentCase{60000000, 100000000, 60}));

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
