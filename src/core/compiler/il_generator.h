#pragma once

#include <string_view>
#include <vector>

#include "compiler/circuit_graph.h"
#include "plc/il_store.h"
#include "plc/network.h"
#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// Walks the circuit graph network by network and writes the instruction
// list. Joints where several paths meet become ORB (or OR for a single
// parallel contact), joints where the circuit splits into a block that
// merges again become ANB; the pending operations wait on the block stack.
//
// The list must draw back as the same ladder. The walk therefore keeps the
// widths of the blocks the rebuild would hold for what it has written so
// far: an ORB is written only once the two blocks it joins reach the joint
// (else the rebuild would close them on a joint further left), and a single
// contact becomes OR only when the block it joins already does.
class IlGenerator final {
public:
    // The stack has 29 entries and entry 0 holds nothing: at most 28 pending
    // operations; the next one is refused with kErrorBlocksTooDeep.
    static constexpr int kDefaultBlockStackEntries = 29;
    // Joints handled inside one another; a well-formed network of 15 rows
    // needs far fewer, this only bounds the recursion on hostile grids.
    static constexpr int kMaxJointNesting = 64;

    IlGenerator(const CircuitGraph& graph, plc::IlStore& out,
                int blockStackEntries = kDefaultBlockStackEntries);

    // Emits every network; fills steps with {first step, last step} per
    // network. Stops at the first error.
    plc::CompileResult generate(const std::vector<plc::Network>& networks,
                                std::vector<plc::NetworkSteps>& steps);

private:
    enum class Flow { Terminal, Reached, Failed };
    enum class JointState : unsigned char { Unseen, Open, Done };
    static constexpr int kParallel = -7;  // pending entry of an OR contact: nothing to emit

    struct Record {
        int joint = -1;
        int arrived = 0;
        int taken = 0;
        int link = -1;  // record where the series that reached the joint began
        bool dropped = false;
    };
    struct Block {
        int joint = -1;
        int operation = 0;  // ORB (16), ANB (14) or kParallel
    };
    // A block of the written list as the rebuild draws it: its first column
    // and its width in element columns.
    struct Drawn {
        int start = 0;
        int width = 0;
        int end() const noexcept { return start + width - 1; }
    };
    // The first element of a branch after horizontal lines, or the joint
    // the lines run into.
    struct Place {
        int joint = -1;
        int row = 0;
        int column = 0;
    };

    bool generateNetwork(std::size_t network, const plc::Network& rows);
    Flow walkSeries(int row, int column, int mergeTarget, int depth);
    Flow enterJoint(int joint, int depth);
    Flow handleJoint(int joint, int depth);
    Flow handleOutputs(int record, int depth);
    // allArrived: the joint has all its inputs, so pending ORBs are due even
    // where the drawing has lines that no instruction list draws.
    bool unwind(int record, bool allArrived);
    bool takeBranch(int record, Place& place);
    Place followLines(int row, int column);
    // The joint that horizontal lines from the element at (row, column) run
    // into, or -1 when they end on another element.
    int lineEnd(int row, int column) const;
    bool blockRefersTo(int joint) const;
    bool finished(int record) const;
    // The record whose ANB is due next: the current one, past finished
    // joints that wait for nothing.
    int pendingOrigin() const;
    // Element columns, counted without horizontal lines, of every element
    // and joint of the network: where the rebuild puts them.
    void measure(const plc::Network& rows);
    int& columnAt(int row, int column);
    // The top two written blocks together reach the joint.
    bool orbReaches(int joint) const;
    // Follows a contact just written (LD, AND or OR) in m_drawn.
    void track(int offset, int row, int column);
    int resolve(int record) const;

    bool visit(int row, int column);
    bool emitContact(int row, int column, int offset);
    bool emitTerminal(int row, int column);
    bool emitPlain(int opcode, int joint);
    bool emit(int opcode, std::string_view mnemonic, std::string_view operand, int row, int column);
    bool pushBlock(int joint, int operation, int row, int column);

    void fail(int code, int row = -1, int column = -1);
    void failAtJoint(int code, int joint);

    const CircuitGraph& m_graph;
    plc::IlStore& m_out;
    int m_blockStackEntries;
    plc::CompileResult m_error;

    std::vector<Record> m_records;
    std::vector<Block> m_blocks;  // entry 0 is the unused bottom
    std::vector<JointState> m_jointState;
    std::vector<unsigned char> m_visited;  // per place of the current network
    std::vector<int> m_column;             // per place: column the rebuild draws it in
    std::vector<int> m_jointEnd;           // per joint: last column of the blocks it joins
    std::vector<Drawn> m_drawn;            // the rebuild's blocks for the list so far
    int m_firstRow = 0;
    int m_rowCount = 0;
    int m_current = -1;  // record where the current series began
    int m_reached = -1;  // open joint a walk ran into
};

}  // namespace kelcc::core::compiler
