#include "compiler/ladder_grid.h"

#include <gtest/gtest.h>

namespace kelcc::core::compiler {
namespace {

TEST(LadderGrid, VerticalLinkInColumnOneIsIgnored) {
    LadderGrid grid;
    EXPECT_FALSE(grid.setVerticalLink(3, 1));
    EXPECT_EQ(grid.cell(3, 1), nullptr);
    EXPECT_EQ(grid.lastUsedRow(), 0);
}

}  // namespace
}  // namespace kelcc::core::compiler
