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
// In the normalised form (the default) a program is what compiling its
// drawing writes, so opening and compiling it gives it back unchanged. A
// condition is a tree: series hold contacts and parallel groups, parallel
// groups hold contacts, series and narrower groups. A group as wide as the
// group around it shares its joint in the drawing and is written flat.
//   - a series: its first part, then AND for a contact or the group and ANB;
//   - a parallel group of width w: its branches from the top, each closed
//     with ORB (a contact with OR) as soon as the blocks so far reach w;
//     narrower branches before that wait and are closed together.
// The free form writes any list the rebuild can draw (LD, AND, OR, ANB, ORB
// in random order), for properties of the drawing.
class IlProgramGenerator final {
public:
    struct Options {
        int maxNetworksPerPart = 4;
        int maxSubprograms = 3;
        int maxJumpsPerPart = 2;
        int maxDepth = 3;  // nested LD blocks below a network's first
        bool normalised = true;
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
    void freeCondition(int maxWidth, int maxRows, std::vector<std::string>& lines);
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
