#include "compiler/ladder_rebuild.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "compiler/grid_text.h"
#include "compiler/il_check.h"
#include "il_test_program.h"
#include "plc/plc_document.h"
#include "plc/project_state.h"

namespace kelcc::core::compiler {

using plc::LadderGrid;
namespace {

using test::IlTestProgram;

std::string L(std::string_view mnemonic, std::string_view operand = {}) {
    return IlTestProgram::line(mnemonic, operand);
}

using V = std::vector<std::string>;

std::vector<std::string> repeat(const std::string& line, int times) {
    return std::vector<std::string>(static_cast<std::size_t>(times), line);
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class RebuildFixture {
protected:
    // The open path: check and divide, then rebuild.
    StepError open(const std::vector<std::string>& lines) {
        m_doc.il() = IlTestProgram::store(lines);
        const StepError checked = IlCheck::checkAndDivide(m_doc);
        EXPECT_TRUE(checked.ok()) << "check: " << checked.code << " at " << checked.step;
        if (!checked.ok()) return checked;
        return LadderRebuild::rebuild(m_doc, m_doc.networkSteps());
    }

    plc::SimpleProjectState m_project;
    plc::PlcDocument m_doc{m_project};
};

// The drawings of whole programs are golden corpus cases (golden/rebuild).
const std::string kLdA = L("LD", "a");
const std::string kOutY = L("OUT", "y");

class LadderRebuildTest : public RebuildFixture, public ::testing::Test {};

TEST_F(LadderRebuildTest, RecordsWhereEachNetworkWasPlaced) {
    ASSERT_TRUE(
        open({kLdA, L("OR", "b"), kOutY, L("END1"), kLdA, kOutY, L("OUT", "z"), L("END2")}).ok());
    const std::vector<std::vector<int>> expected = {
        {1, 2, 0, 2}, {3, 3, 3, 3}, {4, 5, 4, 6}, {6, 6, 7, 7}};
    std::vector<std::vector<int>> actual;
    for (const plc::NetworkRows& n : m_doc.networkRows())
        actual.push_back({n.firstRow, n.lastRow, n.firstStep, n.lastStep});
    EXPECT_EQ(actual, expected);
}

TEST_F(LadderRebuildTest, ReplacesTheWholeGridOnSuccess) {
    m_doc.grid().setElement(100, 3, 1, "old");
    ASSERT_TRUE(open({L("END1"), L("END2")}).ok());
    EXPECT_EQ(m_doc.grid().cell(100, 3), nullptr);
    EXPECT_EQ(m_doc.grid().lastUsedRow(), 2);
}

TEST_F(LadderRebuildTest, ShortTextsGiveContactsWithoutOperand) {
    plc::IlStore il;
    ASSERT_TRUE(il.append(1, "LD"));
    ASSERT_TRUE(il.append(3, "AND     "));
    ASSERT_TRUE(il.append(7, "OR      \xb0\xa1"));  // GBK bytes pass unchanged
    ASSERT_TRUE(il.append(6, "O"));
    m_doc.il() = il;
    const StepError result = LadderRebuild::rebuild(m_doc, {{0, 3}});
    ASSERT_TRUE(result.ok()) << result.code;
    EXPECT_EQ(GridText::format(m_doc),
              "1\t1\t1\t1\t1\t\n"
              "1\t2\t1\t1\t0\t\n"
              "1\t3\t0\t1\t1\t\n"
              "1\t4\t0\t1\t0\t\n"
              "1\t5\t0\t1\t0\t\n"
              "1\t6\t0\t1\t0\t\n"
              "1\t7\t0\t1\t0\t\n"
              "1\t8\t6\t1\t0\t\n"
              "2\t1\t1\t1\t0\t啊\n"
              "2\t2\t0\t1\t0\t\n");
}

TEST_F(LadderRebuildTest, StopsAtTheEndMarkOfTheTable) {
    m_doc.il() = IlTestProgram::store({L("END1"), L("END2")});
    const StepError result = LadderRebuild::rebuild(m_doc, {{0, 0}, {-1, -1}, {1, 1}});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(m_doc.grid().lastUsedRow(), 1);
    EXPECT_EQ(m_doc.networkRows().size(), 1u);
}

struct FailCase {
    const char* name;
    std::vector<std::string> lines;
    int code;
    int step;
};

void PrintTo(const FailCase& c, std::ostream* os) {
    *os << c.name;
}

class LadderRebuildFailTest : public RebuildFixture, public ::testing::TestWithParam<FailCase> {};

// The IL passes the open check; only the drawing is out of bounds.
TEST_P(LadderRebuildFailTest, RefusesAndLeavesTheGridUntouched) {
    const FailCase& c = GetParam();
    m_doc.grid().setElement(1, 1, 1, "keep");
    m_doc.grid().placeVerticalLink(1, 2);
    m_doc.networkRows() = {{1, 1, 0, 0}};
    const LadderGrid before = m_doc.grid();
    const StepError result = open(c.lines + V{L("END1"), L("END2")});
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.step, c.step);
    EXPECT_TRUE(m_doc.grid() == before);
    ASSERT_EQ(m_doc.networkRows().size(), 1u);
    EXPECT_EQ(m_doc.networkRows()[0].firstRow, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, LadderRebuildFailTest,
    ::testing::Values(
        FailCase{"EightContactsInARow", V{kLdA} + repeat(L("AND", "b"), 7) + V{kOutY}, 352, 7},
        FailCase{"SeriesBlocksTooWide",
                 V{kLdA} + repeat(L("AND", "b"), 3) + V{L("LD", "c")} + repeat(L("AND", "d"), 3) +
                     V{L("ANB"), kOutY},
                 352, 8},
        FailCase{"FifteenParallelContacts", V{kLdA} + repeat(L("OR", "b"), 14) + V{kOutY}, 353, 14},
        FailCase{"ParallelBlocksTooTall",
                 V{kLdA} + repeat(L("OR", "b"), 6) + V{L("LD", "c")} + repeat(L("OR", "d"), 7) +
                     V{L("ORB"), kOutY},
                 353, 15},
        FailCase{"FifteenOutputs", V{kLdA} + repeat(kOutY, 15), 353, 15},
        FailCase{"CompareBoxAfterFiveContacts",
                 V{kLdA} + repeat(L("AND", "b"), 4) + V{L("CMP", "0001 D0001 D0002 R0001.0")}, 351,
                 5},
        FailCase{"TimerAfterSixContacts",
                 V{kLdA} + repeat(L("AND", "b"), 5) + V{L("TMRB", "T0001 100 Y0000.2")}, 351, 6},
        FailCase{"SetAfterSevenContacts", V{kLdA} + repeat(L("AND", "b"), 6) + V{L("SET", "y")},
                 351, 7},
        FailCase{"TwentyOpenBlocks", repeat(kLdA, 20) + repeat(L("ORB"), 19) + V{kOutY}, 300, 19}),
    [](const auto& info) { return std::string(info.param.name); });

struct TableCase {
    const char* name;
    std::vector<std::pair<std::uint32_t, std::string>> il;
    std::vector<plc::NetworkSteps> networks;
    int code;
    int step;
};

void PrintTo(const TableCase& c, std::ostream* os) {
    *os << c.name;
}

class LadderRebuildTableTest : public RebuildFixture, public ::testing::TestWithParam<TableCase> {};

// Networks that no check would produce: the rebuild must refuse them
// without touching anything.
TEST_P(LadderRebuildTableTest, RefusesInconsistentNetworks) {
    const TableCase& c = GetParam();
    m_doc.il().clear();
    for (const auto& [opcode, text] : c.il)
        ASSERT_TRUE(m_doc.il().append(opcode, text));
    m_doc.grid().setElement(7, 7, 21, "SET     keep");
    const LadderGrid before = m_doc.grid();
    const StepError result = LadderRebuild::rebuild(m_doc, c.networks);
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.step, c.step);
    EXPECT_TRUE(m_doc.grid() == before);
    EXPECT_TRUE(m_doc.networkRows().empty());
}

const std::pair<std::uint32_t, std::string> kIlLd{1, "LD      a"};
const std::pair<std::uint32_t, std::string> kIlOut{6, "OUT     y"};
const std::pair<std::uint32_t, std::string> kIlEnd1{19, "END1    "};

std::vector<std::pair<std::uint32_t, std::string>> loads(int n) {
    return std::vector<std::pair<std::uint32_t, std::string>>(static_cast<std::size_t>(n), kIlLd);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, LadderRebuildTableTest,
    ::testing::Values(
        TableCase{"CodeWithoutInstruction", {kIlLd, {24, "XXX     1"}, kIlOut}, {{0, 2}}, 301, 1},
        TableCase{"CodeAliasingLoadWhenCut", {{0x101, "LD      a"}, kIlOut}, {{0, 1}}, 301, 0},
        TableCase{"NoOutput", {kIlLd}, {{0, 0}}, 302, 0},
        TableCase{"BlockLeftOnTheStack", {kIlLd, kIlLd, kIlOut}, {{0, 2}}, 302, 2},
        TableCase{"OutputWithoutCondition", {kIlOut}, {{0, 0}}, 302, 0},
        TableCase{"AndWithoutCondition", {{3, "AND     b"}, kIlOut}, {{0, 1}}, 302, 0},
        TableCase{"OrbWithoutSecondBlock", {kIlLd, {16, "ORB     "}, kIlOut}, {{0, 2}}, 302, 1},
        TableCase{"NoBlockLeftForEnd",
                  [] {
                      auto il = loads(19);
                      il.push_back(kIlEnd1);
                      il.push_back(kIlEnd1);
                      return il;
                  }(),
                  {{0, 20}},
                  303,
                  20},
        TableCase{"EndAfterAnOutput", {kIlLd, kIlOut, kIlEnd1}, {{0, 2}}, 304, 2},
        TableCase{"StepsBeyondTheProgram", {kIlLd, kIlOut}, {{0, 5}}, 302, 0},
        TableCase{"StepsReversed", {kIlLd, kIlOut}, {{1, 0}}, 302, 1},
        TableCase{"LaterNetworkFails", {kIlEnd1, kIlLd}, {{0, 0}, {1, 1}}, 302, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelcc::core::compiler
