#include "compiler/grid_text.h"

#include <gtest/gtest.h>

namespace kelcc::core::compiler {
namespace {

class GridTextTest : public ::testing::Test {
protected:
    plc::SimpleProjectState m_project;
    plc::PlcDocument m_doc{m_project};
};

TEST_F(GridTextTest, FormatThenParseGivesTheSameGridCommentsAndGbkTexts) {
    const std::string text =
        "#1\t启动条件\n"
        "1\t1\t1\t1\t1\tX0000.0\n"
        "1\t2\t0\t1\t1\t\n"
        "1\t8\t6\t1\t0\tY0000.0\n"
        "2\t1\t2\t1\t0\tR0001.2\n"
        "2\t2\t15\t0\t1\t\n"
        "3\t1\t19\t1\t0\tEND1    \n";
    auto r = GridText::parse(text, m_doc);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_FALSE(m_doc.modified());
    // Comments are held as GBK bytes.
    EXPECT_EQ(m_doc.rowComment(1), "\xC6\xF4\xB6\xAF\xCC\xF5\xBC\xFE");
    ASSERT_NE(m_doc.cell(2, 2), nullptr);
    EXPECT_EQ(m_doc.cell(2, 2)->element, 0);
    EXPECT_EQ(m_doc.cell(3, 1)->text, "END1    ");
    EXPECT_EQ(GridText::format(m_doc), text);
}

TEST_F(GridTextTest, LinkFlagsInColumnOneSurvive) {
    auto r = GridText::parse("1\t1\t1\t1\t1\tX0000.0\n2\t1\t1\t1\t0\tX0000.1\n", m_doc);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(m_doc.cell(1, 1)->verticalLink, 1);
}

TEST_F(GridTextTest, BadLinesAreRefusedWithTheirNumberAndLeaveTheDocument) {
    ASSERT_TRUE(GridText::parse("1\t1\t1\t1\t0\tX0000.0\n", m_doc).ok);
    const char* bad[] = {
        "1\t1\t1\t1\t0",                       // too few fields
        "0\t1\t1\t1\t0\tX",                    // row 0
        "5001\t1\t1\t1\t0\tX",                 // past the last row
        "1\t9\t1\t1\t0\tX",                    // column 9
        "1\tA\t1\t1\t0\tX",                    // not a number
        "1\t1\t1\t2\t0\tX",                    // flag 2
        "1\t1\t1\t0\t0\t",                     // neither element nor link
        "1\t2\t6\t0\t1\t",                     // element-less but not kind 15
        "1\t1\t15\t1\t0\t",                    // kind 15 with an element
        "1\t1\t1\t1\t0\tX\n1\t1\t2\t1\t0\tY",  // twice
        "5000\t2\t0\t1\t1\t",                  // link from the last row
        "#0\tx",                               // comment row 0
        "1\t1\t1\t1\t0\t\xFF",                 // not UTF-8
    };
    for (const char* text : bad) {
        auto r = GridText::parse(std::string("\n") + text, m_doc);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_GE(r.line, 2) << text;
        EXPECT_FALSE(r.error.empty());
        ASSERT_NE(m_doc.cell(1, 1), nullptr) << text;
        EXPECT_EQ(m_doc.cell(1, 1)->text, "X0000.0");
    }
}

TEST_F(GridTextTest, CommentLimitIsInGbkBytes) {
    // 49 Chinese characters are 98 GBK bytes (147 UTF-8 bytes): accepted.
    std::string ok = "#4\t";
    for (int i = 0; i < 49; ++i)
        ok += "字";
    EXPECT_TRUE(GridText::parse(ok, m_doc).ok);
    EXPECT_EQ(m_doc.rowComment(4).size(), 98u);
    EXPECT_FALSE(GridText::parse(ok + "字", m_doc).ok);
}

}  // namespace
}  // namespace kelcc::core::compiler
