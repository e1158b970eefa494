#include <gtest/gtest.h>

#include "fixpoint_check.h"
#include "il_program_generator.h"

namespace kelcc::core::compiler {
namespace {

// A few hundred programs in all; compiler_fixpoint_run checks many more.
constexpr std::uint32_t kPrograms = 150;

void checkPrograms(bool normalised) {
    test::FixpointCheck check;
    int failures = 0;
    test::IlProgramGenerator::Options options;
    options.normalised = normalised;
    for (std::uint32_t seed = 1; seed <= kPrograms; ++seed) {
        const std::string failure =
            check.check(test::IlProgramGenerator(seed, options).program(), normalised);
        if (!failure.empty() && ++failures <= 3)
            ADD_FAILURE() << "seed " << seed << "\n" << failure;
    }
    EXPECT_EQ(failures, 0);
}

TEST(CompilerFixpoint, NormalisedProgramsCompileBackToThemselves) {
    checkPrograms(true);
}

TEST(CompilerFixpoint, DrawingsSurviveCompileAndRebuild) {
    checkPrograms(false);
}

}  // namespace
}  // namespace kelcc::core::compiler
