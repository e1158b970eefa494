#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "plc/operand_form.h"

namespace kelcc::core::ladder_editor {
namespace {

using plc::InstructionCode;

constexpr const char* kHere = "不能在此处编辑!";

class LadderEditorEntryTest : public EditorFixture, public ::testing::Test {};

TEST_F(LadderEditorEntryTest, ContactFitsColumnEightAndCoilFillsLinksUpToIt) {
    m_editor.setCursor({1, 8});
    EXPECT_FALSE(m_editor.addHorizontalLink().changed);
    EXPECT_EQ(messages(), kHere);
    EXPECT_FALSE(m_doc.modified());

    const EditResult r = m_editor.addContact("X0001.0", 1);
    EXPECT_EQ(r.status, EditStatus::Done);
    EXPECT_EQ(r.firstRow, 1);
    EXPECT_EQ(row(1), ". . . . . . . 2");
    EXPECT_TRUE(marked());
    EXPECT_EQ(m_editor.cursor(), (CellPos{1, 9}));

    EXPECT_FALSE(m_editor.beginContact());
    EXPECT_TRUE(m_editor.addContact("X0001.1", 0).refused());
    EXPECT_EQ(row(1), ". . . . . . . 2");

    // A coil fills links to column 7 and moves to the next row.
    m_editor.setCursor({3, 3});
    m_editor.addCoil("Y0000.0");
    EXPECT_EQ(row(3), ". . 0 0 0 0 0 6");
    EXPECT_EQ(text(3, 8), "Y0000.0");
    EXPECT_EQ(m_editor.cursor(), (CellPos{4, 1}));

    // Past column 8 the coil still goes to column 8, without links.
    m_editor.setCursor({4, 8});
    m_editor.addContact("X0000.0", 0);
    m_editor.addCoil("Y0000.1");
    EXPECT_EQ(row(4), ". . . . . . . 6");
    EXPECT_EQ(text(4, 8), "Y0000.1");
}

TEST_F(LadderEditorEntryTest, VerticalLinkKeepsTheElementAndIsIgnoredSilentlyInColumnOne) {
    put(1, 3, 1, "X0000.0");
    clearMarks();
    m_editor.setCursor({1, 1});
    EXPECT_EQ(m_editor.addVerticalLink().status, EditStatus::Ignored);
    EXPECT_TRUE(m_ui.messages().empty());
    EXPECT_FALSE(m_doc.modified());
    EXPECT_EQ(m_editor.cursor(), (CellPos{1, 1}));

    m_editor.setCursor({1, 3});
    m_editor.addVerticalLink();
    EXPECT_EQ(row(1), ". . 1v . . . . .");
    EXPECT_EQ(m_editor.cursor(), (CellPos{2, 3}));
    EXPECT_TRUE(marked());

    m_editor.setCursor({5000, 3});
    EXPECT_TRUE(m_editor.addVerticalLink().refused());
    EXPECT_EQ(messages(), kHere);
}

struct BlockCase {
    InstructionCode code;
    const char* line;
    int cursorColumn;
    const char* rowAfter;  // nullptr: refused
};

class LadderEditorBlockTest : public EditorFixture, public ::testing::TestWithParam<BlockCase> {};

TEST_P(LadderEditorBlockTest, BlocksStartInTheirColumnWithLinksBefore) {
    const BlockCase& c = GetParam();
    m_editor.setCursor({1, c.cursorColumn});
    const bool allowed = m_editor.beginFunction(c.code);
    const EditResult r = m_editor.addFunction(c.code, c.line);
    if (!c.rowAfter) {
        EXPECT_FALSE(allowed);
        EXPECT_TRUE(r.refused());
        EXPECT_EQ(messages(), std::string(kHere) + "|" + kHere);
        EXPECT_EQ(row(1), ". . . . . . . .");
        EXPECT_FALSE(m_doc.modified());
        EXPECT_EQ(m_editor.cursor(), (CellPos{1, c.cursorColumn}));
        return;
    }
    EXPECT_TRUE(allowed);
    EXPECT_TRUE(m_ui.messages().empty());
    EXPECT_EQ(row(1), c.rowAfter);
    EXPECT_EQ(m_editor.cursor(), (CellPos{2, 1}));
    EXPECT_TRUE(marked());
}

INSTANTIATE_TEST_SUITE_P(
    Columns, LadderEditorBlockTest,
    ::testing::Values(
        BlockCase{InstructionCode::SET, "SET     Y0001.0", 8, nullptr},
        BlockCase{InstructionCode::SET, "SET     Y0001.0", 2, ". 0 0 0 0 0 21 ."},
        BlockCase{InstructionCode::CMP, "CMP     0001 R0001 1 R0002.0", 6, nullptr},
        BlockCase{InstructionCode::ROTB, "ROTB    0000 0012 0001 R0001 R0002 R0003 Y0001.0", 6,
                  nullptr},
        BlockCase{InstructionCode::CMP, "CMP     0001 R0001 1 R0002.0", 5, ". . . . 23 . . ."},
        BlockCase{InstructionCode::TMRB, "TMRB    T0001 100 Y0001.0", 6, ". . . . . 25 . ."},
        BlockCase{InstructionCode::TMRB, "TMRB    T0001 100 Y0001.0", 7, nullptr}));

TEST_F(LadderEditorEntryTest, BlockClearsLinksFromItsColumnAndWhatItCovers) {
    put(1, 1, 1, "X0000.0");
    link(1, 4);
    link(1, 5);
    link(1, 8);
    put(1, 6, 1, "X0000.1");
    put(1, 8, 6, "Y0000.0");
    m_editor.setCursor({1, 2});
    m_editor.addFunction(InstructionCode::CMP, "CMP     0001 R0001 1 R0002.0");
    // The link left of the box stays; nothing is left under the box.
    EXPECT_EQ(row(1), "1 0 0 0v 23 . . .");
    EXPECT_EQ(text(1, 5), "CMP     0001 R0001 1 R0002.0");
}

TEST_F(LadderEditorEntryTest, StructureElementsNeedAnEmptyRow) {
    put(1, 4, 1, "X0000.0");
    m_editor.setCursor({1, 1});
    EXPECT_TRUE(m_editor.addFunction(InstructionCode::END1, {}).refused());
    EXPECT_EQ(messages(), kHere);

    link(2, 3);  // a bare link is no element
    m_editor.setCursor({2, 5});
    m_editor.addFunction(InstructionCode::END1, "ignored");
    EXPECT_EQ(row(2), "19 . 15v . . . . .");
    EXPECT_EQ(text(2, 1), "END1    ");
    EXPECT_EQ(m_editor.cursor(), (CellPos{3, 1}));

    m_editor.addFunction(InstructionCode::LBL, "LBL     L0007");
    EXPECT_EQ(text(3, 1), "LBL     L0007");
    // A line of another instruction is no result of this dialog.
    EXPECT_EQ(m_editor.addFunction(InstructionCode::SP, "SPE     ").status, EditStatus::Ignored);
    EXPECT_EQ(row(4), ". . . . . . . .");
}

TEST_F(LadderEditorEntryTest, NothingIsEnteredRightOfAFunctionBlock) {
    put(1, 7, 21, "SET     Y0001.0");
    put(2, 1, 31, "LBL     L0001");
    for (CellPos at : {CellPos{1, 8}, CellPos{1, 7}, CellPos{2, 3}}) {
        m_editor.setCursor(at);
        EXPECT_FALSE(m_editor.beginContact());
        EXPECT_FALSE(m_editor.beginCoil());
        EXPECT_TRUE(m_editor.addHorizontalLink().refused());
        EXPECT_TRUE(m_editor.addVerticalLink().refused());
    }
    EXPECT_EQ(row(1), ". . . . . . 21 .");
    EXPECT_EQ(row(2), "31 . . . . . . .");
    EXPECT_FALSE(m_doc.modified());
}

TEST_F(LadderEditorEntryTest, ParallelContactNeedsAContactAbove) {
    put(1, 1, 1, "X0000.0");
    put(1, 2, 0);
    put(1, 8, 6, "Y0000.0");
    for (int column : {2, 8, 3}) {
        m_editor.setCursor({2, column});
        EXPECT_FALSE(m_editor.beginParallelContact()) << column;
    }
    m_editor.setCursor({1, 1});
    EXPECT_FALSE(m_editor.beginParallelContact());
    EXPECT_EQ(messages(), "元件设置错误|元件设置错误|元件设置错误|元件设置错误");
    EXPECT_FALSE(m_doc.modified());

    put(3, 3, 2, "X0000.3");
    m_editor.setCursor({4, 3});
    ASSERT_TRUE(m_editor.beginParallelContact());
    const EditResult r = m_editor.addParallelContact("X0000.4", 0);
    EXPECT_EQ(r.firstRow, 3);
    EXPECT_EQ(r.lastRow, 4);
    EXPECT_EQ(row(3), ". . 2v 15v . . . .");
    EXPECT_EQ(row(4), ". . 1 . . . . .");
    EXPECT_EQ(m_editor.cursor(), (CellPos{5, 3}));
}

TEST_F(LadderEditorEntryTest, DoubleClickReEntersTheElementInPlace) {
    put(1, 1, 1, "X0000.0");
    put(1, 2, 0);
    put(1, 5, 23, "CMP     0001 R0001 1 R0002.0");
    put(2, 1, 33, "SP      P0003");
    put(3, 1, 19, "END1    ");

    m_editor.setCursor({1, 1});
    CellEditRequest contact = m_editor.editRequest();
    ASSERT_EQ(contact.kind, CellEditRequest::Kind::Contact);
    ASSERT_TRUE(contact.form());
    plc::FormValues values = contact.values();
    EXPECT_EQ(values.fields[1], "--| |--");
    EXPECT_EQ(values.fields[2], "X0000.0");
    values.fields[1] = "--|/|--";
    values.fields[2] = "X7.2";
    m_editor.applyEdit(contact, contact.form()->validate(values));
    EXPECT_EQ(row(1), "2 0 . . 23 . . .");
    EXPECT_EQ(text(1, 1), "X0007.2");
    EXPECT_EQ(m_editor.cursor(), (CellPos{1, 2}));

    // A box and a structure element are not in their own way.
    m_editor.setCursor({1, 5});
    CellEditRequest cmp = m_editor.editRequest();
    ASSERT_EQ(cmp.kind, CellEditRequest::Kind::Function);
    EXPECT_EQ(cmp.code, InstructionCode::CMP);
    values = cmp.values();
    values.fields[1] = "R9";
    m_editor.applyEdit(cmp, cmp.form()->validate(values));
    EXPECT_EQ(text(1, 5), "CMP     0001 R0009 1 R0002.0");
    EXPECT_EQ(m_editor.cursor(), (CellPos{2, 1}));

    CellEditRequest sp = m_editor.editRequest();
    ASSERT_EQ(sp.kind, CellEditRequest::Kind::Function);
    values = sp.values();
    EXPECT_EQ(values.fields[0], "0003");
    values.fields[0] = "12";
    m_editor.applyEdit(sp, sp.form()->validate(values));
    EXPECT_EQ(text(2, 1), "SP      P0012");
    EXPECT_TRUE(m_ui.messages().empty()) << messages();

    for (CellPos at : {CellPos{1, 2}, CellPos{1, 3}, CellPos{3, 1}}) {
        m_editor.setCursor(at);
        EXPECT_EQ(m_editor.editRequest().kind, CellEditRequest::Kind::None);
    }
}

TEST_F(LadderEditorEntryTest, DeletingSelectionElementOrLink) {
    for (int r = 1; r <= 2; ++r) {
        put(r, 1, 1, "X0000.0");
        link(r, 2);
        put(r, 2, 0);
        put(r, 8, 6, "Y0000.0");
    }
    clearMarks();
    // Narrower than the whole width: the first cell only, flag included.
    m_editor.deleteSelection({1, 2, 2, 7});
    EXPECT_EQ(row(1), "1 . . . . . . 6");
    EXPECT_EQ(row(2), "1 0v . . . . . 6");
    EXPECT_TRUE(marked());

    m_editor.deleteElement({2, 2, 2, 2});
    EXPECT_EQ(row(2), "1 15v . . . . . 6");
    m_editor.deleteVerticalLink({2, 2, 2, 2});
    EXPECT_EQ(row(2), "1 . . . . . . 6");

    const EditResult all = m_editor.deleteSelection({2, 8, 1, 1});
    EXPECT_EQ(all.firstRow, 1);
    EXPECT_EQ(all.lastRow, 2);
    EXPECT_EQ(m_doc.lastUsedRow(), 0);
}

TEST_F(LadderEditorEntryTest, CommentEditorLocksTheEditingCommands) {
    CopyBuffer buffer;
    put(1, 1, 1, "X0000.0");
    m_editor.copy({1, 1, 1, 1}, buffer);
    m_editor.toggleCommentEditor(3);
    ASSERT_EQ(m_editor.commentEditorRow(), 3);
    m_editor.setCursor({2, 1});
    EXPECT_FALSE(m_editor.beginContact());
    EXPECT_EQ(m_editor.addContact("X0000.1", 0).status, EditStatus::Ignored);
    EXPECT_EQ(m_editor.addHorizontalLink().status, EditStatus::Ignored);
    EXPECT_EQ(m_editor.deleteSelection({1, 1, 1, 8}).status, EditStatus::Ignored);
    EXPECT_EQ(m_editor.cut({1, 1, 1, 1}, buffer).status, EditStatus::Ignored);
    EXPECT_EQ(m_editor.paste(buffer).status, EditStatus::Ignored);
    EXPECT_EQ(m_editor.insertRow({1, 1, 1, 1}).status, EditStatus::Ignored);
    m_editor.setCursor({1, 1});
    EXPECT_EQ(m_editor.editRequest().kind, CellEditRequest::Kind::None)
        << "a double click opens no contact dialog";
    EXPECT_EQ(row(1), "1 . . . . . . .");
    EXPECT_EQ(row(2), ". . . . . . . .");

    // Enter stores at most 36 characters (as GBK) and closes the editor.
    const std::string typed = "启动" + std::string(40, 'a');
    EXPECT_TRUE(m_editor.storeComment(typed).changed);
    EXPECT_EQ(m_editor.commentEditorRow(), 0);
    EXPECT_EQ(m_editor.commentText(3), "启动" + std::string(34, 'a'));
    EXPECT_EQ(m_doc.rowComment(3).size(), 38u);
    EXPECT_TRUE(marked());
}

TEST_F(LadderEditorEntryTest, CursorMovesKeepWithinTheProgram) {
    put(1, 5, 23, "CMP     0001 R0001 1 R0002.0");
    put(10, 1, 19, "END1    ");
    EXPECT_TRUE(m_editor.goTo("99999", "3"));
    EXPECT_EQ(m_editor.cursor(), (CellPos{11, 3}));
    EXPECT_TRUE(m_editor.goTo("1", "8"));
    EXPECT_EQ(m_editor.cursor(), (CellPos{1, 1}));
    EXPECT_TRUE(m_editor.goTo("", ""));
    EXPECT_EQ(m_editor.cursor(), (CellPos{1, 1}));
    m_editor.setCursor({4, 4});
    EXPECT_FALSE(m_editor.goTo("2", "9"));
    EXPECT_EQ(messages(), "输入超出范围.");
    EXPECT_EQ(m_editor.cursor(), (CellPos{4, 4}));

    EXPECT_EQ(m_editor.programEnd(), (CellPos{10, 1}));
    EXPECT_EQ(m_editor.keyDown(), (CellPos{10, 1}));
    EXPECT_EQ(m_editor.keyUp(), (CellPos{9, 1}));
    EXPECT_EQ(m_editor.programStart(), (CellPos{1, 1}));
    EXPECT_EQ(m_editor.keyUp(), (CellPos{1, 1}));
    EXPECT_EQ(m_editor.keyDown(), (CellPos{2, 1}));
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
