#include "common/text_codec.h"

#include <gtest/gtest.h>

namespace kelcc::core::common {
namespace {

TEST(TextCodec, ConvertsChineseBothWays) {
    const std::string utf8 = "PLC主程序";
    auto gbk = TextCodec::utf8ToGbk(utf8);
    ASSERT_TRUE(gbk.ok) << gbk.error;
    EXPECT_EQ(gbk.text, "PLC\xD6\xF7\xB3\xCC\xD0\xF2");
    auto back = TextCodec::gbkToUtf8(gbk.text);
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.text, utf8);
}

TEST(TextCodec, EveryAcceptedGbkPairRoundTrips) {
    int accepted = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            auto utf8 = TextCodec::gbkToUtf8(gbk);
            if (!utf8.ok) continue;
            ++accepted;
            auto back = TextCodec::utf8ToGbk(utf8.text);
            ASSERT_TRUE(back.ok) << lead << " " << trail;
            ASSERT_EQ(back.text, gbk) << lead << " " << trail;
        }
    }
    EXPECT_GT(accepted, 20000);  // GBK has 21886 codes
}

TEST(TextCodec, ReportsBadBytesWithTheirOffsetAndTruncatesWholeCharacters) {
    auto r = TextCodec::gbkToUtf8(std::string("ab\xFF", 3));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorOffset, 2u);
    EXPECT_NE(r.error.find("byte 2"), std::string::npos) << r.error;

    auto truncated = TextCodec::gbkToUtf8(std::string("a\xD6", 2));
    EXPECT_FALSE(truncated.ok);
    EXPECT_EQ(truncated.errorOffset, 1u);

    auto badUtf8 = TextCodec::utf8ToGbk(std::string("\xC3\x28", 2));
    EXPECT_FALSE(badUtf8.ok);
    // A character GBK does not have.
    auto noGbk = TextCodec::utf8ToGbk("\xF0\x9F\x98\x80");
    EXPECT_FALSE(noGbk.ok);

    const std::string gbk = "a\xD6\xF7\xB3\xCC";  // a主程
    EXPECT_EQ(TextCodec::truncateGbk(gbk, 5), gbk);
    EXPECT_EQ(TextCodec::truncateGbk(gbk, 4), "a\xD6\xF7");
    EXPECT_EQ(TextCodec::truncateGbk(gbk, 2), "a");
    EXPECT_EQ(TextCodec::truncateGbk(std::string(120, 'x'), 99).size(), 99u);
}

}  // namespace
}  // namespace kelcc::core::common
