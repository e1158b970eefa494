#include "plc/ladder_grid.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

namespace kelcc::core::compiler {

using plc::LadderCell;
using plc::LadderGrid;
using plc::Network;
namespace {

constexpr int kContact = 1;
constexpr int kCoil = 6;
constexpr int kLink = 15;

// --- placement of vertical links --------------------------------------------

struct LinkPlace {
    int row;
    int column;
    bool accepted;
};

void PrintTo(const LinkPlace& p, std::ostream* os) {
    *os << p.row << "," << p.column;
}

class VerticalLinkPlacement : public ::testing::TestWithParam<LinkPlace> {};

TEST_P(VerticalLinkPlacement, OnlyRowsOneTo4999AndColumnsTwoToEight) {
    const LinkPlace p = GetParam();
    LadderGrid grid;
    EXPECT_EQ(grid.setCell(p.row, p.column, kLink, "ignored"), p.accepted);
    const LadderCell* cell = grid.cell(p.row, p.column);
    if (!p.accepted) {
        EXPECT_EQ(cell, nullptr);
        EXPECT_EQ(grid.lastUsedRow(), 0);
        return;
    }
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->element, 0);
    EXPECT_EQ(cell->verticalLink, 1);
    EXPECT_EQ(cell->kind, kLink);
    EXPECT_TRUE(cell->text.empty());
    EXPECT_EQ(cell->row, p.row);
    EXPECT_EQ(cell->column, p.column);
    EXPECT_EQ(grid.lastUsedRow(), p.row);
}

INSTANTIATE_TEST_SUITE_P(Places, VerticalLinkPlacement,
                         ::testing::Values(LinkPlace{1, 2, true}, LinkPlace{4999, 8, true},
                                           LinkPlace{3, 1, false}, LinkPlace{5000, 4, false},
                                           LinkPlace{0, 4, false}, LinkPlace{7, 0, false},
                                           LinkPlace{7, 9, false}));

TEST(LadderGrid, ElementsOutsideTheDiagramAreRefused) {
    LadderGrid grid;
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {5001, 1}, {1, 9}, {-3, -3}}) {
        EXPECT_FALSE(grid.setElement(row, column, kContact, "X0000.0")) << row << "," << column;
        EXPECT_EQ(grid.cell(row, column), nullptr);
        EXPECT_FALSE(grid.deleteCell(row, column));
    }
    EXPECT_EQ(grid.lastUsedRow(), 0);
}

TEST(LadderGrid, ElementOnABareLinkKeepsTheLink) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setVerticalLink(4, 3));
    EXPECT_FALSE(grid.setVerticalLink(4, 3));  // already there
    ASSERT_TRUE(grid.setElement(4, 3, kContact, "X0001.2"));
    const LadderCell* cell = grid.cell(4, 3);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->element, 1);
    EXPECT_EQ(cell->verticalLink, 1);
    EXPECT_EQ(cell->kind, kContact);
    EXPECT_EQ(cell->text, "X0001.2");
    // A link added under an existing element keeps the element.
    ASSERT_TRUE(grid.setElement(5, 2, kContact, "X0000.1"));
    ASSERT_TRUE(grid.setVerticalLink(5, 2));
    EXPECT_EQ(grid.cell(5, 2)->kind, kContact);
    EXPECT_EQ(grid.cell(5, 2)->verticalLink, 1);
}

TEST(LadderGrid, DeletingAnElementWithALinkLeavesABareLink) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setElement(1, 2, kContact, "X0000.0"));
    ASSERT_TRUE(grid.setVerticalLink(1, 2));
    grid.setMark(1, 2, 7);
    ASSERT_TRUE(grid.deleteCell(1, 2));
    const LadderCell* cell = grid.cell(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->element, 0);
    EXPECT_EQ(cell->verticalLink, 1);
    EXPECT_EQ(cell->kind, kLink);
    EXPECT_TRUE(cell->text.empty());
    EXPECT_EQ(grid.mark(1, 2), 0);
    // The link itself is not removed by deleting.
    EXPECT_FALSE(grid.deleteCell(1, 2));
    EXPECT_NE(grid.cell(1, 2), nullptr);
}

TEST(LadderGrid, DeletingAnElementWithoutALinkRemovesTheCellAndMark) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setElement(3, 1, kContact, "X0000.0"));
    grid.setMark(3, 1, 1);
    EXPECT_EQ(grid.mark(3, 1), 1);
    ASSERT_TRUE(grid.deleteCell(3, 1));
    EXPECT_EQ(grid.cell(3, 1), nullptr);
    EXPECT_EQ(grid.mark(3, 1), 0);
    EXPECT_FALSE(grid.deleteCell(3, 1));
    EXPECT_EQ(grid.lastUsedRow(), 0);
}

TEST(LadderGrid, ClearingALinkRemovesABareCellButKeepsAnElement) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setVerticalLink(2, 5));
    ASSERT_TRUE(grid.setElement(3, 5, kContact, "R0001.0"));
    ASSERT_TRUE(grid.setVerticalLink(3, 5));
    EXPECT_TRUE(grid.clearVerticalLink(2, 5));
    EXPECT_EQ(grid.cell(2, 5), nullptr);
    EXPECT_TRUE(grid.clearVerticalLink(3, 5));
    ASSERT_NE(grid.cell(3, 5), nullptr);
    EXPECT_EQ(grid.cell(3, 5)->verticalLink, 0);
    EXPECT_FALSE(grid.clearVerticalLink(3, 5));
}

TEST(LadderGrid, RebuildMayPlaceLinksInColumnOne) {
    LadderGrid grid;
    EXPECT_TRUE(grid.placeVerticalLink(6, 1));
    EXPECT_FALSE(grid.placeVerticalLink(LadderGrid::kRows, 1));
    ASSERT_NE(grid.cell(6, 1), nullptr);
    EXPECT_EQ(grid.cell(6, 1)->kind, kLink);
    EXPECT_TRUE(grid.rowIsEmpty(6));
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
    EXPECT_EQ(grid.cell(2, 1)->text, "X0000.2");
    EXPECT_EQ(grid.cell(5, 1), nullptr);
    ASSERT_NE(grid.cell(7, 1), nullptr);
    EXPECT_EQ(grid.cell(7, 1)->text, "X0000.5");
    EXPECT_EQ(grid.cell(7, 1)->row, 7);
    EXPECT_EQ(grid.mark(7, 1), 3);

    EXPECT_TRUE(grid.deleteRows(1, 2));
    EXPECT_EQ(grid.cell(2, 1), nullptr);
    ASSERT_NE(grid.cell(5, 1), nullptr);
    EXPECT_EQ(grid.cell(5, 1)->row, 5);
    EXPECT_EQ(grid.lastUsedRow(), 5);

    // Nothing at or below the place: nothing changes.
    EXPECT_FALSE(grid.insertRows(6, 3));
    EXPECT_FALSE(grid.deleteRows(6, 3));
    EXPECT_FALSE(grid.insertRows(0, 1));
    EXPECT_FALSE(grid.deleteRows(1, 0));
    EXPECT_EQ(grid.lastUsedRow(), 5);
}

TEST(LadderGrid, InsertNearTheEndPushesRowsOffTheGrid) {
    LadderGrid grid;
    ASSERT_TRUE(grid.setElement(LadderGrid::kRows - 1, 1, kContact, "X0000.1"));
    ASSERT_TRUE(grid.setElement(LadderGrid::kRows, 8, kCoil, "Y0000.0"));
    EXPECT_TRUE(grid.insertRows(LadderGrid::kRows - 1, 1));
    EXPECT_EQ(grid.cell(LadderGrid::kRows - 1, 1), nullptr);
    ASSERT_NE(grid.cell(LadderGrid::kRows, 1), nullptr);
    EXPECT_EQ(grid.cell(LadderGrid::kRows, 1)->row, LadderGrid::kRows);
    EXPECT_EQ(grid.cell(LadderGrid::kRows, 8), nullptr);  // pushed off

    // A count reaching past the end empties the rest of the grid.
    EXPECT_TRUE(grid.insertRows(LadderGrid::kRows - 2, 100));
    EXPECT_EQ(grid.lastUsedRow(), 0);
    ASSERT_TRUE(grid.setElement(LadderGrid::kRows, 1, kContact, "X0000.0"));
    EXPECT_TRUE(grid.deleteRows(LadderGrid::kRows, 100));
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
    for (int r = 1; r <= 6; ++r) {
        const LadderCell* cell = grid.cell(r, 1);
        left.push_back(cell ? cell->text : "-");
        if (cell) {
            EXPECT_EQ(cell->row, r);
        }
    }
    EXPECT_EQ(left, (std::vector<std::string>{"1", "4", "6", "-", "-", "-"}));
}

// --- network division --------------------------------------------------------

struct PlacedCell {
    int row;
    int column;
    int kind;  // kLink: a link flag only
};

struct DivisionCase {
    const char* name;
    std::vector<PlacedCell> cells;
    std::vector<std::pair<int, int>> compiled;  // {first, last}
    std::vector<std::pair<int, int>> image;
};

std::vector<std::pair<int, int>> rowsOf(const std::vector<Network>& networks) {
    std::vector<std::pair<int, int>> rows;
    for (const Network& n : networks) {
        rows.emplace_back(n.firstRow, n.lastRow);
        EXPECT_EQ(n.entryRow, -1);
        EXPECT_EQ(n.entryColumn, -1);
    }
    return rows;
}

void PrintTo(const DivisionCase& c, std::ostream* os) {
    *os << c.name;
}

class NetworkDivision : public ::testing::TestWithParam<DivisionCase> {};

TEST_P(NetworkDivision, FollowsElementsAndVerticalLinks) {
    const DivisionCase& c = GetParam();
    LadderGrid grid;
    for (const PlacedCell& p : c.cells) {
        // placeVerticalLink, so that column-1 flags can be laid as the
        // rebuild leaves them.
        const bool placed = p.kind == kLink ? grid.placeVerticalLink(p.row, p.column)
                                            : grid.setElement(p.row, p.column, p.kind, "X0000.0");
        ASSERT_TRUE(placed) << p.row << "," << p.column;
    }
    EXPECT_EQ(rowsOf(grid.divideNetworks()), c.compiled);
    EXPECT_EQ(rowsOf(grid.divideNetworksForImage()), c.image);
}

std::vector<PlacedCell> chainOfLinks(int rows) {
    // A contact in column 1 of every row, each row linked to the next one.
    std::vector<PlacedCell> cells;
    for (int r = 1; r <= rows; ++r) {
        cells.push_back({r, 1, kContact});
        if (r < rows) cells.push_back({r, 2, kLink});
    }
    cells.push_back({1, 8, kCoil});
    return cells;
}

INSTANTIATE_TEST_SUITE_P(
    Grids, NetworkDivision,
    ::testing::Values(DivisionCase{"EmptyGrid", {}, {}, {}},
                      DivisionCase{"OnlyBareLinks", {{3, 4, kLink}}, {}, {}},
                      DivisionCase{"SingleRows",
                                   {{1, 1, 19}, {2, 1, 20}, {3, 1, kContact}, {3, 8, kCoil}},
                                   {{1, 1}, {2, 2}, {3, 3}},
                                   {{1, 1}, {2, 2}, {3, 3}}},
                      DivisionCase{"LeadingEmptyRowsBelongToTheFirstImageNetwork",
                                   {{4, 1, 19}, {7, 1, 20}},
                                   {{4, 4}, {7, 7}},
                                   {{1, 4}, {7, 7}}},
                      DivisionCase{"LinksChainRows",
                                   {{1, 1, kContact},
                                    {1, 2, kLink},
                                    {2, 1, kContact},
                                    {2, 3, kLink},
                                    {3, 2, kContact},
                                    {4, 1, 19}},
                                   {{1, 3}, {4, 4}},
                                   {{1, 3}, {4, 4}}},
                      DivisionCase{"LinkInColumnOneOnlyJoinsForTheImage",
                                   {{1, 1, kContact}, {1, 1, kLink}, {2, 1, kContact}, {3, 1, 19}},
                                   {{1, 1}, {2, 2}, {3, 3}},
                                   {{1, 2}, {3, 3}}},
                      DivisionCase{"BareLinkRowWithoutElementStartsNoNetwork",
                                   {{1, 1, 19}, {2, 5, kLink}, {3, 1, 20}},
                                   {{1, 1}, {3, 3}},
                                   {{1, 1}, {3, 3}}},
                      DivisionCase{"LinkOnTheLastUsedRowReachesTheRowBelow",
                                   {{1, 1, kContact}, {1, 2, kLink}},
                                   {{1, 2}},
                                   {{1, 2}}},
                      DivisionCase{
                          "SixteenRowChainIsOneNetwork", chainOfLinks(16), {{1, 16}}, {{1, 16}}},
                      DivisionCase{"LinkInTheLastRowsOfTheGrid",
                                   {{LadderGrid::kRows - 1, 1, kContact},
                                    {LadderGrid::kRows - 1, 4, kLink},
                                    {LadderGrid::kRows, 1, kContact}},
                                   {{LadderGrid::kRows - 1, LadderGrid::kRows}},
                                   {{1, LadderGrid::kRows}}}),
    [](const ::testing::TestParamInfo<DivisionCase>& info) { return info.param.name; });

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
