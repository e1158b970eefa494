#include "compiler/il_check.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "compiler/program_references.h"
#include "il_test_program.h"
#include "plc/instruction_code.h"
#include "plc/plc_document.h"
#include "plc/project_state.h"

namespace kelcc::core::compiler {
namespace {

using plc::InstructionCode;
using test::IlTestProgram;

std::string L(std::string_view mnemonic, std::string_view operand = {}) {
    return IlTestProgram::line(mnemonic, operand);
}

const std::string kEnd1 = L("END1");
const std::string kEnd2 = L("END2");
const std::string kSpe = L("SPE");

class IlCheckFixture {
protected:
    StepError check(const std::vector<std::string>& lines) {
        m_doc.il() = IlTestProgram::store(lines);
        return IlCheck::checkAndDivide(m_doc);
    }

    plc::SimpleProjectState m_project;
    plc::PlcDocument m_doc{m_project};
};

struct CheckCase {
    const char* name;
    std::vector<std::string> lines;
    int code;
    int step;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class IlCheckErrorTest : public IlCheckFixture, public ::testing::TestWithParam<CheckCase> {};

TEST_P(IlCheckErrorTest, ReportsTheFirstErrorAndItsStep) {
    const CheckCase& c = GetParam();
    const StepError result = check(c.lines);
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.step, c.step);
    // A refused program leaves no division behind.
    EXPECT_TRUE(m_doc.networkSteps().empty());
}

const std::string kLdA = L("LD", "X0000.0");
const std::string kOutY = L("OUT", "Y0000.0");

INSTANTIATE_TEST_SUITE_P(
    Instructions, IlCheckErrorTest,
    ::testing::Values(
        CheckCase{"AndWithoutCondition", {L("AND", "X0000.1"), kEnd1, kEnd2}, 400, 0},
        CheckCase{"AnbWithOneCondition", {kLdA, L("ANB"), kOutY, kEnd1, kEnd2}, 400, 1},
        CheckCase{"AnbAfterEnd2", {kEnd1, kEnd2, L("ANB")}, 417, 2},
        CheckCase{"OutWithTwoConditions", {kLdA, kLdA, kOutY, kEnd1, kEnd2}, 400, 2},
        CheckCase{
            "AndAfterOutput", {kLdA, kOutY, L("AND", "X0000.1"), kOutY, kEnd1, kEnd2}, 400, 2},
        CheckCase{"End1WithOpenCondition", {kLdA, kEnd1, kEnd2}, 404, 1},
        CheckCase{"SecondEnd1", {kEnd1, kEnd1, kEnd2}, 404, 1},
        CheckCase{"End2BeforeEnd1", {kEnd2, kEnd1}, 407, 0},
        CheckCase{"SecondEnd2", {kEnd1, kEnd2, kEnd2}, 405, 2},
        CheckCase{"End2WithOpenCondition", {kEnd1, kLdA, kEnd2}, 405, 2},
        CheckCase{"LabelWithOpenCondition", {kLdA, L("LBL", "L0001"), kEnd1, kEnd2}, 403, 1},
        CheckCase{
            "SubprogramAfterANetwork", {kEnd1, kEnd2, kLdA, kOutY, L("SP", "P0001"), kSpe}, 401, 4},
        CheckCase{"SubprogramBeforeEnd2", {kEnd1, L("SP", "P0001"), kSpe, kEnd2}, 401, 1},
        CheckCase{"SubprogramEndOutside", {kEnd1, kEnd2, kSpe}, 402, 2},
        CheckCase{
            "SubprogramEndWithOpenCondition", {kEnd1, kEnd2, L("SP", "P0001"), kLdA, kSpe}, 405, 4},
        CheckCase{"ConditionOpenAtEnd", {kEnd1, kEnd2, kLdA}, 406, 2},
        CheckCase{"NoEnd1NoEnd2", {kLdA, kOutY}, 408, 1}, CheckCase{"EmptyProgram", {}, 408, -1},
        CheckCase{"SubprogramOpenAtEnd", {kEnd1, kEnd2, L("SP", "P0001")}, 409, 2},
        CheckCase{"UnknownMnemonic", {kEnd1, L("NOP"), kEnd2}, 503, 1},
        CheckCase{"JumpWithoutLabel", {kLdA, L("JMPB", "L0001"), kEnd1, kEnd2}, 410, 3},
        CheckCase{"TwoLabels",
                  {kLdA, L("JMPB", "L0001"), L("LBL", "L0001"), L("LBL", "L0001"), kEnd1, kEnd2},
                  411,
                  5},
        CheckCase{"CallWithoutSubprogram", {kLdA, L("CALL", "P0003"), kEnd1, kEnd2}, 412, 3},
        CheckCase{"TwoSubprograms",
                  {kLdA, L("CALL", "P0003"), kEnd1, kEnd2, L("SP", "P0003"), kSpe, L("SP", "P0003"),
                   kSpe},
                  413,
                  7},
        CheckCase{"CallInsideItself",
                  {kLdA, L("CALL", "P0003"), kEnd1, kEnd2, L("SP", "P0003"), kLdA,
                   L("CALL", "P0003"), kSpe},
                  418,
                  7},
        CheckCase{
            "JumpOutOfLevel1", {kLdA, L("JMPB", "L0002"), kEnd1, L("LBL", "L0002"), kEnd2}, 414, 4},
        CheckCase{
            "JumpIntoLevel1", {L("LBL", "L0002"), kEnd1, kLdA, L("JMPB", "L0002"), kEnd2}, 414, 4},
        CheckCase{"JumpOutOfLevel2",
                  {kLdA, L("CALL", "P0001"), kEnd1, kLdA, L("JMPB", "L0002"), kEnd2,
                   L("SP", "P0001"), L("LBL", "L0002"), kSpe},
                  415,
                  8},
        CheckCase{
            "JumpIntoAnotherSubprogram",
            {kLdA, L("CALL", "P0001"), kLdA, L("CALL", "P0002"), kEnd1, kEnd2, L("SP", "P0001"),
             kLdA, L("JMPB", "L0002"), kSpe, L("SP", "P0002"), L("LBL", "L0002"), kSpe},
            416,
            12},
        CheckCase{"JumpPastTheSubprogramEnd",
                  {kLdA, L("CALL", "P0001"), kEnd1, kEnd2, L("SP", "P0001"), kLdA,
                   L("JMPB", "L0002"), kSpe, L("LBL", "L0002")},
                  416,
                  8}),
    [](const auto& info) { return std::string(info.param.name); });

struct EmptyTextCase {
    std::vector<std::string> before;  // where the instruction is otherwise accepted
    InstructionCode code;
    int error;
};

class IlCheckEmptyTextTest : public IlCheckFixture,
                             public ::testing::TestWithParam<EmptyTextCase> {};

// A text can be empty only in a damaged file; it never passes.
TEST_P(IlCheckEmptyTextTest, RefusesAnInstructionWithoutText) {
    const auto& [before, code, error] = GetParam();
    m_doc.il() = IlTestProgram::store(before);
    ASSERT_TRUE(m_doc.il().append(static_cast<std::uint32_t>(code), ""));
    const StepError result = IlCheck::checkAndDivide(m_doc);
    EXPECT_EQ(result.code, error);
    EXPECT_EQ(result.step, static_cast<int>(before.size()));
}

INSTANTIATE_TEST_SUITE_P(Codes, IlCheckEmptyTextTest,
                         ::testing::Values(EmptyTextCase{{}, InstructionCode::LD, 501},
                                           EmptyTextCase{{kLdA}, InstructionCode::AND, 400},
                                           EmptyTextCase{{kLdA, kLdA}, InstructionCode::ORB, 400},
                                           EmptyTextCase{{kLdA}, InstructionCode::OUT, 400},
                                           EmptyTextCase{{}, InstructionCode::END1, 404},
                                           EmptyTextCase{{kEnd1}, InstructionCode::END2, 405},
                                           EmptyTextCase{{kEnd1}, InstructionCode::LBL, 403}));

class IlCheckOpcodeTest : public IlCheckFixture, public ::testing::TestWithParam<std::uint32_t> {};

// Opcodes come straight from a file; codes that name no instruction, and
// values that would alias one when cut to a byte, are refused.
TEST_P(IlCheckOpcodeTest, RefusesCodesThatAreNoInstruction) {
    m_doc.il().clear();
    ASSERT_TRUE(m_doc.il().append(GetParam(), "XYZ     1"));
    const StepError result = IlCheck::checkAndDivide(m_doc);
    EXPECT_EQ(result.code, 503);
    EXPECT_EQ(result.step, 0);
}

INSTANTIATE_TEST_SUITE_P(Codes, IlCheckOpcodeTest,
                         ::testing::Values(5u, 15u, 24u, 43u, 255u, 0x101u, 0xFFFFFFFFu));

class IlCheckTest : public IlCheckFixture, public ::testing::Test {};

TEST_F(IlCheckTest, DividesTheProgramIntoNetworks) {
    const StepError result =
        check({kLdA, L("OR", "X0000.1"), kOutY, L("SET", "Y0000.1"), L("LBL", "L0001"), kLdA,
               L("LD", "X0000.2"), L("ORI", "X0000.3"), L("ANB"), L("JMPB", "L0001"), kEnd1, kLdA,
               L("CALL", "P0002"), kEnd2, L("SP", "P0002"), L("LDI", "X0000.4"),
               L("OUT", "Y0000.2"), kSpe});
    ASSERT_TRUE(result.ok()) << result.code << " at " << result.step;
    const std::vector<std::pair<int, int>> expected = {
        {0, 3}, {4, 4}, {5, 9}, {10, 10}, {11, 12}, {13, 13}, {14, 14}, {15, 16}, {17, 17}};
    std::vector<std::pair<int, int>> actual;
    for (const plc::NetworkSteps& n : m_doc.networkSteps())
        actual.push_back({n.firstStep, n.lastStep});
    EXPECT_EQ(actual, expected);
    EXPECT_TRUE(m_doc.warnings().empty());
}

TEST_F(IlCheckTest, ListsUnusedLabelsBeforeUncalledSubprograms) {
    const StepError result = check({kEnd1, L("LBL", "L0007"), kEnd2, L("SP", "P0003"),
                                    L("LBL", "L0009"), kSpe, L("SP", "P0004"), kSpe});
    ASSERT_TRUE(result.ok()) << result.code;
    const std::vector<plc::ProgramWarning> expected = {
        {'Q', 1, 7}, {'Q', 4, 9}, {'P', 3, 3}, {'P', 6, 4}};
    EXPECT_EQ(m_doc.warnings(), expected);
}

TEST_F(IlCheckTest, ReplacesTheWarningsOfAnEarlierCheck) {
    ASSERT_TRUE(check({kEnd1, L("LBL", "L0007"), kEnd2}).ok());
    ASSERT_EQ(m_doc.warnings().size(), 1u);
    ASSERT_TRUE(check({kEnd1, kEnd2}).ok());
    EXPECT_TRUE(m_doc.warnings().empty());
    EXPECT_EQ(m_doc.networkSteps().size(), 2u);
}

TEST_F(IlCheckTest, AcceptsJumpsWithinTheirLevelAndSubprogram) {
    const StepError result =
        check({kLdA, L("JMPB", "L0001"), L("LBL", "L0001"), kLdA, L("CALL", "P0001"),  // level 1
               kEnd1, L("LBL", "L0002"), kLdA, L("JMPB", "L0002"),                     // level 2
               kEnd2, L("SP", "P0001"), kLdA, L("JMPB", "L0003"), L("LBL", "L0003"), kSpe});
    EXPECT_TRUE(result.ok()) << result.code << " at " << result.step;
    EXPECT_TRUE(m_doc.warnings().empty());
}

TEST_F(IlCheckTest, ToleratesTextsShorterThanTheMnemonicField) {
    // Texts as short as one byte, and numbers with more digits than an int.
    const StepError result =
        check({"LD", "JMPB", "LBL", "END1", "END2", "SP P99999999999999", "SPE", "SP", "SPE"});
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
