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

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

TEST(IlProgramGeneratorTest, EveryProgramOpensWithoutWarnings) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const std::vector<std::string> lines = IlProgramGenerator(seed).program();
        doc.il() = IlTestProgram::store(lines);
        ASSERT_EQ(doc.il().size(), lines.size());
        const StepError checked = IlCheck::checkAndDivide(doc);
        ASSERT_TRUE(checked.ok()) << "seed " << seed << ": " << checked.code << " at "
                                  << checked.step << "\n"
                                  << joined(lines);
        EXPECT_TRUE(doc.warnings().empty()) << "seed " << seed;
        const StepError drawn = LadderRebuild::rebuild(doc, doc.networkSteps());
        ASSERT_TRUE(drawn.ok()) << "seed " << seed << ": " << drawn.code << " at " << drawn.step
                                << "\n"
                                << joined(lines);
        ASSERT_EQ(doc.networkRows().size(), doc.networkSteps().size());
        // Networks follow each other without gaps, each within 14 rows.
        int nextRow = 1;
        for (const plc::NetworkRows& n : doc.networkRows()) {
            EXPECT_EQ(n.firstRow, nextRow) << "seed " << seed;
            EXPECT_LE(n.lastRow - n.firstRow, 13) << "seed " << seed;
            nextRow = n.lastRow + 1;
        }
        EXPECT_EQ(doc.grid().lastUsedRow(), nextRow - 1) << "seed " << seed;
    }
}

TEST(IlProgramGeneratorTest, UsesEveryKindOfInstruction) {
    // The property tests are only as good as what the programs contain.
    std::string all;
    for (std::uint32_t seed = 1; seed <= 100; ++seed)
        all += joined(IlProgramGenerator(seed).program());
    for (const char* word : {"LD      ", "LDI     ", "AND     ", "ANI     ", "OR      ", "ORI     ",
                             "ANB     ", "ORB     ", "OUT     ", "JMPB    ", "LBL     ", "CALL    ",
                             "SP      ", "SPE     ", "TMRB    ", "CMP     ", "SET     "}) {
        EXPECT_NE(all.find(std::string("\n") + word), std::string::npos) << word;
    }
}

TEST(IlProgramGeneratorTest, SameSeedSameProgram) {
    EXPECT_EQ(IlProgramGenerator(42).program(), IlProgramGenerator(42).program());
    EXPECT_NE(IlProgramGenerator(42).program(), IlProgramGenerator(43).program());
}

}  // namespace
}  // namespace kelcc::core::compiler
