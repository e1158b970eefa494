// Long run of the compiler fixpoints: compiler_fixpoint_run [COUNT] [SEED].
// Program i is generated from seed SEED + i, normalised for even seeds and
// free for odd ones; a failure prints its seed, and COUNT 1 with that seed
// replays it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "fixpoint_check.h"
#include "il_program_generator.h"

using kelcc::core::compiler::test::FixpointCheck;
using kelcc::core::compiler::test::IlProgramGenerator;

int main(int argc, char** argv) {
    const unsigned long count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::uint32_t seed = argc > 2
                                   ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10))
                                   : std::random_device{}();
    std::printf("seed %u, %lu programs\n", seed, count);
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    FixpointCheck check;
    unsigned long failures = 0;
    for (unsigned long i = 0; i < count; ++i) {
        const auto programSeed = static_cast<std::uint32_t>(seed + i);
        IlProgramGenerator::Options options;
        options.normalised = programSeed % 2 == 0;
        const std::string failure =
            check.check(IlProgramGenerator(programSeed, options).program(), options.normalised);
        if (!failure.empty()) {
            if (++failures <= 10)
                std::printf("FAIL program seed %u (%s)\n%s", programSeed,
                            options.normalised ? "normalised" : "free", failure.c_str());
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%lu programs checked in %.1f s, %lu failures\n", count, seconds, failures);
    return failures == 0 ? 0 : 1;
}
