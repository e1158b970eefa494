#include "il_program_generator.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "il_test_program.h"

namespace kelcc::core::compiler::test {

namespace {

struct OutputSample {
    int column;  // where the rebuild draws it
    const char* text;
};

// One sample per output instruction, in the formats the dialogs write.
constexpr OutputSample kOutputs[] = {
    {8, "OUT     Y0001.0"},
    {8, "OUT     R0100.7"},
    {7, "SET     Y0002.1"},
    {7, "RST     Y0002.1"},
    {7, "ALT     R0003.0"},
    {7, "DIFU    R0004.0"},
    {7, "DIFD    R0004.1"},
    {6, "TMRB    T0001 100 R0005.0"},
    {5, "CMP     0001 D0001 D0002 R0006.0"},
    {5, "CTRC    0001 R0010.1 C0005 100 Y0001.2"},
    {5, "MOVN    0002 D0010 D0020"},
    {5, "DECB    0001 D0030 12 R0007.0"},
    {5, "CODB    0001 0001 X0010 R0020 , 5 9"},
    {5, "ROTB    0000 0012 0001 D0040 D0041 D0042 R0008.0"},
    {5, "PARI    0000 R0009.0 D0050 R0009.1"},
    {5, "ADDB    0001 D0060 D0061 R0010.0 D0062 R0010.1"},
    {5, "SUBB    0001 D0063 D0064 R0011.0 D0065 R0011.1"},
    {5, "MOVE    1111 0000 D0070 D0071"},
};

constexpr int kJumpColumn = 7;  // JMPB and CALL
constexpr int kMaxWidth = 7;
constexpr int kMaxRows = 14;

std::string numbered(const char* mnemonic, char letter, int number) {
    char operand[16];
    std::snprintf(operand, sizeof operand, "%c%04d", letter, number);
    return IlTestProgram::line(mnemonic, operand);
}

}  // namespace

IlProgramGenerator::IlProgramGenerator(std::uint32_t seed, Options options)
    : m_rng(seed), m_options(options) {}

int IlProgramGenerator::pick(int low, int high) {
    if (high <= low) return low;
    const auto span = static_cast<std::uint32_t>(high - low + 1);
    return low + static_cast<int>(m_rng() % span);
}

std::string IlProgramGenerator::contact(const char* mnemonic) {
    static constexpr char kLetters[] = {'X', 'Y', 'R', 'F', 'G'};
    char operand[16];
    std::snprintf(operand, sizeof operand, "%c%04d.%d", kLetters[pick(0, 4)], pick(0, 127),
                  pick(0, 7));
    std::string text = mnemonic;
    if (pick(0, 3) == 0) text += "I";  // LDI, ANI, ORI
    if (text == "ANDI") text = "ANI";
    return IlTestProgram::line(text, operand);
}

IlProgramGenerator::Block IlProgramGenerator::condition(int maxWidth, int maxRows, int depth) {
    Block b;
    b.lines.push_back(contact("LD"));
    const int steps = pick(0, 4);
    for (int i = 0; i < steps; ++i) {
        switch (pick(0, 3)) {
            case 0:
                if (b.width < maxWidth) {
                    b.lines.push_back(contact("AND"));
                    ++b.width;
                }
                break;
            case 1:
                if (b.rows < maxRows) {
                    b.lines.push_back(contact("OR"));
                    ++b.rows;
                }
                break;
            case 2:
                if (depth < m_options.maxDepth && b.width < maxWidth && maxRows >= 2) {
                    Block c = condition(maxWidth - b.width, maxRows, depth + 1);
                    if (c.rows == 1) {
                        c.lines.push_back(contact("OR"));
                        c.rows = 2;
                    }
                    std::move(c.lines.begin(), c.lines.end(), std::back_inserter(b.lines));
                    b.lines.push_back(IlTestProgram::line("ANB"));
                    b.width += c.width;
                    b.rows = std::max(b.rows, c.rows);
                }
                break;
            default:
                if (depth < m_options.maxDepth && b.rows < maxRows) {
                    const Block c = condition(maxWidth, maxRows - b.rows, depth + 1);
                    if (c.lines.size() == 1) {
                        // A lone contact in parallel is an OR.
                        b.lines.push_back(contact("OR"));
                    } else {
                        b.lines.insert(b.lines.end(), c.lines.begin(), c.lines.end());
                        b.lines.push_back(IlTestProgram::line("ORB"));
                        b.width = std::max(b.width, c.width);
                    }
                    b.rows += c.rows;
                }
                break;
        }
    }
    return b;
}

std::vector<std::string> IlProgramGenerator::network(const std::vector<std::string>& extraOutputs) {
    std::vector<std::string> outputs = extraOutputs;
    int column = extraOutputs.empty() ? 8 : kJumpColumn;
    const int count = extraOutputs.empty() ? pick(1, 3) : pick(0, 2);
    for (int i = 0; i < count; ++i) {
        const OutputSample& sample = kOutputs[pick(0, static_cast<int>(std::size(kOutputs)) - 1)];
        outputs.insert(outputs.begin() + pick(0, static_cast<int>(outputs.size())), sample.text);
        column = std::min(column, sample.column);
    }
    // The contacts must end left of the leftmost output.
    const Block b = condition(std::min(kMaxWidth, column - 1), kMaxRows, 0);
    std::vector<std::string> lines = b.lines;
    lines.insert(lines.end(), outputs.begin(), outputs.end());
    return lines;
}

void IlProgramGenerator::insertAnywhere(Part& part, std::vector<std::string> network) {
    part.insert(part.begin() + pick(0, static_cast<int>(part.size())), std::move(network));
}

void IlProgramGenerator::addJumps(Part& part, int& nextLabel) {
    const int jumps = pick(0, m_options.maxJumpsPerPart);
    for (int i = 0; i < jumps; ++i) {
        const int label = nextLabel++;
        insertAnywhere(part, network({numbered("JMPB", 'L', label)}));
        insertAnywhere(part, {numbered("LBL", 'L', label)});
    }
}

std::vector<std::string> IlProgramGenerator::program() {
    const int subprograms = pick(0, m_options.maxSubprograms);
    Part level1;
    Part level2;
    std::vector<Part> subs(static_cast<std::size_t>(subprograms));
    auto fill = [this](Part& part, int minimum) {
        const int n = pick(minimum, m_options.maxNetworksPerPart);
        for (int i = 0; i < n; ++i)
            part.push_back(network({}));
    };
    fill(level1, 1);
    fill(level2, 0);
    for (Part& sub : subs)
        fill(sub, 1);

    int nextLabel = pick(0, 50);
    addJumps(level1, nextLabel);
    addJumps(level2, nextLabel);
    for (Part& sub : subs)
        addJumps(sub, nextLabel);

    for (int n = 1; n <= subprograms; ++n)
        insertAnywhere(pick(0, 1) == 0 ? level1 : level2, network({numbered("CALL", 'P', n)}));

    std::vector<std::string> lines;
    auto append = [&lines](const Part& part) {
        for (const auto& network : part)
            lines.insert(lines.end(), network.begin(), network.end());
    };
    append(level1);
    lines.push_back(IlTestProgram::line("END1"));
    append(level2);
    lines.push_back(IlTestProgram::line("END2"));
    for (int n = 1; n <= subprograms; ++n) {
        lines.push_back(numbered("SP", 'P', n));
        append(subs[static_cast<std::size_t>(n - 1)]);
        lines.push_back(IlTestProgram::line("SPE"));
    }
    return lines;
}

}  // namespace kelcc::core::compiler::test
