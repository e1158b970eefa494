#include "il_generator.h"

#include <algorithm>
#include <string>

#include "compiler/compile_errors.h"
#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

using plc::LadderCell;
using plc::LadderGrid;
using plc::Network;

using plc::CompileResult;
using plc::InstructionCode;

namespace {

constexpr int kLine = plc::kCellKindLine;
constexpr int kCoil = static_cast<int>(InstructionCode::OUT);
constexpr int kOrb = static_cast<int>(InstructionCode::ORB);
constexpr int kAnb = static_cast<int>(InstructionCode::ANB);
constexpr int kFirstFunction = static_cast<int>(InstructionCode::END1);
constexpr std::size_t kMnemonicField = 8;

// Opcode offsets from the contact kind (1 open, 2 closed).
constexpr int kLoad = 0;  // LD, LDI
constexpr int kAnd = 2;   // AND, ANI
constexpr int kOr = 6;    // OR, ORI

// Bookkeeping faults of the walk, reported as internal errors.
constexpr int kInternalLeftOver = 1;
constexpr int kInternalBranches = 2;
constexpr int kInternalBlockNotOrb = 3;
constexpr int kInternalBlockNotAnb = 4;
constexpr int kInternalRailExhausted = 5;
constexpr int kInternalNoElement = 6;
constexpr int kInternalNoRecord = 7;
constexpr int kInternalState = 8;

bool isContact(int kind) {
    return kind == static_cast<int>(InstructionCode::LD) ||
           kind == static_cast<int>(InstructionCode::LDI);
}

// The boxes that stand alone on their row and form a network by themselves.
bool isSingleBox(int kind) {
    switch (static_cast<InstructionCode>(kind)) {
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

IlGenerator::IlGenerator(const CircuitGraph& graph, plc::IlStore& out, int blockStackEntries)
    : m_graph(graph), m_out(out), m_blockStackEntries(blockStackEntries) {}

void IlGenerator::fail(int code, int row, int column) {
    if (m_error.code == 0) m_error = {code, row, column, 0};
}

void IlGenerator::failAtJoint(int code, int joint) {
    const CircuitGraph::Joint& j = m_graph.joint(joint);
    fail(code, j.topRow, j.column == 0 ? -1 : j.column);
}

CompileResult IlGenerator::generate(const std::vector<Network>& networks,
                                    std::vector<plc::NetworkSteps>& steps) {
    m_error = {};
    const auto joints = static_cast<std::size_t>(m_graph.jointCount());
    m_jointState.assign(joints, JointState::Unseen);
    m_jointEnd.assign(joints, 0);
    steps.clear();
    for (std::size_t n = 0; n < networks.size(); ++n) {
        steps.push_back({static_cast<int>(m_out.size()), -1});
        if (!generateNetwork(n, networks[n])) return m_error;
        steps.back().lastStep = static_cast<int>(m_out.size()) - 1;
    }
    return m_error;
}

bool IlGenerator::generateNetwork(std::size_t network, const Network& rows) {
    m_firstRow = rows.firstRow;
    m_rowCount = rows.lastRow - rows.firstRow + 1;
    m_visited.assign(static_cast<std::size_t>(m_rowCount) * (LadderGrid::kColumns + 1), 0);
    m_records.clear();
    m_blocks.assign(1, Block{});
    m_drawn.clear();
    m_reached = -1;
    measure(rows);

    const int rail = m_graph.railJoint(network);
    m_records.push_back({rail, 0, 0, -1, false});
    m_current = 0;
    m_jointState[static_cast<std::size_t>(rail)] = JointState::Done;

    Place first;
    if (!takeBranch(0, first)) {
        if (m_error.code == 0) fail(kInternalNoRecord);
        return false;
    }
    if (first.joint >= 0) {
        failAtJoint(213, first.joint);
        return false;
    }
    const int kind = m_graph.element(first.row, first.column)->kind;
    if (isContact(kind)) {
        if (!emitContact(first.row, first.column, kLoad)) return false;
        const Flow flow = walkSeries(first.row, first.column, -1, 0);
        if (flow == Flow::Failed) return false;
        if (flow == Flow::Reached) {
            fail(kInternalState);
            return false;
        }
    } else if (isSingleBox(kind)) {
        if (!emitTerminal(first.row, first.column)) return false;
    } else {
        fail(214, first.row, first.column);
        return false;
    }

    if (m_blocks.size() > 1) {
        failAtJoint(215, m_blocks.back().joint);
        return false;
    }
    // Every element of the network must have been compiled; one that the
    // walk never reached would silently vanish from the program.
    for (int r = rows.firstRow; r <= rows.lastRow; ++r) {
        for (int c = 1; c <= LadderGrid::kColumns; ++c) {
            const std::size_t i =
                static_cast<std::size_t>(r - m_firstRow) * (LadderGrid::kColumns + 1) +
                static_cast<std::size_t>(c);
            if (m_graph.element(r, c) && !m_visited[i]) {
                fail(kInternalLeftOver);
                return false;
            }
        }
    }
    return true;
}

IlGenerator::Flow IlGenerator::walkSeries(int row, int column, int mergeTarget, int depth) {
    for (;;) {
        const CircuitGraph::Target target = m_graph.output(row, column);
        if (target.joint >= 0) {
            const Flow flow = enterJoint(target.joint, depth);
            if (flow == Flow::Terminal && mergeTarget >= 0) {
                // A path that should merge again ended in outputs instead.
                failAtJoint(210, target.joint);
                return Flow::Failed;
            }
            return flow;
        }
        row = target.row;
        column = target.column;
        if (!visit(row, column)) return Flow::Failed;
        const int kind = m_graph.element(row, column)->kind;
        if (kind == kLine) continue;
        if (isContact(kind)) {
            if (!emitContact(row, column, kAnd)) return Flow::Failed;
            continue;
        }
        if (mergeTarget >= 0) {
            fail(209, row, column);
            return Flow::Failed;
        }
        return emitTerminal(row, column) ? Flow::Terminal : Flow::Failed;
    }
}

IlGenerator::Flow IlGenerator::enterJoint(int joint, int depth) {
    switch (m_jointState[static_cast<std::size_t>(joint)]) {
        case JointState::Open:
            m_reached = joint;
            return Flow::Reached;
        case JointState::Done:
            // Its inputs were complete and its outputs walked already.
            failAtJoint(207, joint);
            return Flow::Failed;
        case JointState::Unseen:
            break;
    }
    return handleJoint(joint, depth + 1);
}

IlGenerator::Flow IlGenerator::handleJoint(int joint, int depth) {
    if (depth > kMaxJointNesting) {
        failAtJoint(kErrorBlocksTooDeep, joint);
        return Flow::Failed;
    }
    const CircuitGraph::Joint& j = m_graph.joint(joint);
    const int record = static_cast<int>(m_records.size());
    m_records.push_back({joint, 1, 0, m_current, false});
    m_jointState[static_cast<std::size_t>(joint)] = JointState::Open;

    while (m_records[static_cast<std::size_t>(record)].arrived < j.inputs) {
        const int origin = resolve(m_current);
        if (origin < 0) {
            fail(kInternalNoRecord);
            return Flow::Failed;
        }
        Record& o = m_records[static_cast<std::size_t>(origin)];
        const CircuitGraph::Joint& from = m_graph.joint(o.joint);
        if (o.taken >= static_cast<int>(from.branches.size())) {
            if (from.column == 0) {
                fail(kInternalRailExhausted);
                return Flow::Failed;
            }
            if (blockRefersTo(o.joint)) {
                failAtJoint(207, o.joint);
                return Flow::Failed;
            }
            // The series began further left.
            o.dropped = true;
            m_current = resolve(o.link);
            continue;
        }
        m_current = origin;
        Place place;
        if (!takeBranch(origin, place)) return Flow::Failed;
        if (place.joint >= 0) {
            failAtJoint(208, place.joint);
            return Flow::Failed;
        }
        if (!pushBlock(joint, kOrb, place.row, place.column)) return Flow::Failed;
        if (!isContact(m_graph.element(place.row, place.column)->kind)) {
            fail(209, place.row, place.column);
            return Flow::Failed;
        }
        // OR draws the contact below the block written last, wired to that
        // block's right side: the same drawing as LD and ORB when that block
        // already reaches the joint, so the shorter form is written.
        int offset = kLoad;
        if (j.topRow < place.row && lineEnd(place.row, place.column) == joint && !m_drawn.empty() &&
            m_drawn.back().end() >= m_jointEnd[static_cast<std::size_t>(joint)]) {
            m_blocks.back().operation = kParallel;
            offset = kOr;
        }
        if (!emitContact(place.row, place.column, offset)) return Flow::Failed;
        const Flow flow = walkSeries(place.row, place.column, joint, depth);
        if (flow == Flow::Failed) return Flow::Failed;
        if (flow != Flow::Reached) {
            fail(kInternalState);
            return Flow::Failed;
        }
        if (m_reached != joint) {
            failAtJoint(207, m_reached);
            return Flow::Failed;
        }
        Record& r = m_records[static_cast<std::size_t>(record)];
        ++r.arrived;
        if (!unwind(record, r.arrived >= j.inputs)) return Flow::Failed;
    }
    if (!unwind(record, true)) return Flow::Failed;
    m_jointState[static_cast<std::size_t>(joint)] = JointState::Done;
    return handleOutputs(record, depth);
}

IlGenerator::Flow IlGenerator::handleOutputs(int record, int depth) {
    const int joint = m_records[static_cast<std::size_t>(record)].joint;
    const CircuitGraph::Joint& j = m_graph.joint(joint);
    m_current = record;
    Place place;
    if (!takeBranch(record, place)) {
        if (m_error.code == 0) fail(kInternalBranches);
        return Flow::Failed;
    }
    if (place.joint >= 0) {
        if (j.outputs < 2) return enterJoint(place.joint, depth);
        failAtJoint(211, place.joint);
        return Flow::Failed;
    }
    const int kind = m_graph.element(place.row, place.column)->kind;
    if (isContact(kind)) {
        if (j.outputs < 2) {
            if (!emitContact(place.row, place.column, kAnd)) return Flow::Failed;
        } else {
            if (!pushBlock(joint, kAnb, place.row, place.column)) return Flow::Failed;
            if (!emitContact(place.row, place.column, kLoad)) return Flow::Failed;
        }
        return walkSeries(place.row, place.column, -1, depth);
    }
    // Outputs sharing one condition: every branch must lead straight to one.
    if (!emitTerminal(place.row, place.column)) return Flow::Failed;
    while (takeBranch(record, place)) {
        if (place.joint >= 0) {
            failAtJoint(211, place.joint);
            return Flow::Failed;
        }
        if (isContact(m_graph.element(place.row, place.column)->kind)) {
            fail(212, place.row, place.column);
            return Flow::Failed;
        }
        if (!emitTerminal(place.row, place.column)) return Flow::Failed;
    }
    return m_error.code == 0 ? Flow::Terminal : Flow::Failed;
}

bool IlGenerator::unwind(int record, bool allArrived) {
    const int joint = m_records[static_cast<std::size_t>(record)].joint;
    for (;;) {
        bool changed = false;
        while (m_blocks.size() > 1 && m_blocks.back().joint == joint) {
            const int operation = m_blocks.back().operation;
            if (operation == kOrb) {
                // A narrower branch waits for the one that reaches the joint:
                // joined now, the two would close on a joint further left.
                if (!allArrived && !orbReaches(joint)) break;
                if (!emitPlain(kOrb, joint)) return false;
            } else if (operation != kParallel) {
                fail(kInternalBlockNotOrb);
                return false;
            }
            m_blocks.pop_back();
            changed = true;
        }
        const int origin = pendingOrigin();
        if (origin >= 0) {
            Record& o = m_records[static_cast<std::size_t>(origin)];
            if (finished(origin) && m_blocks.size() > 1 && m_blocks.back().joint == o.joint) {
                if (m_blocks.back().operation != kAnb) {
                    fail(kInternalBlockNotAnb);
                    return false;
                }
                if (!emitPlain(kAnb, o.joint)) return false;
                m_blocks.pop_back();
                o.dropped = true;
                m_current = resolve(o.link);
                changed = true;
            }
        }
        // An ANB may complete a branch whose ORB waited, and an ORB may
        // uncover the ANB of a split that the branch began at.
        if (!changed) return true;
    }
}

bool IlGenerator::takeBranch(int record, Place& place) {
    Record& r = m_records[static_cast<std::size_t>(record)];
    const CircuitGraph::Joint& j = m_graph.joint(r.joint);
    if (r.taken >= static_cast<int>(j.branches.size())) return false;
    const int row = j.branches[static_cast<std::size_t>(r.taken)];
    ++r.taken;
    place = followLines(row, j.branchColumn());
    return m_error.code == 0;
}

IlGenerator::Place IlGenerator::followLines(int row, int column) {
    for (;;) {
        if (!visit(row, column)) return {};
        if (m_graph.element(row, column)->kind != kLine) return {-1, row, column};
        const CircuitGraph::Target target = m_graph.output(row, column);
        if (target.joint >= 0) return {target.joint, 0, 0};
        row = target.row;
        column = target.column;
    }
}

int IlGenerator::lineEnd(int row, int column) const {
    for (;;) {
        const CircuitGraph::Target target = m_graph.output(row, column);
        if (target.joint >= 0) return target.joint;
        const LadderCell* next = m_graph.element(target.row, target.column);
        if (!next || next->kind != kLine) return -1;
        row = target.row;
        column = target.column;
    }
}

bool IlGenerator::finished(int record) const {
    const Record& r = m_records[static_cast<std::size_t>(record)];
    return r.taken >= static_cast<int>(m_graph.joint(r.joint).branches.size());
}

int IlGenerator::pendingOrigin() const {
    int record = resolve(m_current);
    // A finished joint that waits for nothing (its single output carried the
    // series on) hides the split below it, whose ANB may be due now: as in
    // x AND (y OR ((b OR c) AND d)), where d closes the block of x's split.
    while (record >= 0) {
        const Record& r = m_records[static_cast<std::size_t>(record)];
        if (m_graph.joint(r.joint).column == 0 || !finished(record) || blockRefersTo(r.joint))
            return record;
        record = resolve(r.link);
    }
    return record;
}

int& IlGenerator::columnAt(int row, int column) {
    return m_column[static_cast<std::size_t>(row - m_firstRow) * (LadderGrid::kColumns + 1) +
                    static_cast<std::size_t>(column)];
}

void IlGenerator::measure(const Network& rows) {
    m_column.assign(m_visited.size(), 0);
    // Column by column: a joint's inputs all stand in the column left of
    // it, so its last column is known before any element it feeds.
    for (int c = 1; c <= LadderGrid::kColumns; ++c) {
        for (int r = rows.firstRow; r <= rows.lastRow; ++r) {
            const LadderCell* cell = m_graph.element(r, c);
            if (!cell) continue;
            int base = 0;
            const int in = m_graph.inputJoint(r, c);
            if (in >= 0)
                base = m_jointEnd[static_cast<std::size_t>(in)];
            else if (c > 1 && m_graph.element(r, c - 1))
                base = columnAt(r, c - 1);
            const int own = base + (cell->kind == kLine ? 0 : 1);
            columnAt(r, c) = own;
            const CircuitGraph::Target out = m_graph.output(r, c);
            if (out.joint >= 0) {
                int& end = m_jointEnd[static_cast<std::size_t>(out.joint)];
                end = std::max(end, own);
            }
        }
    }
}

bool IlGenerator::orbReaches(int joint) const {
    if (m_drawn.size() < 2) return true;
    const Drawn& lower = m_drawn[m_drawn.size() - 1];
    const Drawn& upper = m_drawn[m_drawn.size() - 2];
    return std::max(lower.end(), upper.end()) >= m_jointEnd[static_cast<std::size_t>(joint)];
}

void IlGenerator::track(int offset, int row, int column) {
    if (offset == kLoad) {
        m_drawn.push_back({columnAt(row, column), 1});
    } else if (offset == kAnd && !m_drawn.empty()) {
        ++m_drawn.back().width;
    }
}

bool IlGenerator::blockRefersTo(int joint) const {
    for (std::size_t i = 1; i < m_blocks.size(); ++i) {
        if (m_blocks[i].joint == joint) return true;
    }
    return false;
}

int IlGenerator::resolve(int record) const {
    while (record >= 0 && m_records[static_cast<std::size_t>(record)].dropped) {
        record = m_records[static_cast<std::size_t>(record)].link;
    }
    return record;
}

bool IlGenerator::visit(int row, int column) {
    // Each element has exactly one way in, so a second visit means the walk
    // lost track; refusing it also bounds the walk on any grid.
    if (row < m_firstRow || row >= m_firstRow + m_rowCount || column < 1 ||
        column > LadderGrid::kColumns || !m_graph.element(row, column)) {
        fail(kInternalNoElement);
        return false;
    }
    const std::size_t i = static_cast<std::size_t>(row - m_firstRow) * (LadderGrid::kColumns + 1) +
                          static_cast<std::size_t>(column);
    if (m_visited[i]) {
        fail(kInternalState);
        return false;
    }
    m_visited[i] = 1;
    return true;
}

bool IlGenerator::emitContact(int row, int column, int offset) {
    const LadderCell* cell = m_graph.element(row, column);
    const int opcode = cell->kind + offset;
    if (!emit(opcode, plc::MnemonicOf(static_cast<InstructionCode>(opcode)), cell->text, row,
              column))
        return false;
    track(offset, row, column);
    return true;
}

bool IlGenerator::emitTerminal(int row, int column) {
    const LadderCell* cell = m_graph.element(row, column);
    bool ok = false;
    if (cell->kind == kCoil) {
        ok = emit(kCoil, "OUT", cell->text, row, column);
    } else if (cell->kind >= kFirstFunction) {
        if (m_out.append(static_cast<std::uint32_t>(cell->kind), cell->text)) {
            ok = true;
        } else {
            fail(kErrorTooManySteps, row, column);
        }
    } else {
        fail(kInternalState, row, column);
    }
    if (!ok) return false;
    // An output is the end of its path; a coil left of the output column
    // with more circuit after it is a second output level.
    const CircuitGraph::Target after = m_graph.output(row, column);
    if (after.joint >= 0 || m_graph.element(after.row, after.column)) {
        fail(209, row, column);
        return false;
    }
    return true;
}

bool IlGenerator::emitPlain(int opcode, int joint) {
    std::string text(plc::MnemonicOf(static_cast<InstructionCode>(opcode)));
    text.resize(kMnemonicField, ' ');
    if (!m_out.append(static_cast<std::uint32_t>(opcode), std::move(text))) {
        failAtJoint(kErrorTooManySteps, joint);
        return false;
    }
    if (m_drawn.size() >= 2) {
        const Drawn lower = m_drawn.back();
        m_drawn.pop_back();
        Drawn& upper = m_drawn.back();
        upper.width =
            opcode == kOrb ? std::max(upper.width, lower.width) : upper.width + lower.width;
    }
    return true;
}

bool IlGenerator::emit(int opcode, std::string_view mnemonic, std::string_view operand, int row,
                       int column) {
    std::string text(mnemonic);
    text.resize(kMnemonicField, ' ');
    text.append(operand);
    if (m_out.append(static_cast<std::uint32_t>(opcode), std::move(text))) return true;
    fail(kErrorTooManySteps, row, column);
    return false;
}

bool IlGenerator::pushBlock(int joint, int operation, int row, int column) {
    if (static_cast<int>(m_blocks.size()) >= m_blockStackEntries) {
        fail(kErrorBlocksTooDeep, row, column);
        return false;
    }
    m_blocks.push_back({joint, operation});
    return true;
}

}  // namespace kelcc::core::compiler
