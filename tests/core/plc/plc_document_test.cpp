#include "plc/plc_document.h"

#include <gtest/gtest.h>

namespace kelcc::core::plc {
namespace {

TEST(PlcDocument, DeletingRowsAboveACommentMovesItUp) {
    SimpleProjectState project;
    PlcDocument doc(project);
    ASSERT_TRUE(doc.setRowComment(10, "comment"));
    doc.deleteRows(3, 2);
    EXPECT_EQ(doc.rowComment(8), "comment");
    EXPECT_TRUE(doc.rowComment(10).empty());
    EXPECT_TRUE(project.projectModified());
    EXPECT_FALSE(project.plcCompiled());
}

}  // namespace
}  // namespace kelcc::core::plc
