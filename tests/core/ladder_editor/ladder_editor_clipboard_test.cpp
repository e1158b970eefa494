#include <gtest/gtest.h>

#include "editor_fixture.h"

namespace kelcc::core::ladder_editor {
namespace {

class LadderEditorClipboardTest : public EditorFixture, public ::testing::Test {
protected:
    CopyBuffer m_buffer;
};

TEST_F(LadderEditorClipboardTest, SingleCellsArePastedByTheirKindsRules) {
    put(1, 5, 23, "CMP     0001 R0001 1 R0002.0");
    put(2, 8, 6, "Y0000.0");
    put(3, 3, 1, "X0000.0");
    link(3, 3);
    put(4, 1, 19, "END1    ");

    // A four-column box with the cursor in column 1: links, then the box.
    m_editor.copy({1, 5, 1, 5}, m_buffer);
    m_editor.setCursor({10, 1});
    m_editor.paste(m_buffer);
    EXPECT_EQ(row(10), "0 0 0 0 23 . . .");
    EXPECT_EQ(text(10, 5), "CMP     0001 R0001 1 R0002.0");

    m_editor.copy({2, 8, 2, 8}, m_buffer);
    m_editor.setCursor({11, 3});
    m_editor.paste(m_buffer);
    EXPECT_EQ(row(11), ". . 0 0 0 0 0 6");

    // The link flag goes along with the contact.
    m_editor.copy({3, 3, 3, 3}, m_buffer);
    m_editor.setCursor({12, 6});
    m_editor.paste(m_buffer);
    EXPECT_EQ(row(12), ". . . . . 1v . .");

    // END1 in column 1 clears the links of the row above reaching into it.
    link(12, 2);
    m_editor.copy({4, 1, 4, 1}, m_buffer);
    m_editor.setCursor({13, 4});
    m_editor.paste(m_buffer);
    EXPECT_EQ(row(13), "19 . . . . . . .");
    EXPECT_EQ(row(12), ". . . . . 1 . .");
    EXPECT_TRUE(m_ui.messages().empty()) << messages();
    EXPECT_TRUE(marked());
}

TEST_F(LadderEditorClipboardTest, RefusedPastesChangeNothing) {
    put(1, 1, 1, "X0000.0");
    put(1, 2, 1, "X0000.1");
    put(2, 7, 21, "SET     Y0000.0");
    put(3, 1, 3, "X0000.2");  // a kind no paste knows (an IL opcode)
    put(5, 1, 1, "X0000.3");
    put(5, 4, 25, "TMRB    T0001 100 Y0000.1");

    struct Case {
        CellRange copied;
        CellPos cursor;
        const char* message;
    };
    const Case cases[] = {
        {{1, 1, 1, 2}, {5, 8}, "不能执行该操作!"},  // two columns from column 8
        {{1, 1, 1, 1}, {6, 8}, "不能在此处编辑!"},  // contacts paste into columns 1-7
        {{3, 1, 3, 1}, {6, 1}, "剪贴板信息错误(PasteSingleCell)!"},
        {{1, 1, 3, 2}, {6, 1}, "剪贴板信息错误(PasteSingleCell)!"},
        {{1, 1, 1, 1}, {5, 6}, "不能在此处编辑!"},  // right of the TMRB
        {{2, 7, 2, 7}, {6, 8}, "不能在此处编辑!"},  // SET from column 8
    };
    const std::string before = row(5) + row(6);
    for (const Case& c : cases) {
        m_ui = {};
        m_editor.copy(c.copied, m_buffer);
        m_editor.setCursor(c.cursor);
        EXPECT_TRUE(m_editor.paste(m_buffer).refused()) << c.message;
        EXPECT_EQ(messages(), c.message);
    }
    EXPECT_EQ(row(5) + row(6), before);
    EXPECT_EQ(m_doc.lastUsedRow(), 5);
    EXPECT_FALSE(m_doc.modified());
}

TEST_F(LadderEditorClipboardTest, CutThenMultiRowPasteInsertsRowsAndKeepsCommentsWithTheirRows) {
    put(1, 1, 1, "X0000.0");
    link(1, 2);
    put(1, 2, 0);
    put(1, 8, 6, "Y0000.0");
    put(2, 1, 2, "X0000.1");
    put(3, 1, 19, "END1    ");
    m_doc.loadRowComment(3, "end");

    const EditResult cut = m_editor.cut({1, 1, 2, 8}, m_buffer);
    EXPECT_EQ(cut.firstRow, 1);
    EXPECT_EQ(cut.lastRow, 2);
    EXPECT_EQ(row(1), ". . . . . . . .");
    EXPECT_EQ(row(2), ". . . . . . . .");
    ASSERT_EQ(m_buffer.cells().size(), 4u);

    m_editor.setCursor({3, 1});
    const EditResult pasted = m_editor.paste(m_buffer);
    EXPECT_TRUE(pasted.rowsMoved);
    EXPECT_EQ(pasted.firstRow, 3);
    EXPECT_EQ(row(3), "1 0v . . . . . 6");
    EXPECT_EQ(row(4), "2 . . . . . . .");
    EXPECT_EQ(row(5), "19 . . . . . . .");
    EXPECT_EQ(m_doc.rowComment(5), "end");
    EXPECT_EQ(m_doc.rowComment(3), "");

    // A paste whose inserted rows would push used rows past the end is
    // refused rather than losing them.
    put(4999, 1, 1, "X0001.0");
    m_editor.setCursor({6, 1});
    EXPECT_TRUE(m_editor.paste(m_buffer).refused());
    EXPECT_EQ(messages(), "不能执行该操作!");
    EXPECT_EQ(row(4999), "1 . . . . . . .");
    EXPECT_TRUE(m_editor.insertRow({6, 1, 6, 1}).rowsMoved);
    EXPECT_EQ(row(5000), "1 . . . . . . .");
    EXPECT_TRUE(m_editor.insertRow({6, 1, 6, 1}).refused());
}

TEST_F(LadderEditorClipboardTest, CommentRowCommandsShiftOnlyComments) {
    put(2, 1, 1, "X0000.0");
    m_doc.loadRowComment(2, "a");
    m_doc.loadRowComment(3, "b");
    m_doc.loadRowComment(5, "c");

    const EditResult inserted = m_editor.insertComment(3);
    EXPECT_EQ(inserted.firstRow, 3);
    EXPECT_EQ(inserted.lastRow, 6);
    EXPECT_EQ(m_doc.rowComment(2), "a");
    EXPECT_EQ(m_doc.rowComment(3), "");
    EXPECT_EQ(m_doc.rowComment(4), "b");
    EXPECT_EQ(m_doc.rowComment(6), "c");
    EXPECT_EQ(row(2), "1 . . . . . . .");
    EXPECT_TRUE(marked());

    m_editor.moveCommentsUp(2);
    EXPECT_EQ(m_doc.rowComment(2), "");
    EXPECT_EQ(m_doc.rowComment(3), "b");
    EXPECT_EQ(m_doc.rowComment(5), "c");
    EXPECT_EQ(m_doc.rowComment(6), "");

    m_editor.deleteComment(3);
    EXPECT_EQ(m_doc.rowComment(3), "");
    clearMarks();
    EXPECT_FALSE(m_editor.deleteComment(3).changed);
    EXPECT_FALSE(m_doc.modified());

    // The last row's comment would fall off the end.
    m_doc.loadRowComment(5000, "last");
    EXPECT_TRUE(m_editor.insertComment(1).refused());
    EXPECT_EQ(m_doc.rowComment(5), "c");
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
