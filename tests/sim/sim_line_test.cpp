#include <gtest/gtest.h>

#include <bit>
#include <iterator>
#include <numeric>
#include <sstream>

#include "line_faults.h"
#include "line_pacer.h"
#include "sim_options.h"

namespace kelcc::sim {
namespace {

std::vector<std::uint8_t> ramp(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

TEST(LineFaults, SameSeedDamagesTheSameBytes) {
    const auto clean = ramp(20000);
    LineFaults first(0.01, 0.01, 42);
    LineFaults second(0.01, 0.01, 42);
    LineFaults other(0.01, 0.01, 43);
    const auto a = first.apply(clean);
    EXPECT_EQ(a, second.apply(clean));
    EXPECT_NE(a, other.apply(clean));
    // Roughly the asked rate, never zero at this length.
    EXPECT_GT(first.dropped(), 50u);
    EXPECT_LT(first.dropped(), 400u);
    EXPECT_GT(first.corrupted(), 50u);
    EXPECT_EQ(a.size(), clean.size() - first.dropped());
}

TEST(LineFaults, ZeroRatesPassEverythingAndFullRatesNothing) {
    const auto clean = ramp(1000);
    LineFaults quiet(0.0, 0.0, 1);
    EXPECT_FALSE(quiet.active());
    EXPECT_EQ(quiet.apply(clean), clean);

    LineFaults noisy(1.0, 0.0, 1);
    const auto damaged = noisy.apply(clean);
    ASSERT_EQ(damaged.size(), clean.size());
    for (std::size_t i = 0; i < clean.size(); ++i)
        EXPECT_NE(damaged[i], clean[i]);

    LineFaults cut(0.0, 1.0, 1);
    EXPECT_TRUE(cut.apply(clean).empty());

    // A flip changes exactly one bit of every byte it hits.
    LineFaults flips(0.0, 0.0, 1, 1.0);
    EXPECT_TRUE(flips.active());
    const auto flipped = flips.apply(clean);
    ASSERT_EQ(flipped.size(), clean.size());
    for (std::size_t i = 0; i < clean.size(); ++i)
        EXPECT_EQ(std::popcount(static_cast<unsigned>(flipped[i] ^ clean[i])), 1) << i;
    EXPECT_EQ(flips.flipped(), clean.size());
}

TEST(LinePacer, ReleasesWholeChunksAtTheLineSpeed) {
    // 9600 baud moves 960 bytes a second.
    LinePacer pacer(9600, 0);
    pacer.push(ramp(3), 1000);
    pacer.push(ramp(96), 1000);
    EXPECT_TRUE(pacer.takeDue(1003).empty());
    EXPECT_EQ(pacer.takeDue(1004).size(), 3u);  // 3.125 ms rounded up
    EXPECT_EQ(pacer.nextDueMs(), 1104u);
    EXPECT_TRUE(pacer.takeDue(1103).empty());
    EXPECT_EQ(pacer.takeDue(1104).size(), 96u);
    EXPECT_TRUE(pacer.empty());
    // An idle line starts the next chunk at once.
    pacer.push(ramp(1), 5000);
    EXPECT_EQ(pacer.nextDueMs(), 5002u);
}

TEST(LinePacer, ShortChunksAddUpWithoutRoundingEachOne) {
    // 100 chunks of 7 bytes at 115200 baud: 60.8 ms in all, where rounding
    // every chunk to a whole millisecond would make it 100 ms.
    LinePacer pacer(115200, 0);
    for (int i = 0; i < 100; ++i)
        pacer.push(ramp(7), 0);
    EXPECT_EQ(pacer.queuedBytes(), 700u);
    std::size_t released = 0;
    while (auto chunk = pacer.popDue(61)) {
        EXPECT_EQ(chunk->size(), 7u);  // one at a time, whole
        released += chunk->size();
    }
    EXPECT_EQ(released, 700u);
    EXPECT_TRUE(pacer.empty());
    EXPECT_EQ(pacer.queuedBytes(), 0u);

    pacer.push(ramp(7), 1000);
    EXPECT_FALSE(pacer.popDue(1000));
    EXPECT_TRUE(pacer.popDue(1001));
}

TEST(LinePacer, DelayAndNoPacing) {
    LinePacer delayed(0, 250);
    delayed.push(ramp(10), 100);
    delayed.push(ramp(10), 120);
    EXPECT_TRUE(delayed.takeDue(349).empty());
    EXPECT_EQ(delayed.takeDue(350).size(), 10u);
    EXPECT_EQ(delayed.takeDue(370).size(), 10u);

    LinePacer direct(0, 0);
    direct.push(ramp(600), 7);
    EXPECT_EQ(direct.takeDue(7).size(), 600u);
}

TEST(SimOptions, ParsesEveryOption) {
    std::string message;
    std::istringstream line(
        "--storage /tmp/s --link /tmp/l --busy 1500 --storage-full --refuse-write "
        "--interrupt-after 4096 --upload u.txt --corrupt-rate 0.001 --drop-rate 0.5 --seed 7 "
        "--flip-rate 0.0005 "
        "--delay-ms 20 --baud 19200");
    const std::vector<std::string> args{std::istream_iterator<std::string>(line), {}};
    const auto parsed = SimOptions::parse(args, message);
    ASSERT_TRUE(parsed) << message;
    const SimOptions& o = *parsed;
    EXPECT_EQ(o.storage, "/tmp/s");
    EXPECT_EQ(o.link, "/tmp/l");
    EXPECT_EQ(o.busyMs, 1500u);
    EXPECT_TRUE(o.storageFull);
    EXPECT_TRUE(o.refuseWrite);
    EXPECT_EQ(o.interruptAfter, 4096u);
    EXPECT_EQ(o.upload, "u.txt");
    EXPECT_DOUBLE_EQ(o.corruptRate, 0.001);
    EXPECT_DOUBLE_EQ(o.dropRate, 0.5);
    EXPECT_DOUBLE_EQ(o.flipRate, 0.0005);
    EXPECT_EQ(o.seed, 7u);
    EXPECT_EQ(o.delayMs, 20u);
    EXPECT_EQ(o.baud, 19200u);
}

TEST(SimOptions, RefusesBadValues) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--busy"},
                                               {"--busy", "-1"},
                                               {"--baud", "12x"},
                                               {"--baud", "5"},
                                               {"--corrupt-rate", "1.5"},
                                               {"--drop-rate", "nan"},
                                               {"--storage", ""},
                                               {"--frobnicate", "1"}}) {
        std::string message;
        EXPECT_FALSE(SimOptions::parse(args, message)) << args[0];
        EXPECT_FALSE(message.empty());
    }
    std::string message;
    EXPECT_FALSE(SimOptions::parse({"--help"}, message));
    EXPECT_EQ(message, SimOptions::usage());
}

}  // namespace
}  // namespace kelcc::sim
