#include "ladder_editor/cross_reference.h"

#include <gtest/gtest.h>

namespace kelcc::core::ladder_editor {
namespace {

// The addresses, their places and uses and the warnings are golden corpus
// cases (golden/xref, golden/compile/every_function_instruction); here the
// filter of the cross reference window.
TEST(CrossReferenceTest, FilterMatchesTheStartOfAnAddressInAnyCase) {
    plc::LadderGrid grid;
    grid.setElement(1, 1, 1, "R0001.0");
    grid.setElement(1, 2, 2, "R0010.3");
    grid.setElement(1, 8, 6, "Y0001.2");
    grid.setElement(2, 5, 28, "DECB    0001 F0010 3 R0010");
    const CrossReference xref(grid);
    std::vector<std::string> found;
    for (const auto* entry : xref.filtered("r00"))
        found.push_back(entry->address);
    EXPECT_EQ(found, (std::vector<std::string>{"R0001.0", "R0010", "R0010.3"}));
    ASSERT_EQ(xref.filtered("Y0001").size(), 1u);
    EXPECT_EQ(xref.filtered("Y0001")[0]->address, "Y0001.2");
    EXPECT_TRUE(xref.filtered("Z").empty());
    EXPECT_TRUE(xref.filtered("0001").empty());
    EXPECT_EQ(xref.filtered("").size(), xref.entries().size());
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
