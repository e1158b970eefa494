#include "circuit_graph.h"

#include <string_view>

#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

using plc::LadderCell;
using plc::LadderGrid;
using plc::Network;

using plc::CompileResult;
using plc::InstructionCode;

namespace {

constexpr int kLine = plc::kCellKindLine;
constexpr int kContactOpen = static_cast<int>(InstructionCode::LD);
constexpr int kContactClosed = static_cast<int>(InstructionCode::LDI);
constexpr int kCoil = static_cast<int>(InstructionCode::OUT);
constexpr int kFirstFunction = static_cast<int>(InstructionCode::END1);

CompileResult errorAt(int code, int row, int column) {
    return {code, row, column, 0};
}

}  // namespace

CircuitGraph::CircuitGraph(const LadderGrid& grid) : m_grid(grid) {}

int CircuitGraph::functionColumn(int kind) noexcept {
    if (kind < static_cast<int>(InstructionCode::END1) || kind > 255) return 0;
    return plc::PlacementColumnOf(static_cast<InstructionCode>(kind));
}

bool CircuitGraph::isValidKind(int kind) noexcept {
    if (kind < 0 || kind > 255) return false;
    return kind == kLine || kind == kContactOpen || kind == kContactClosed || kind == kCoil ||
           functionColumn(kind) != 0;
}

bool CircuitGraph::textIsValid(const LadderCell& cell) {
    const std::string_view text = cell.text;
    // A line break or NUL would split or cut the instruction in the program
    // file.
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
    if (cell.kind == kLine) return true;
    if (cell.kind < kFirstFunction) return !text.empty();
    // A box is written to the program as its text, and the text is read back
    // by its mnemonic: the two must agree.
    const std::string_view mnemonic = plc::MnemonicOf(static_cast<InstructionCode>(cell.kind));
    if (mnemonic.empty() || !text.starts_with(mnemonic)) return false;
    return text.size() == mnemonic.size() || text[mnemonic.size()] == ' ';
}

const LadderCell* CircuitGraph::element(int row, int column) const noexcept {
    const LadderCell* cell = m_grid.cell(row, column);
    return cell && cell->element ? cell : nullptr;
}

int CircuitGraph::jointAt(int row, int column) const noexcept {
    if (row < 0 || row > m_lastRow + 1 || column < 0 || column > LadderGrid::kColumns + 1) {
        return -1;
    }
    return m_jointAt[index(row, column)];
}

int CircuitGraph::inputJoint(int row, int column) const noexcept {
    const int above = jointAt(row - 1, column);
    return above >= 0 ? above : jointAt(row, column);
}

CircuitGraph::Target CircuitGraph::output(int row, int column) const noexcept {
    int joint = jointAt(row - 1, column + 1);
    if (joint < 0) joint = jointAt(row, column + 1);
    return {joint, row, column + 1};
}

bool CircuitGraph::functionRuleHolds(int row, int column, int kind) const {
    // Nothing may follow a box: neither right of the column the box belongs
    // in nor right of the place it stands (anything there would never be
    // reached). A box right of its column therefore fails too.
    const int from = std::min(column, functionColumn(kind)) + 1;
    for (int c = from; c <= LadderGrid::kColumns; ++c) {
        if (m_grid.cell(row, c)) return false;
        const LadderCell* above = m_grid.cell(row - 1, c);
        if (above && above->verticalLink) return false;
    }
    return true;
}

void CircuitGraph::enterLink(int row, int column) {
    const int above = jointAt(row - 1, column);
    int id = above;
    if (id < 0) {
        id = static_cast<int>(m_joints.size());
        Joint joint;
        joint.topRow = row;
        joint.column = column;
        m_joints.push_back(std::move(joint));
    }
    m_jointAt[index(row, column)] = id;
    m_rowHasLink[static_cast<std::size_t>(row)] = 1;
}

void CircuitGraph::enterElement(int row, int column) {
    const int in = inputJoint(row, column);
    if (in >= 0) {
        Joint& joint = m_joints[static_cast<std::size_t>(in)];
        // Rows are entered in ascending order, so the list stays sorted.
        joint.branches.push_back(row);
        ++joint.outputs;
    }
    const Target out = output(row, column);
    if (out.joint >= 0) ++m_joints[static_cast<std::size_t>(out.joint)].inputs;
    m_rowHasElement[static_cast<std::size_t>(row)] = 1;
}

CompileResult CircuitGraph::build() {
    m_lastRow = m_grid.lastUsedRow();
    m_jointAt.assign(static_cast<std::size_t>(m_lastRow + 2) * kStride, -1);
    m_joints.clear();
    m_railJoints.clear();
    m_rowHasElement.assign(static_cast<std::size_t>(m_lastRow + 2), 0);
    m_rowHasLink.assign(static_cast<std::size_t>(m_lastRow + 2), 0);

    for (int r = 1; r <= m_lastRow; ++r) {
        // The links of a row are entered first: an element's output may end
        // on a link further right in its own row. Column 1 is the rail and
        // never holds a joint.
        if (r < LadderGrid::kRows) {
            for (int c = 2; c <= LadderGrid::kColumns; ++c) {
                const LadderCell* cell = m_grid.cell(r, c);
                if (cell && cell->verticalLink) enterLink(r, c);
            }
        }
        for (int c = 1; c <= LadderGrid::kColumns; ++c) {
            const LadderCell* cell = element(r, c);
            if (!cell) continue;
            if (!isValidKind(cell->kind)) return errorAt(200, r, c);
            if (functionColumn(cell->kind) != 0 && !functionRuleHolds(r, c, cell->kind)) {
                return errorAt(216, r, c);
            }
            if (!textIsValid(*cell)) return errorAt(200, r, c);
            enterElement(r, c);
        }
    }
    return {};
}

CompileResult CircuitGraph::check() const {
    for (int r = 1; r <= m_lastRow; ++r) {
        for (int c = 1; c <= LadderGrid::kColumns; ++c) {
            if (const LadderCell* cell = element(r, c)) {
                const bool leftConnected = c == 1 || element(r, c - 1) || jointAt(r - 1, c) >= 0;
                if (!leftConnected) return errorAt(203, r, c);
                if (c == LadderGrid::kColumns && cell->kind != kCoil) return errorAt(201, r, c);
                if (cell->kind < kFirstFunction && c < LadderGrid::kColumns) {
                    const bool rightConnected = element(r, c + 1) || jointAt(r - 1, c + 1) >= 0;
                    if (!rightConnected) return errorAt(202, r, c);
                }
            }
            if (jointAt(r, c) < 0) continue;
            if (r == LadderGrid::kRows || c == 1) return errorAt(204, r, c);
            if (jointAt(r - 1, c) < 0 && !(element(r, c - 1) && element(r, c))) {
                return errorAt(206, r, c);
            }
            if (jointAt(r + 1, c) < 0 && !element(r + 1, c - 1) && !element(r + 1, c)) {
                return errorAt(205, r, c);
            }
        }
    }
    return {};
}

CompileResult CircuitGraph::divide(std::vector<Network>& networks) {
    networks.clear();
    m_railJoints.clear();
    int row = 1;
    while (row <= m_lastRow) {
        while (row <= m_lastRow && !m_rowHasElement[static_cast<std::size_t>(row)])
            ++row;
        if (row > m_lastRow) break;
        int last = row;
        while (last <= m_lastRow && m_rowHasLink[static_cast<std::size_t>(last)])
            ++last;
        if (last - row + 1 > LadderGrid::kMaxCompiledNetworkRows) return errorAt(353, -1, -1);

        Network network;
        network.firstRow = row;
        network.lastRow = last;
        network.entryRow = row;
        network.entryColumn = 0;
        networks.push_back(network);

        Joint rail;
        rail.topRow = row;
        rail.column = 0;
        for (int r = row; r <= last; ++r) {
            if (element(r, 1)) rail.branches.push_back(r);
        }
        rail.outputs = static_cast<int>(rail.branches.size());
        m_railJoints.push_back(static_cast<int>(m_joints.size()));
        m_joints.push_back(std::move(rail));
        row = last + 1;
    }
    return {};
}

}  // namespace kelcc::core::compiler
