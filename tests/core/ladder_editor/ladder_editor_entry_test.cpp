#include <gtest/gtest.h>

#include "editor_fixture.h"
#include "plc/operand_form.h"

namespace kelcc::core::ladder_editor {
namespace {

using plc::InstructionCode;

class LadderEditorEntryTest : public EditorFixture, public ::testing::Test {};

// Entering, deleting and pasting cells are scripts (editor_script_test).
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

}  // namespace
}  // namespace kelcc::core::ladder_editor
