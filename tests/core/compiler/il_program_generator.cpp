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

IlProgramGenerator::Node IlProgramGenerator::contact() {
    static constexpr char kLetters[] = {'X', 'Y', 'R', 'F', 'G'};
    char operand[16];
    std::snprintf(operand, sizeof operand, "%c%04d.%d", kLetters[pick(0, 4)], pick(0, 127),
                  pick(0, 7));
    Node n;
    n.operand = operand;
    n.closed = pick(0, 3) == 0;
    return n;
}

IlProgramGenerator::Node IlProgramGenerator::condition(int maxWidth, int maxRows) {
    switch (pick(0, 4)) {
        case 0:
            return contact();
        case 1:
        case 2:
            return series(maxWidth, maxRows, 0);
        default:
            return parallel(maxWidth, maxRows, 0);
    }
}

IlProgramGenerator::Node IlProgramGenerator::series(int maxWidth, int maxRows, int depth) {
    Node s;
    s.kind = Node::Kind::Series;
    s.width = 0;
    const int parts = pick(2, 4);
    for (int i = 0; i < parts && s.width < maxWidth; ++i) {
        const bool group = depth < m_options.maxDepth && maxRows >= 2 && pick(0, 2) == 0;
        Node part = group ? parallel(maxWidth - s.width, maxRows, depth + 1) : contact();
        s.width += part.width;
        s.rows = std::max(s.rows, part.rows);
        if (part.kind == Node::Kind::Series) {
            // A group that came out as one branch: its parts join this series.
            for (Node& inner : part.parts)
                s.parts.push_back(std::move(inner));
        } else {
            s.parts.push_back(std::move(part));
        }
    }
    // A series of one part is that part; it is a contact or a group, and a
    // group may stand where this series was asked for only at the top.
    if (s.parts.size() == 1 && s.parts.front().kind == Node::Kind::Contact)
        return std::move(s.parts.front());
    if (s.parts.size() == 1) {
        s.parts.push_back(contact());
        if (s.width >= maxWidth) return contact();
        s.width += 1;
    }
    return s;
}

IlProgramGenerator::Node IlProgramGenerator::parallel(int maxWidth, int maxRows, int depth) {
    Node p;
    p.kind = Node::Kind::Parallel;
    p.rows = 0;
    const int branches = pick(2, 4);
    std::vector<Node> drawn;
    for (int i = 0; i < branches && p.rows < maxRows; ++i) {
        const int kind = depth < m_options.maxDepth ? pick(0, 3) : 0;
        Node branch;
        if (kind == 1 && maxWidth >= 2)
            branch = series(maxWidth, maxRows - p.rows, depth + 1);
        else if (kind == 2 && maxRows - p.rows >= 2)
            branch = parallel(maxWidth, maxRows - p.rows, depth + 1);
        else
            branch = contact();
        p.rows += branch.rows;
        p.width = std::max(p.width, branch.width);
        drawn.push_back(std::move(branch));
    }
    // A group as wide as this one closes on the same joint: its branches
    // are branches of this group.
    for (Node& branch : drawn) {
        if (branch.kind == Node::Kind::Parallel && branch.width == p.width) {
            for (Node& inner : branch.parts)
                p.parts.push_back(std::move(inner));
        } else {
            p.parts.push_back(std::move(branch));
        }
    }
    if (p.parts.size() == 1) return std::move(p.parts.front());
    return p;
}

void IlProgramGenerator::freeCondition(int maxWidth, int maxRows, std::vector<std::string>& lines) {
    struct Extent {
        int rows;
        int width;
    };
    // The stack's rows together stay within the limit, so that ORB can
    // always close what is open.
    std::vector<Extent> stack;
    int rows = 0;
    const int contacts = pick(1, 24);
    int placed = 0;
    auto put = [&](const char* open, const char* closed) {
        const Node c = contact();
        lines.push_back(contactLine(c, open, closed));
        ++placed;
    };
    for (;;) {
        const bool more = placed < contacts;
        const std::size_t n = stack.size();
        const bool canLoad = more && rows < maxRows && n < 18;
        const bool canAnd = more && n > 0 && stack.back().width < maxWidth;
        const bool canOr = more && n > 0 && rows < maxRows;
        const bool canAnb = n >= 2 && stack[n - 2].width + stack[n - 1].width <= maxWidth;
        const bool canOrb = n >= 2;
        if (!canLoad && !canAnd && !canOr && !canAnb && !canOrb) break;
        switch (pick(0, 4)) {
            case 0:
                if (!canLoad) continue;
                put("LD", "LDI");
                stack.push_back({1, 1});
                ++rows;
                break;
            case 1:
                if (!canAnd) continue;
                put("AND", "ANI");
                ++stack.back().width;
                break;
            case 2:
                if (!canOr) continue;
                put("OR", "ORI");
                ++stack.back().rows;
                ++rows;
                break;
            case 3: {
                if (!canAnb) continue;
                const Extent right = stack.back();
                stack.pop_back();
                rows -= std::min(right.rows, stack.back().rows);
                stack.back().rows = std::max(stack.back().rows, right.rows);
                stack.back().width += right.width;
                lines.push_back(IlTestProgram::line("ANB"));
                break;
            }
            default: {
                if (!canOrb) continue;
                const Extent lower = stack.back();
                stack.pop_back();
                stack.back().rows += lower.rows;
                stack.back().width = std::max(stack.back().width, lower.width);
                lines.push_back(IlTestProgram::line("ORB"));
                break;
            }
        }
    }
}

std::string IlProgramGenerator::contactLine(const Node& node, const char* open,
                                            const char* closed) {
    return IlTestProgram::line(node.closed ? closed : open, node.operand);
}

void IlProgramGenerator::emit(const Node& node, std::vector<std::string>& lines) {
    switch (node.kind) {
        case Node::Kind::Contact:
            lines.push_back(contactLine(node, "LD", "LDI"));
            return;
        case Node::Kind::Series:
            emit(node.parts.front(), lines);
            for (std::size_t i = 1; i < node.parts.size(); ++i) {
                const Node& part = node.parts[i];
                if (part.kind == Node::Kind::Contact) {
                    lines.push_back(contactLine(part, "AND", "ANI"));
                } else {
                    emit(part, lines);
                    lines.push_back(IlTestProgram::line("ANB"));
                }
            }
            return;
        case Node::Kind::Parallel: {
            emit(node.parts.front(), lines);
            bool reached = node.parts.front().width == node.width;
            int waiting = 0;
            for (std::size_t i = 1; i < node.parts.size(); ++i) {
                const Node& branch = node.parts[i];
                if (reached && branch.kind == Node::Kind::Contact) {
                    lines.push_back(contactLine(branch, "OR", "ORI"));
                    continue;
                }
                emit(branch, lines);
                ++waiting;
                if (reached || branch.width == node.width) {
                    for (; waiting > 0; --waiting)
                        lines.push_back(IlTestProgram::line("ORB"));
                    reached = true;
                }
            }
            return;
        }
    }
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
    std::vector<std::string> lines;
    if (m_options.normalised)
        emit(condition(std::min(kMaxWidth, column - 1), kMaxRows), lines);
    else
        freeCondition(std::min(kMaxWidth, column - 1), kMaxRows, lines);
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
