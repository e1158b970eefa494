#include "compiler/grid_text.h"

#include <gtest/gtest.h>

namespace kelcc::core::compiler {
namespace {

// Grid text read and written (GBK comments, column-1 link flags) and each
// refused line are golden corpus cases (open and compile --grid); here what
// the drafts and recovery copies rely on: a refused text changes nothing in
// a document that holds a ladder, and what is read is no edit.
TEST(GridTextTest, RefusedTextLeavesTheDocumentAndReadTextIsNoEdit) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    const std::string good = "1\t1\t1\t1\t1\tX0000.0\n#2\t注释\n2\t2\t15\t0\t1\t\n";
    auto r = GridText::parse(good, doc);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_FALSE(doc.modified());
    const plc::LadderGrid before = doc.grid();
    r = GridText::parse("#3\tnew\n3\t1\t1\t1\t0\tX0000.3\n3\t9\t1\t1\t0\tX\n", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.line, 3);
    EXPECT_TRUE(doc.grid() == before);
    EXPECT_EQ(doc.rowComment(3), "");
    EXPECT_EQ(GridText::format(doc), good);
}

}  // namespace
}  // namespace kelcc::core::compiler
