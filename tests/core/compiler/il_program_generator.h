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
//
// Programs are in the compiler's form, so that opening and compiling one
// gives it back unchanged. A condition is a tree whose series hold contacts
// and parallel groups and whose parallel groups hold contacts and series
// (nothing nested in its own kind, since the drawing joins those):
//   - a series: its first part, then AND for a contact or the group and ANB;
//   - a parallel group: its first branch, then OR for a contact or the
//     branch and ORB, branches in order from the top.
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
    // A contact, a series of at least two parts or a parallel group of at
    // least two branches, with the extent the rebuild gives it.
    struct Node {
        enum class Kind { Contact, Series, Parallel };
        Kind kind = Kind::Contact;
        std::string operand;  // contacts
        bool closed = false;  // contacts: LDI, ANI, ORI
        std::vector<Node> parts;
        int rows = 1;
        int width = 1;
    };
    using Part = std::vector<std::vector<std::string>>;  // networks in order

    Node condition(int maxWidth, int maxRows);
    Node series(int maxWidth, int maxRows, int depth);
    Node parallel(int maxWidth, int maxRows, int depth);
    Node contact();
    static void emit(const Node& node, std::vector<std::string>& lines);
    static std::string contactLine(const Node& node, const char* open, const char* closed);
    std::vector<std::string> network(const std::vector<std::string>& extraOutputs);
    void addJumps(Part& part, int& nextLabel);
    void insertAnywhere(Part& part, std::vector<std::string> network);

    // Inclusive range, computed from the raw engine so that programs are
    // the same with every standard library.
    int pick(int low, int high);

    std::mt19937 m_rng;
    Options m_options;
};

}  // namespace kelcc::core::compiler::test
