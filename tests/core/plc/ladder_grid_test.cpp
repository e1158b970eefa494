#include "plc/ladder_grid.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../common/case_file.h"

namespace kelcc::core::compiler {

using plc::LadderCell;
using plc::LadderGrid;
using plc::Network;
namespace {

constexpr int kContact = 1;
constexpr int kCoil = 6;
constexpr int kLink = 15;

// A cell as "kind element link text", "-" when there is none.
std::string Cell(const LadderGrid& grid, int row, int column) {
    const LadderCell* cell = grid.cell(row, column);
    if (!cell) return "-";
    EXPECT_EQ(cell->row, row);
    EXPECT_EQ(cell->column, column);
    return std::to_string(cell->kind) + " " + std::to_string(cell->element) + " " +
           std::to_string(cell->verticalLink) + " " + cell->text;
}

// --- cells ------------------------------------------------------------------

TEST(LadderGrid, PlacesOutsideTheDiagramAreRefused) {
    // Links go on rows 1-4999, columns 2-8; their text is dropped.
    for (auto [row, column, placed] : {std::tuple{1, 2, true},
                                       {4999, 8, true},
                                       {3, 1, false},
                                       {5000, 4, false},
                                       {0, 4, false},
                                       {7, 0, false},
                                       {7, 9, false}}) {
        LadderGrid grid;
        EXPECT_EQ(grid.setCell(row, column, kLink, "ignored"), placed) << row << "," << column;
        EXPECT_EQ(Cell(grid, row, column), placed ? "15 0 1 " : "-");
        EXPECT_EQ(grid.lastUsedRow(), placed ? row : 0);
    }
    LadderGrid grid;
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {5001, 1}, {1, 9}, {-3, -3}}) {
        EXPECT_FALSE(grid.setElement(row, column, kContact, "X0000.0")) << row << "," << column;
        EXPECT_EQ(grid.cell(row, column), nullptr);
        EXPECT_FALSE(grid.deleteCell(row, column));
    }
    EXPECT_EQ(grid.lastUsedRow(), 0);
    // The rebuild may place links in column 1, never on the last row.
    EXPECT_TRUE(grid.placeVerticalLink(6, 1));
    EXPECT_FALSE(grid.placeVerticalLink(LadderGrid::kRows, 1));
    EXPECT_EQ(Cell(grid, 6, 1), "15 0 1 ");
    EXPECT_TRUE(grid.rowIsEmpty(6));
}

TEST(LadderGrid, ElementsAndLinksShareACellAndGoSeparately) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setVerticalLink(4, 3));
    EXPECT_FALSE(grid.setVerticalLink(4, 3));  // already there
    ASSERT_TRUE(grid.setElement(4, 3, kContact, "X0001.2"));
    EXPECT_EQ(Cell(grid, 4, 3), "1 1 1 X0001.2");
    grid.setMark(4, 3, 7);
    // Deleting the element leaves a bare link, without its mark; deleting
    // again does not remove the link, clearing it does.
    ASSERT_TRUE(grid.deleteCell(4, 3));
    EXPECT_EQ(Cell(grid, 4, 3), "15 0 1 ");
    EXPECT_EQ(grid.mark(4, 3), 0);
    EXPECT_FALSE(grid.deleteCell(4, 3));
    EXPECT_TRUE(grid.clearVerticalLink(4, 3));
    EXPECT_EQ(Cell(grid, 4, 3), "-");
    EXPECT_FALSE(grid.clearVerticalLink(4, 3));

    // A link added under an element, and cleared again, keeps the element.
    ASSERT_TRUE(grid.setElement(5, 2, kContact, "X0000.1"));
    ASSERT_TRUE(grid.setVerticalLink(5, 2));
    EXPECT_EQ(Cell(grid, 5, 2), "1 1 1 X0000.1");
    EXPECT_TRUE(grid.clearVerticalLink(5, 2));
    EXPECT_EQ(Cell(grid, 5, 2), "1 1 0 X0000.1");
    grid.setMark(5, 2, 1);
    ASSERT_TRUE(grid.deleteCell(5, 2));
    EXPECT_EQ(Cell(grid, 5, 2), "-");
    EXPECT_EQ(grid.mark(5, 2), 0);
    EXPECT_FALSE(grid.deleteCell(5, 2));
    EXPECT_EQ(grid.lastUsedRow(), 0);
}

TEST(LadderGrid, LastUsedRowCountsAnyCellAndRowEmptinessIgnoresBareLinks) {
    LadderGrid grid;
    EXPECT_EQ(grid.lastUsedRow(), 0);
    ASSERT_TRUE(grid.setElement(12, 4, 0, ""));
    EXPECT_EQ(grid.lastUsedRow(), 12);
    ASSERT_TRUE(grid.setVerticalLink(40, 8));
    EXPECT_EQ(grid.lastUsedRow(), 40);
    ASSERT_TRUE(grid.setElement(LadderGrid::kRows, 8, kCoil, "Y0000.0"));
    EXPECT_EQ(grid.lastUsedRow(), LadderGrid::kRows);

    EXPECT_TRUE(grid.rowIsEmpty(1));
    EXPECT_TRUE(grid.rowIsEmpty(40));
    EXPECT_FALSE(grid.rowIsEmpty(12));  // a horizontal line is an element
    ASSERT_TRUE(grid.setVerticalLink(12, 5));
    EXPECT_FALSE(grid.rowIsEmpty(12));
}

// --- row moves -------------------------------------------------------------

TEST(LadderGrid, InsertAndDeleteRowsMoveCellsWithTheirRowNumbers) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setElement(2, 1, kContact, "X0000.2"));
    ASSERT_TRUE(grid.setElement(5, 1, kContact, "X0000.5"));
    grid.setMark(5, 1, 3);
    EXPECT_TRUE(grid.insertRows(3, 2));
    EXPECT_EQ(Cell(grid, 2, 1), "1 1 0 X0000.2");
    EXPECT_EQ(Cell(grid, 5, 1), "-");
    EXPECT_EQ(Cell(grid, 7, 1), "1 1 0 X0000.5");
    EXPECT_EQ(grid.mark(7, 1), 3);
    EXPECT_TRUE(grid.deleteRows(1, 2));
    EXPECT_EQ(Cell(grid, 2, 1), "-");
    EXPECT_EQ(Cell(grid, 5, 1), "1 1 0 X0000.5");
    EXPECT_EQ(grid.lastUsedRow(), 5);
    // Nothing at or below the place: nothing changes.
    EXPECT_FALSE(grid.insertRows(6, 3));
    EXPECT_FALSE(grid.deleteRows(6, 3));
    EXPECT_FALSE(grid.insertRows(0, 1));
    EXPECT_FALSE(grid.deleteRows(1, 0));
    EXPECT_EQ(grid.lastUsedRow(), 5);
}

TEST(LadderGrid, InsertNearTheEndPushesRowsOffTheGrid) {
    constexpr int kLast = LadderGrid::kRows;
    LadderGrid grid;
    ASSERT_TRUE(grid.setElement(kLast - 1, 1, kContact, "X0000.1"));
    ASSERT_TRUE(grid.setElement(kLast, 8, kCoil, "Y0000.0"));
    EXPECT_TRUE(grid.insertRows(kLast - 1, 1));
    EXPECT_EQ(Cell(grid, kLast - 1, 1), "-");
    EXPECT_EQ(Cell(grid, kLast, 1), "1 1 0 X0000.1");
    EXPECT_EQ(Cell(grid, kLast, 8), "-");  // pushed off
    // A count reaching past the end empties the rest of the grid.
    EXPECT_TRUE(grid.insertRows(kLast - 2, 100));
    EXPECT_EQ(grid.lastUsedRow(), 0);
    ASSERT_TRUE(grid.setElement(kLast, 1, kContact, "X0000.0"));
    EXPECT_TRUE(grid.deleteRows(kLast, 100));
    EXPECT_EQ(grid.lastUsedRow(), 0);
}

TEST(LadderGrid, RemoveRowsCompactsInOnePass) {
    LadderGrid grid;
    for (int r = 1; r <= 6; ++r)
        ASSERT_TRUE(grid.setElement(r, 1, kContact, std::to_string(r)));
    std::vector<bool> remove(LadderGrid::kRows + 1, false);
    remove[2] = remove[3] = remove[5] = true;
    grid.removeRows(remove);
    std::vector<std::string> left;
    for (int r = 1; r <= 6; ++r)
        left.push_back(Cell(grid, r, 1));
    EXPECT_EQ(left, (std::vector<std::string>{"1 1 0 1", "1 1 0 4", "1 1 0 6", "-", "-", "-"}));
}

// --- network division --------------------------------------------------------

// A grid laid from a case file's cells (see cases/grid_networks.txt).
LadderGrid Laid(const std::string& cells) {
    LadderGrid grid;
    std::istringstream in(cells);
    for (std::string cell; in >> cell;) {
        int row = 0;
        int column = 0;
        char what = 0;
        EXPECT_EQ(std::sscanf(cell.c_str(), "%d.%d%c", &row, &column, &what), 3) << cell;
        const int kind = what == 'c' ? kContact : what == 'o' ? kCoil : what == 'e' ? 19 : 20;
        EXPECT_TRUE(what == 'l' ? grid.placeVerticalLink(row, column)
                                : grid.setElement(row, column, kind, "X0000.0"))
            << cell;
    }
    return grid;
}

// Networks as "FIRST-LAST ...".
std::string RowsOf(const std::vector<Network>& networks) {
    std::string out;
    for (const Network& n : networks) {
        out +=
            (out.empty() ? "" : " ") + std::to_string(n.firstRow) + "-" + std::to_string(n.lastRow);
        EXPECT_EQ(n.entryRow, -1);
        EXPECT_EQ(n.entryColumn, -1);
    }
    return out;
}

TEST(LadderGrid, NetworksFollowElementsAndVerticalLinks) {
    for (const test::Case& c : test::ReadCases("core/plc/cases/grid_networks.txt")) {
        const LadderGrid grid = Laid(c[1]);
        EXPECT_EQ(RowsOf(grid.divideNetworks()), c[2]) << c.where << " " << c[0];
        EXPECT_EQ(RowsOf(grid.divideNetworksForImage()), c[3]) << c.where << " " << c[0];
    }
}

// --- copies ----------------------------------------------------------------

TEST(LadderGrid, CopiesAreDeepAndIndependent) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setElement(1, 1, kContact, "X0000.0"));
    ASSERT_TRUE(grid.setVerticalLink(1, 2));
    grid.setMark(1, 1, 9);

    LadderGrid copy(grid);
    EXPECT_EQ(copy, grid);
    EXPECT_NE(copy.cell(1, 1), grid.cell(1, 1));  // separate cell objects
    EXPECT_EQ(copy.mark(1, 1), 9);

    ASSERT_TRUE(grid.setElement(1, 1, kContact, "X0000.1"));
    ASSERT_TRUE(grid.clearVerticalLink(1, 2));
    EXPECT_EQ(copy.cell(1, 1)->text, "X0000.0");
    ASSERT_NE(copy.cell(1, 2), nullptr);
    EXPECT_FALSE(copy == grid);

    LadderGrid assigned;
    ASSERT_TRUE(assigned.setElement(9, 8, kCoil, "Y0000.0"));
    assigned = copy;
    EXPECT_EQ(assigned, copy);
    EXPECT_EQ(assigned.cell(9, 8), nullptr);
}

TEST(LadderGrid, MovedFromGridReadsEmptyAndCanBeReused) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setElement(3, 1, kContact, "X0000.0"));
    LadderGrid moved(std::move(grid));
    EXPECT_EQ(moved.cell(3, 1)->text, "X0000.0");
    // NOLINTBEGIN(bugprone-use-after-move): the moved-from state is the point.
    EXPECT_EQ(grid.cell(3, 1), nullptr);
    EXPECT_EQ(grid.lastUsedRow(), 0);
    EXPECT_TRUE(grid.divideNetworks().empty());
    EXPECT_FALSE(grid.deleteRows(1, 1));
    EXPECT_TRUE(grid.setElement(2, 1, kContact, "X0000.2"));
    EXPECT_EQ(grid.lastUsedRow(), 2);
    LadderGrid empty;
    LadderGrid source;
    LadderGrid target(std::move(source));
    target = source;  // copy from a moved-from grid
    EXPECT_EQ(target, empty);
    // NOLINTEND(bugprone-use-after-move)
}

}  // namespace
}  // namespace kelcc::core::compiler
