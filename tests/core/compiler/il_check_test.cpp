#include "compiler/il_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../common/case_file.h"
#include "compiler/program_references.h"
#include "il_test_program.h"
#include "plc/instruction_code.h"
#include "plc/plc_document.h"
#include "plc/project_state.h"

namespace kelcc::core::compiler {
namespace {

using test::IlTestProgram;

class IlCheckTest : public ::testing::Test {
protected:
    StepError check(const std::vector<std::string>& shortLines) {
        m_doc.il() = IlTestProgram::store(IlTestProgram::padded(shortLines));
        return IlCheck::checkAndDivide(m_doc);
    }

    plc::SimpleProjectState m_project;
    plc::PlcDocument m_doc{m_project};
};

TEST_F(IlCheckTest, ReportsTheFirstErrorAndItsStep) {
    for (const kelcc::test::Case& c :
         kelcc::test::ReadCases("core/compiler/cases/il_check_errors.txt")) {
        const StepError result = check({c.fields.begin() + 3, c.fields.end()});
        EXPECT_EQ(result.code, std::stoi(c[1])) << c.where;
        EXPECT_EQ(result.step, std::stoi(c[2])) << c.where;
        // A refused program leaves no division behind.
        EXPECT_EQ(m_doc.networkSteps().empty(), !result.ok()) << c.where;
        EXPECT_TRUE(m_doc.warnings().empty()) << c.where;
    }
}

// A text can be empty only in a damaged file; it never passes.
TEST_F(IlCheckTest, RefusesAnInstructionWithoutText) {
    for (const kelcc::test::Case& c :
         kelcc::test::ReadCases("core/compiler/cases/il_check_empty_text.txt")) {
        const std::vector<std::string> before(c.fields.begin() + 2, c.fields.end());
        m_doc.il() = IlTestProgram::store(IlTestProgram::padded(before));
        ASSERT_TRUE(
            m_doc.il().append(static_cast<std::uint32_t>(plc::InstructionCodeOf(c[0])), ""));
        const StepError result = IlCheck::checkAndDivide(m_doc);
        EXPECT_EQ(result.code, std::stoi(c[1])) << c.where;
        EXPECT_EQ(result.step, static_cast<int>(before.size())) << c.where;
    }
}

// Opcodes come straight from a file; codes that name no instruction, and
// values that would alias one when cut to a byte, are refused.
TEST_F(IlCheckTest, RefusesCodesThatAreNoInstruction) {
    for (const std::uint32_t code : {5u, 15u, 24u, 43u, 255u, 0x101u, 0xFFFFFFFFu}) {
        m_doc.il().clear();
        ASSERT_TRUE(m_doc.il().append(code, "XYZ     1"));
        const StepError result = IlCheck::checkAndDivide(m_doc);
        EXPECT_EQ(result.code, 503) << code;
        EXPECT_EQ(result.step, 0) << code;
    }
}

TEST_F(IlCheckTest, DividesTheProgramIntoNetworks) {
    const StepError result =
        check({"LD X0000.0", "OR X0000.1", "OUT Y0000.0", "SET Y0000.1", "LBL L0001", "LD X0000.0",
               "LD X0000.2", "ORI X0000.3", "ANB", "JMPB L0001", "END1", "LD X0000.0", "CALL P0002",
               "END2", "SP P0002", "LDI X0000.4", "OUT Y0000.2", "SPE"});
    ASSERT_TRUE(result.ok()) << result.code << " at " << result.step;
    const std::vector<std::pair<int, int>> expected = {
        {0, 3}, {4, 4}, {5, 9}, {10, 10}, {11, 12}, {13, 13}, {14, 14}, {15, 16}, {17, 17}};
    std::vector<std::pair<int, int>> actual;
    for (const plc::NetworkSteps& n : m_doc.networkSteps())
        actual.push_back({n.firstStep, n.lastStep});
    EXPECT_EQ(actual, expected);
    EXPECT_TRUE(m_doc.warnings().empty());
}

// Unused labels come before uncalled subprograms, and a new check replaces
// the warnings of the one before.
TEST_F(IlCheckTest, ListsUnusedLabelsBeforeUncalledSubprograms) {
    const StepError result =
        check({"END1", "LBL L0007", "END2", "SP P0003", "LBL L0009", "SPE", "SP P0004", "SPE"});
    ASSERT_TRUE(result.ok()) << result.code;
    const std::vector<plc::ProgramWarning> expected = {
        {'Q', 1, 7}, {'Q', 4, 9}, {'P', 3, 3}, {'P', 6, 4}};
    EXPECT_EQ(m_doc.warnings(), expected);
    ASSERT_TRUE(check({"END1", "END2"}).ok());
    EXPECT_TRUE(m_doc.warnings().empty());
    EXPECT_EQ(m_doc.networkSteps().size(), 2u);
}

TEST_F(IlCheckTest, ToleratesTextsShorterThanTheMnemonicField) {
    // Texts as short as one byte, and numbers with more digits than an int.
    m_doc.il() = IlTestProgram::store(
        {"LD", "JMPB", "LBL", "END1", "END2", "SP P99999999999999", "SPE", "SP", "SPE"});
    const StepError result = IlCheck::checkAndDivide(m_doc);
    // No CALL names either subprogram: warnings only.
    EXPECT_TRUE(result.ok()) << result.code << " at " << result.step;
    EXPECT_EQ(m_doc.warnings().size(), 2u);
}

TEST(ProgramReferencesTest, ReadsTheNumberAfterTheLetter) {
    EXPECT_EQ(ProgramReferences::numberOf("JMPB    L0012"), 12);
    EXPECT_EQ(ProgramReferences::numberOf("SP      P0100"), 100);
    EXPECT_EQ(ProgramReferences::numberOf("CALL P7x"), 7);
    EXPECT_EQ(ProgramReferences::numberOf("LBL"), 0);
    EXPECT_EQ(ProgramReferences::numberOf("LBL     "), 0);
    EXPECT_EQ(ProgramReferences::numberOf(""), 0);
    EXPECT_GT(ProgramReferences::numberOf("LBL     L99999999999999999999"), 0);
}

}  // namespace
}  // namespace kelcc::core::compiler
