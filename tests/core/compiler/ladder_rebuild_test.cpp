#include "compiler/ladder_rebuild.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "../common/case_file.h"
#include "compiler/grid_text.h"
#include "compiler/il_check.h"
#include "il_test_program.h"
#include "plc/instruction_code.h"
#include "plc/plc_document.h"
#include "plc/project_state.h"

namespace kelcc::core::compiler {

using plc::LadderGrid;
namespace {

using test::IlTestProgram;

class LadderRebuildTest : public ::testing::Test {
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

TEST_F(LadderRebuildTest, RecordsWhereEachNetworkWasPlaced) {
    ASSERT_TRUE(open(IlTestProgram::padded(
                         {"LD a", "OR b", "OUT y", "END1", "LD a", "OUT y", "OUT z", "END2"}))
                    .ok());
    const std::vector<std::vector<int>> expected = {
        {1, 2, 0, 2}, {3, 3, 3, 3}, {4, 5, 4, 6}, {6, 6, 7, 7}};
    std::vector<std::vector<int>> actual;
    for (const plc::NetworkRows& n : m_doc.networkRows())
        actual.push_back({n.firstRow, n.lastRow, n.firstStep, n.lastStep});
    EXPECT_EQ(actual, expected);
}

TEST_F(LadderRebuildTest, ReplacesTheWholeGridOnSuccess) {
    m_doc.grid().setElement(100, 3, 1, "old");
    ASSERT_TRUE(open(IlTestProgram::padded({"END1", "END2"})).ok());
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
    m_doc.il() = IlTestProgram::store(IlTestProgram::padded({"END1", "END2"}));
    const StepError result = LadderRebuild::rebuild(m_doc, {{0, 0}, {-1, -1}, {1, 1}});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(m_doc.grid().lastUsedRow(), 1);
    EXPECT_EQ(m_doc.networkRows().size(), 1u);
}

using kelcc::test::Case;
using kelcc::test::ReadCases;

// The IL passes the open check; only the drawing is out of bounds.
TEST_F(LadderRebuildTest, RefusesWhatCannotBeDrawnAndLeavesTheGridUntouched) {
    m_doc.grid().setElement(1, 1, 1, "keep");
    m_doc.grid().placeVerticalLink(1, 2);
    const LadderGrid before = m_doc.grid();
    for (const Case& c : ReadCases("core/compiler/cases/rebuild_limits.txt")) {
        m_doc.grid() = before;
        m_doc.networkRows() = {{1, 1, 0, 0}};
        std::vector<std::string> lines(c.fields.begin() + 3, c.fields.end());
        lines.insert(lines.end(), {"END1", "END2"});
        const StepError result = open(IlTestProgram::padded(lines));
        EXPECT_EQ(result.code, std::stoi(c[1])) << c.where;
        EXPECT_EQ(result.step, std::stoi(c[2])) << c.where;
        EXPECT_TRUE(m_doc.grid() == before) << c.where;
        ASSERT_EQ(m_doc.networkRows().size(), 1u) << c.where;
        EXPECT_EQ(m_doc.networkRows()[0].firstRow, 1) << c.where;
    }
}

// Networks that no check would produce: the rebuild must refuse them
// without touching anything.
TEST_F(LadderRebuildTest, RefusesInconsistentNetworks) {
    m_doc.grid().setElement(7, 7, 21, "SET     keep");
    const LadderGrid before = m_doc.grid();
    for (const Case& c : ReadCases("core/compiler/cases/rebuild_tables.txt")) {
        m_doc.grid() = before;
        m_doc.networkRows().clear();
        m_doc.il().clear();
        for (std::size_t i = 4; i < c.fields.size(); ++i) {
            const bool coded = c[i].starts_with('@');
            for (const std::string& text :
                 IlTestProgram::padded({coded ? c[i].substr(c[i].find(' ') + 1) : c[i]})) {
                const std::string word = text.substr(0, text.find(' '));
                ASSERT_TRUE(m_doc.il().append(
                    coded ? static_cast<std::uint32_t>(std::stoul(c[i].substr(1)))
                          : static_cast<std::uint32_t>(plc::InstructionCodeOf(word)),
                    text));
            }
        }
        std::vector<plc::NetworkSteps> networks;
        std::istringstream ranges(c[3]);
        for (std::string range; ranges >> range;)
            networks.push_back({std::stoi(range), std::stoi(range.substr(range.find('-') + 1))});
        const StepError result = LadderRebuild::rebuild(m_doc, networks);
        EXPECT_EQ(result.code, std::stoi(c[1])) << c.where;
        EXPECT_EQ(result.step, std::stoi(c[2])) << c.where;
        EXPECT_TRUE(m_doc.grid() == before) << c.where;
        EXPECT_TRUE(m_doc.networkRows().empty()) << c.where;
    }
}

}  // namespace
}  // namespace kelcc::core::compiler
