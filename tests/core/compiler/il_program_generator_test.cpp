#include "il_program_generator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/il_check.h"
#include "compiler/ladder_rebuild.h"
#include "il_test_program.h"
#include "plc/plc_document.h"
#include "plc/project_state.h"

namespace kelcc::core::compiler {
namespace {

using test::IlProgramGenerator;
using test::IlTestProgram;

// Whether some line that starts with first is followed by one that starts
// with second.
bool hasPair(const std::vector<std::string>& lines, std::string_view first,
             std::string_view second) {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].starts_with(first) && lines[i + 1].starts_with(second)) return true;
    }
    return false;
}

TEST(IlProgramGeneratorTest, CoversTheShapesTheFixpointsDependOn) {
    // The property tests are only as good as what the programs contain.
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    for (const bool normalised : {true, false}) {
        IlProgramGenerator::Options options;
        options.normalised = normalised;
        std::vector<std::string> all;
        int tallest = 0;
        for (std::uint32_t seed = 1; seed <= 100; ++seed) {
            const std::vector<std::string> program = IlProgramGenerator(seed, options).program();
            all.insert(all.end(), program.begin(), program.end());
            doc.il() = IlTestProgram::store(program);
            ASSERT_TRUE(IlCheck::checkAndDivide(doc).ok()) << seed;
            ASSERT_TRUE(LadderRebuild::rebuild(doc, doc.networkSteps()).ok()) << seed;
            for (const plc::NetworkRows& n : doc.networkRows())
                tallest = std::max(tallest, n.lastRow - n.firstRow + 1);
        }
        EXPECT_EQ(tallest, 14) << normalised;
        for (const char* word :
             {"LD      ", "LDI     ", "AND     ", "ANI     ", "OR      ", "ORI     ", "ANB     ",
              "ORB     ", "OUT     ", "JMPB    ", "LBL     ", "CALL    ", "SP      ", "SPE     ",
              "TMRB    ", "CMP     ", "SET     "}) {
            EXPECT_TRUE(hasPair(all, word, "")) << word;
        }
        // A parallel group closed into a wider block, narrower branches
        // waiting for a wider one, a parallel group in series and a series
        // of groups as a branch, several outputs of one condition.
        EXPECT_TRUE(hasPair(all, "OR", "ORB")) << normalised;
        EXPECT_TRUE(hasPair(all, "ORB", "ORB")) << normalised;
        EXPECT_TRUE(hasPair(all, "OR", "ANB")) << normalised;
        EXPECT_TRUE(hasPair(all, "ANB", "ORB")) << normalised;
        EXPECT_TRUE(hasPair(all, "OUT", "OUT")) << normalised;
    }
}

TEST(IlProgramGeneratorTest, SameSeedSameProgram) {
    EXPECT_EQ(IlProgramGenerator(42).program(), IlProgramGenerator(42).program());
    EXPECT_NE(IlProgramGenerator(42).program(), IlProgramGenerator(43).program());
}

}  // namespace
}  // namespace kelcc::core::compiler
