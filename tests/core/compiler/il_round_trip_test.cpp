#include <gtest/gtest.h>

#include "compiler/il_check.h"
#include "compiler/ladder_compiler.h"
#include "compiler/ladder_rebuild.h"
#include "il_program_generator.h"
#include "plc/instruction_code.h"

namespace kelcc::core::compiler {
namespace {

std::string differences(const plc::IlStore& expected, const plc::IlStore& actual) {
    std::string diff;
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string a = i < expected.size() ? expected[i].text : "";
        const std::string b = i < actual.size() ? actual[i].text : "";
        if (a != b) diff += std::to_string(i) + ": [" + a + "] -> [" + b + "]\n";
    }
    return diff;
}

// Opening a valid program and compiling its drawing gives back the same
// instruction list, and the drawing is a fixpoint of compile + rebuild.
TEST(IlRoundTrip, OpenThenCompileReproducesTheProgram) {
    int failures = 0;
    // One document for all programs: opening replaces its program and its
    // whole ladder, and a new document per program would double the time.
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        test::IlProgramGenerator generator(seed);
        doc.il().clear();
        for (const auto& text : generator.program()) {
            auto code = plc::InstructionCodeOf(text.substr(0, text.find(' ')));
            ASSERT_TRUE(doc.il().append(static_cast<std::uint32_t>(code), text));
        }
        doc.setStepCount(static_cast<int>(doc.il().size()));
        const plc::IlStore original = doc.il();
        ASSERT_TRUE(IlCheck::checkAndDivide(doc).ok()) << seed;
        EXPECT_TRUE(doc.warnings().empty()) << seed;
        ASSERT_TRUE(LadderRebuild::rebuild(doc, doc.networkSteps()).ok()) << seed;
        // Networks follow each other without gaps, each within 14 rows.
        int nextRow = 1;
        for (const plc::NetworkRows& n : doc.networkRows()) {
            ASSERT_EQ(n.firstRow, nextRow) << seed;
            ASSERT_LE(n.lastRow - n.firstRow, 13) << seed;
            nextRow = n.lastRow + 1;
        }
        const LadderGrid drawn = doc.grid();

        auto result = LadderCompiler::compile(doc);
        ASSERT_EQ(result.code, 0) << "seed " << seed << " row " << result.row;
        const bool sameIl = doc.il() == original;
        const bool sameGrid = doc.grid() == drawn;
        if (!sameIl || !sameGrid) {
            if (++failures <= 5)
                ADD_FAILURE() << "seed " << seed << (sameGrid ? "" : " (drawing differs)") << "\n"
                              << differences(original, doc.il());
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace kelcc::core::compiler
