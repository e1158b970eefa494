#include "compiler/ladder_compiler.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "circuit_oracle.h"
#include "common/crc16.h"
#include "compiler/circuit_graph.h"
#include "compiler/compile_errors.h"
#include "compiler/il_check.h"
#include "compiler/il_generator.h"
#include "compiler/ladder_rebuild.h"
#include "il_program_generator.h"
#include "il_test_program.h"
#include "ladder_drawing.h"
#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

using plc::LadderGrid;
using plc::Network;
namespace {

using test::CircuitOracle;
using test::IlTestProgram;
using test::LadderDrawing;

const std::string kEnd1 = "=END1    ";
const std::string kEnd2 = "=END2    ";

std::string Il(std::string_view mnemonic, std::string_view operand = {}) {
    return IlTestProgram::line(mnemonic, operand);
}
std::string X(char letter) {
    return LadderDrawing::contactOperand(letter);
}

// The rows followed by the END1 and END2 rows a program needs.
std::vector<std::string> Program(std::vector<std::string> rows) {
    rows.push_back(kEnd1);
    rows.push_back(kEnd2);
    return rows;
}

plc::CompileResult At(int code, int row, int column) {
    return {code, row, column, 0};
}

std::vector<std::string> ChainOfRows(int rows) {
    // A column-2 link on every row but the last: one network of that many rows.
    std::vector<std::string> out = {"a|-+|-|-|-|-|-|Y0"};
    for (int r = 2; r < rows; ++r)
        out.push_back("b|.+");
    out.push_back("b");
    return out;
}

class CompilerFixture : public ::testing::Test {
protected:
    plc::CompileResult compile(const std::vector<std::string>& rows) {
        LadderDrawing::draw(doc.grid(), 1, rows);
        return LadderCompiler::compile(doc);
    }
    plc::SimpleProjectState project;
    plc::PlcDocument doc{project};
};

// --- circuits that compile -----------------------------------------------------

// The instruction lists and redrawings of circuits are golden corpus cases
// (golden/compile); here what the files do not show.
TEST_F(CompilerFixture, CompiledProgramKeepsItsNetworksOpcodesAndChecksum) {
    const std::vector<std::string> rows =
        Program({"a|b|-+|-|-|-|=SET     Y0000.1", ".|.|-+|-|-|-|-|Y0",
                 ".|.|-|-|-|=TMRB    T0001 0100 Y0000.3"});
    const LadderGrid drawn = LadderDrawing::grid(rows);
    ASSERT_EQ(compile(rows), plc::CompileResult{});
    EXPECT_EQ(doc.stepCount(), 7);
    EXPECT_EQ(doc.checksum(), doc.il().checksum());
    EXPECT_NE(doc.checksum(), 0);
    EXPECT_TRUE(doc.compileIl().empty());
    EXPECT_TRUE(doc.grid() == drawn);
    ASSERT_EQ(doc.networkSteps().size(), 3u);
    EXPECT_EQ(doc.networkSteps().front().firstStep, 0);
    EXPECT_EQ(doc.networkSteps().back().firstStep, 6);
    EXPECT_EQ(doc.networkSteps().back().lastStep, 6);
    for (const plc::IlEntry& e : doc.il()) {
        EXPECT_EQ(e.opcode, static_cast<std::uint32_t>(
                                plc::InstructionCodeOf(e.text.substr(0, e.text.find(' ')))))
            << e.text;
    }
}

// Hand-drawn ladders coming back normalised and rows of links deleted with
// their comments are golden corpus cases (golden/compile).

// 15 rows pass the circuit stages but cannot be drawn: the rebuild refuses
// them after the empty rows were deleted, and all of it is undone.
TEST_F(CompilerFixture, FailedRebuildPutsProgramLadderAndCommentsBack) {
    ASSERT_EQ(compile(Program({"z|-|-|-|-|-|-|Y7"})), plc::CompileResult{});
    const plc::IlStore before = doc.il();
    doc.grid().clear();
    std::vector<std::string> rows = {"c|-+|-|-|-|-|-|Y1", ".|+", "d"};
    for (const std::string& row : ChainOfRows(15))
        rows.push_back(row);
    LadderDrawing::draw(doc.grid(), 1, Program(rows));
    doc.loadRowComment(3, "below the empty row");
    const LadderGrid drawn = doc.grid();

    EXPECT_EQ(LadderCompiler::compile(doc), At(353, -1, -1));
    EXPECT_TRUE(doc.il() == before);
    EXPECT_EQ(doc.stepCount(), 4);
    EXPECT_EQ(doc.checksum(), 0);
    EXPECT_TRUE(doc.grid() == drawn);
    EXPECT_EQ(doc.rowComment(3), "below the empty row");
    EXPECT_EQ(doc.rowComment(2), "");
}

// --- errors of the circuit ------------------------------------------------------

struct ErrorCase {
    const char* name;
    std::vector<std::string> rows;
    plc::CompileResult expected;
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class CircuitError : public CompilerFixture, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(CircuitError, IsReportedAtItsPlaceAndChangesNothing) {
    const ErrorCase& c = GetParam();
    // A program compiled before: it must survive the failed compile.
    ASSERT_EQ(compile(Program({"z|-|-|-|-|-|-|Y7"})), plc::CompileResult{});
    const plc::IlStore before = doc.il();
    doc.grid().clear();
    LadderDrawing::draw(doc.grid(), 1, Program(c.rows));
    const LadderGrid drawn = doc.grid();
    project.setPlcCompiled(true);
    const int steps = doc.undoStack().count();

    const plc::CompileResult result = LadderCompiler::compile(doc);

    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(doc.compileResult(), c.expected);
    EXPECT_TRUE(doc.il() == before);
    EXPECT_EQ(doc.stepCount(), 4);
    EXPECT_EQ(doc.checksum(), 0);
    EXPECT_TRUE(doc.compileIl().empty());
    EXPECT_TRUE(doc.grid() == drawn);
    // Nothing changed, so there is nothing to undo.
    EXPECT_EQ(doc.undoStack().count(), steps);
    EXPECT_FALSE(project.plcCompiled());
}

// Each code at its place is a golden corpus case (golden/circuit_error); here
// one case per stage that can fail shows that nothing changes.
INSTANTIATE_TEST_SUITE_P(
    Stages, CircuitError,
    ::testing::Values(
        ErrorCase{"UnknownKind200", {"a|-|#24:CMPX 1|"}, At(200, 1, 3)},
        ErrorCase{"LineBreakInOperand200", {"a|-|-|-|-|-|-|#6:Y0000.0\n"}, At(200, 1, 8)},
        ErrorCase{"BlocksCross207",
                  {"-|d|b|b+|f|f|-|Y0+", "e|d+|-|-|e|a+|f+|Y1", "d|e|d|c|-|d||"},
                  At(207, 1, 4)},
        ErrorCase{"SecondOutputLevel215", {"a|-+|b|-|-|-|-|Y0", ".|-|-|-|-|-|-|Y1"}, At(215, 1, 2)},
        ErrorCase{"SixteenRowNetwork353", ChainOfRows(16), At(353, -1, -1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CompilerFixture, FourteenRowNetworkCompiles) {
    ASSERT_EQ(compile(Program(ChainOfRows(14))), plc::CompileResult{});
    EXPECT_EQ(doc.il()[13].text, Il("OR", X('b')));
}

TEST_F(CompilerFixture, ProgramBeyondTheStoreIsRefusedAtTheElementThatOverflows) {
    // 2501 rungs of two steps each: the LD of the last rung would be step 5001.
    std::vector<std::string> rows(2501, "a|-|-|-|-|-|-|Y0");
    const plc::CompileResult result = compile(Program(rows));
    EXPECT_EQ(result, At(kErrorTooManySteps, 2501, 1));
    EXPECT_TRUE(doc.il().empty());
    EXPECT_TRUE(doc.compileIl().empty());
}

TEST_F(CompilerFixture, FullStoreCompiles) {
    std::vector<std::string> rows(2499, "a|-|-|-|-|-|-|Y0");
    ASSERT_EQ(compile(Program(rows)), plc::CompileResult{});
    EXPECT_EQ(doc.stepCount(), 5000);
}

TEST(IlGeneratorLimits, BlockStackDeeperThanItsEntriesIsRefused) {
    // LD a, LD b, OR c, ANB holds two pending entries at once (the ANB and
    // the parallel contact); entry 0 holds nothing.
    const LadderGrid grid = LadderDrawing::grid({"a|b+|-+|-|-|-|-|Y0", ".|c"});
    const std::vector<plc::CompileResult> expected = {
        At(kErrorBlocksTooDeep, 1, 2), At(kErrorBlocksTooDeep, 2, 2), plc::CompileResult{}};
    for (int entries = 1; entries <= 3; ++entries) {
        CircuitGraph graph(grid);
        ASSERT_EQ(graph.build(), plc::CompileResult{});
        ASSERT_EQ(graph.check(), plc::CompileResult{});
        std::vector<Network> networks;
        ASSERT_EQ(graph.divide(networks), plc::CompileResult{});
        plc::IlStore out;
        std::vector<plc::NetworkSteps> steps;
        EXPECT_EQ(IlGenerator(graph, out, entries).generate(networks, steps),
                  expected[static_cast<std::size_t>(entries - 1)])
            << entries;
    }
}

// --- the program check ------------------------------------------------------------

// The program errors, reported without a position, and the warnings of
// subprograms and labels are golden corpus cases (golden/program_error,
// golden/compile).

// Round trips through the rebuild: see compiler_fixpoint_test.

// --- any grid: no crash, and what compiles means what was drawn -------------------

// Rows that mostly pass the circuit check: a run of contacts and lines from
// a start column, a coil at its end when it reaches column 8, and links.
std::vector<std::string> RandomNetwork(std::mt19937& rng) {
    const int rows = 1 + static_cast<int>(rng() % 4);
    std::vector<std::string> drawing;
    int coil = 0;
    for (int r = 0; r < rows; ++r) {
        const int start = r == 0 || rng() % 3 != 0 ? 1 : 2 + static_cast<int>(rng() % 4);
        const int end = rng() % 3 != 0 ? 8 : start + static_cast<int>(rng() % (8 - start));
        std::string row;
        for (int c = 1; c <= 8; ++c) {
            std::string cell;
            if (c >= start && c <= end) {
                if (c == 8) {
                    cell = "Y" + std::to_string(coil++);
                } else {
                    const unsigned pick = rng() % 10;
                    cell = pick < 3   ? "-"
                           : pick < 8 ? std::string(1, static_cast<char>('a' + rng() % 6))
                                      : std::string("!") + static_cast<char>('a' + rng() % 6);
                }
            }
            if (c >= 2 && r < rows - 1 && rng() % 100 < 22) cell += "+";
            row += cell + (c < 8 ? "|" : "");
        }
        drawing.push_back(row);
    }
    return drawing;
}

TEST(RandomLadders, CompileSafelyAndKeepTheirMeaning) {
    std::mt19937 rng(20240601);
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    int compiled = 0;
    for (int iteration = 0; iteration < 800; ++iteration) {
        const std::vector<std::string> drawing = RandomNetwork(rng);
        const LadderGrid drawn = LadderDrawing::grid(drawing);
        doc.grid() = LadderDrawing::grid(Program(drawing));

        const plc::CompileResult result = LadderCompiler::compile(doc);
        if (result.code != 0) {
            EXPECT_TRUE(doc.compileIl().empty());
            continue;
        }
        ++compiled;
        const plc::IlStore il = doc.il();
        LadderGrid redrawn = doc.grid();
        for (unsigned inputs = 0; inputs < 64; ++inputs) {
            const CircuitOracle::Inputs state = [inputs](const std::string& operand) {
                return ((inputs >> (operand.back() - '0')) & 1U) != 0;
            };
            ASSERT_EQ(CircuitOracle::ofIl(il, state), CircuitOracle::ofLadder(drawn, state))
                << ::testing::PrintToString(drawing);
        }
        // The saved program opens again, and compiling the redrawn ladder is
        // a fixed point.
        ASSERT_TRUE(IlCheck::checkAndDivide(doc).ok()) << ::testing::PrintToString(drawing);
        ASSERT_EQ(LadderCompiler::compile(doc), plc::CompileResult{})
            << ::testing::PrintToString(drawing);
        EXPECT_TRUE(doc.il() == il);
        EXPECT_TRUE(doc.grid() == redrawn);
    }
    // The sample must exercise the walk, not only the checks.
    EXPECT_GT(compiled, 100);
}

// Hostile grids are the compiler fuzz target's.

}  // namespace
}  // namespace kelcc::core::compiler
