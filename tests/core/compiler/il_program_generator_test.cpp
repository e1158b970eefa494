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
