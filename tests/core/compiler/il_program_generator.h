#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kelcc::core::compiler::test {

// Seeded generator of valid instruction lists for property tests: level 1,
// END1, level 2, END2, then subprograms. Networks are random series and
// parallel circuits (AND/OR contacts, ANB/ORB blocks) within the drawable
// limits (7 contacts wide, 14 rows), driving one to three outputs (coils and
// function boxes). Every label is jumped to from its own part and every
// subprogram is called from level 1 or 2, so a program draws no warnings.
// Blocks are written the way the compiler writes them: a parallel branch of
// a single contact is OR rather than LD + ORB, and ANB only joins a block
// that has parallel rows.
class IlProgramGenerator final {
public:
    struct Options {
        int maxNetworksPerPart = 4;
        int maxSubprograms = 3;
        int maxJumpsPerPart = 2;
        int maxDepth = 3;  // nested LD blocks below a network's first
    };

    explicit IlProgramGenerator(std::uint32_t seed) : IlProgramGenerator(seed, Options{}) {}
    IlProgramGenerator(std::uint32_t seed, Options options);

    // The IL texts of one program, in step order.
    std::vector<std::string> program();

private:
    struct Block {
        std::vector<std::string> lines;
        int rows = 1;
        int width = 1;
    };
    using Part = std::vector<std::vector<std::string>>;  // networks in order

    Block condition(int maxWidth, int maxRows, int depth);
    std::vector<std::string> network(const std::vector<std::string>& extraOutputs);
    void addJumps(Part& part, int& nextLabel);
    void insertAnywhere(Part& part, std::vector<std::string> network);
    std::string contact(const char* mnemonic);

    // Inclusive range, computed from the raw engine so that programs are
    // the same with every standard library.
    int pick(int low, int high);

    std::mt19937 m_rng;
    Options m_options;
};

}  // namespace kelcc::core::compiler::test
