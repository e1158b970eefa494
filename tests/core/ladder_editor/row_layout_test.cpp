#include "ladder_editor/row_layout.h"

#include <gtest/gtest.h>

#include <random>

namespace kelcc::core::ladder_editor {
namespace {

using plc::LadderGrid;

TEST(RowLayoutTest, RowHeightsFollowTheTallestElement) {
    // One kind of each height; the full list is a switch in the source.
    const std::pair<int, int> cases[] = {{15, 1}, {21, 2}, {27, 3}, {23, 4}, {35, 5}, {99, 1}};
    for (const auto& [kind, units] : cases)
        EXPECT_EQ(RowLayout::unitsOfKind(kind), units) << kind;

    LadderGrid grid;
    grid.setElement(3, 1, 1, "X0000.0");
    grid.setElement(3, 5, 35, "ROTB");
    grid.setVerticalLink(4, 2);
    EXPECT_EQ(RowLayout::unitsOfRow(grid, 3), 5);
    EXPECT_EQ(RowLayout::unitsOfRow(grid, 4), 1);
    EXPECT_EQ(RowLayout::unitsOfRow(grid, 5), 1);
}

TEST(RowLayoutTest, PositionsMatchRunningSumsThroughRandomEdits) {
    LadderGrid grid;
    RowLayout layout(grid);
    EXPECT_EQ(layout.top(1), 0);
    EXPECT_EQ(layout.top(LadderGrid::kRows + 1), LadderGrid::kRows);

    const int kinds[] = {1, 21, 27, 23, 35};
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int row = static_cast<int>(random() % LadderGrid::kRows) + 1;
        if (random() % 3 == 0) {
            grid.deleteCell(row, 5);
        } else {
            grid.setElement(row, 5, kinds[random() % 5], "x");
        }
        layout.update(grid, row, row);
    }

    int sum = 0;
    for (int row = 1; row <= LadderGrid::kRows; ++row) {
        ASSERT_EQ(layout.top(row), sum) << row;
        ASSERT_EQ(layout.units(row), RowLayout::unitsOfRow(grid, row));
        for (int y = sum; y < sum + layout.units(row); ++y)
            ASSERT_EQ(layout.rowAt(y), row) << y;
        sum += layout.units(row);
    }
    EXPECT_EQ(layout.rowAt(-3), 1);
    EXPECT_EQ(layout.rowAt(sum + 10), LadderGrid::kRows);

    RowLayout rebuilt(grid);
    EXPECT_EQ(rebuilt.bottom(LadderGrid::kRows), layout.bottom(LadderGrid::kRows));
    EXPECT_FALSE(layout.update(grid, 1, LadderGrid::kRows));

    // The scroll target is one unit above the row.
    LadderGrid cmp;
    cmp.setElement(1, 5, 23, "CMP");
    const RowLayout cmpLayout(cmp);
    EXPECT_EQ(cmpLayout.scrollTopFor(1), 0);
    EXPECT_EQ(cmpLayout.scrollTopFor(2), 3);
    EXPECT_EQ(cmpLayout.scrollTopFor(3), 4);
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
