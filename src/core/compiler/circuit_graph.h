#pragma once

#include <cstdint>
#include <vector>

#include "plc/ladder_cell.h"
#include "plc/ladder_grid.h"
#include "plc/network.h"
#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// The ladder as the compiler sees it: the elements of the grid and the
// joints formed by runs of vertical links, with the circuit checks and the
// division into networks. Element records are not stored per place: an
// element's input and output are looked up from the joint table, which keeps
// a compile of a full grid to a few small arrays.
class CircuitGraph final {
public:
    // A run of consecutive vertical links in one column (columns 2-8), or
    // the rail joint of a network (column 0). Branches are the rows of the
    // elements whose input starts on the joint, in ascending order; they all
    // stand in the joint's column (column 1 for the rail).
    struct Joint {
        int topRow = 0;
        int column = 0;
        int inputs = 0;
        int outputs = 0;
        std::vector<int> branches;

        int branchColumn() const noexcept { return column == 0 ? 1 : column; }
    };

    // Where an element's output goes: a joint (joint >= 0) or the place to
    // its right.
    struct Target {
        int joint = -1;
        int row = 0;
        int column = 0;
    };

    explicit CircuitGraph(const plc::LadderGrid& grid);

    // Enters elements and vertical links row by row: the function column
    // rule (216) and invalid elements (200).
    plc::CompileResult build();
    // Elements (201-203) and joint places (204-206).
    plc::CompileResult check() const;
    // Networks over the joints; 353 for a network of more than 15 rows. Makes
    // one rail joint per network (see railJoint()).
    plc::CompileResult divide(std::vector<plc::Network>& networks);

    // The cell at a place when it holds an element, else nullptr.
    const plc::LadderCell* element(int row, int column) const noexcept;
    // The joint a vertical link at (row, column) belongs to, or -1.
    int jointAt(int row, int column) const noexcept;
    int inputJoint(int row, int column) const noexcept;
    Target output(int row, int column) const noexcept;

    const Joint& joint(int id) const { return m_joints[static_cast<std::size_t>(id)]; }
    int jointCount() const noexcept { return static_cast<int>(m_joints.size()); }
    int railJoint(std::size_t network) const { return m_railJoints[network]; }
    int lastRow() const noexcept { return m_lastRow; }

    // The column where each function box belongs; 0 for other kinds.
    static int functionColumn(int kind) noexcept;
    // Kinds a cell may hold as an element.
    static bool isValidKind(int kind) noexcept;

private:
    bool functionRuleHolds(int row, int column, int kind) const;
    static bool textIsValid(const plc::LadderCell& cell);
    void enterLink(int row, int column);
    void enterElement(int row, int column);
    std::size_t index(int row, int column) const noexcept {
        return static_cast<std::size_t>(row) * kStride + static_cast<std::size_t>(column);
    }

    // Columns 0-9 per row so that column + 1 of the output column needs no
    // bounds check; rows 0 and kRows + 1 likewise.
    static constexpr std::size_t kStride = plc::LadderGrid::kColumns + 2;

    const plc::LadderGrid& m_grid;
    int m_lastRow = 0;
    std::vector<std::int32_t> m_jointAt;  // joint id per link place, -1 elsewhere
    std::vector<Joint> m_joints;
    std::vector<int> m_railJoints;
    std::vector<std::uint8_t> m_rowHasElement;
    std::vector<std::uint8_t> m_rowHasLink;
};

}  // namespace kelcc::core::compiler
