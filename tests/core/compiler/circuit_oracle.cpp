#include "circuit_oracle.h"

#include <algorithm>
#include <numeric>

#include "plc/instruction_code.h"

namespace kelcc::core::compiler::test {

using plc::LadderCell;
using plc::LadderGrid;

namespace {

using plc::InstructionCode;

struct Sets {
    std::vector<int> parent;
    int find(int x) {
        while (parent[static_cast<std::size_t>(x)] != x) {
            x = parent[static_cast<std::size_t>(x)] =
                parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(x)])];
        }
        return x;
    }
    void join(int a, int b) { parent[static_cast<std::size_t>(find(a))] = find(b); }
};

bool isStructural(int code) {
    switch (static_cast<InstructionCode>(code)) {
        case InstructionCode::END1:
        case InstructionCode::END2:
        case InstructionCode::LBL:
        case InstructionCode::SP:
        case InstructionCode::SPE:
            return true;
        default:
            return false;
    }
}

}  // namespace

CircuitOracle::Outputs CircuitOracle::ofLadder(const LadderGrid& grid, const Inputs& inputs) {
    const int rows = grid.lastUsedRow() + 1;
    constexpr int kNodes = LadderGrid::kColumns + 2;  // boundary c = left edge of column c
    auto node = [&](int r, int c) { return r * kNodes + c; };
    Sets sets;
    sets.parent.resize(static_cast<std::size_t>((rows + 1) * kNodes));
    std::iota(sets.parent.begin(), sets.parent.end(), 0);
    for (int r = 1; r < rows; ++r) {
        for (int c = 2; c <= LadderGrid::kColumns; ++c) {
            const LadderCell* cell = grid.cell(r, c);
            if (cell && cell->verticalLink) sets.join(node(r, c), node(r + 1, c));
        }
    }
    std::vector<char> power(sets.parent.size(), 0);
    for (int r = 1; r <= rows; ++r)
        power[static_cast<std::size_t>(sets.find(node(r, 1)))] = 1;
    Outputs outputs;
    for (int c = 1; c <= LadderGrid::kColumns; ++c) {
        for (int r = 1; r < rows; ++r) {
            const LadderCell* cell = grid.cell(r, c);
            if (!cell || !cell->element) continue;
            const bool in = power[static_cast<std::size_t>(sets.find(node(r, c)))] != 0;
            bool out = false;
            if (cell->kind == 0) {
                out = in;
            } else if (cell->kind == 1) {
                out = in && inputs(cell->text);
            } else if (cell->kind == 2) {
                out = in && !inputs(cell->text);
            } else if (!isStructural(cell->kind)) {
                outputs.emplace_back(cell->kind == 6 ? "OUT     " + cell->text : cell->text, in);
            }
            if (out) power[static_cast<std::size_t>(sets.find(node(r, c + 1)))] = 1;
        }
    }
    std::sort(outputs.begin(), outputs.end());
    return outputs;
}

CircuitOracle::Outputs CircuitOracle::ofIl(const plc::IlStore& il, const Inputs& inputs) {
    std::vector<bool> stack;
    Outputs outputs;
    bool afterOutput = false;
    for (const plc::IlEntry& e : il) {
        const auto code = static_cast<InstructionCode>(e.opcode);
        const std::string operand = e.text.size() > 8 ? e.text.substr(8) : std::string();
        if (afterOutput && (code == InstructionCode::LD || code == InstructionCode::LDI)) {
            stack.clear();
        }
        afterOutput = false;
        // A malformed list shows as an output nobody drew.
        const std::size_t needed = code == InstructionCode::ANB || code == InstructionCode::ORB ? 2
                                   : code == InstructionCode::LD || code == InstructionCode::LDI ||
                                           isStructural(static_cast<int>(e.opcode))
                                       ? 0
                                       : 1;
        if (stack.size() < needed) {
            outputs.emplace_back("<stack underflow>", false);
            break;
        }
        switch (code) {
            case InstructionCode::LD:
            case InstructionCode::LDI:
                stack.push_back(inputs(operand) == (code == InstructionCode::LD));
                break;
            case InstructionCode::AND:
            case InstructionCode::ANI:
                stack.back() = stack.back() && inputs(operand) == (code == InstructionCode::AND);
                break;
            case InstructionCode::OR:
            case InstructionCode::ORI:
                stack.back() = stack.back() || inputs(operand) == (code == InstructionCode::OR);
                break;
            case InstructionCode::ANB:
            case InstructionCode::ORB: {
                const bool top = stack.back();
                stack.pop_back();
                stack.back() =
                    code == InstructionCode::ANB ? (stack.back() && top) : (stack.back() || top);
                break;
            }
            default:
                if (isStructural(static_cast<int>(e.opcode))) break;
                outputs.emplace_back(e.text, stack.back());
                afterOutput = true;
                break;
        }
    }
    std::sort(outputs.begin(), outputs.end());
    return outputs;
}

}  // namespace kelcc::core::compiler::test
