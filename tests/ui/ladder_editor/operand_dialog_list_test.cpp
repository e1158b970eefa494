#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "common/interaction.h"
#include "ladder_editor/operand_dialog.h"

namespace kelcc::ui {
namespace {

using core::plc::InstructionCode;
using core::plc::OperandForm;

QLineEdit* openEntryEditor(QListWidget& list, int entry) {
    emit list.itemDoubleClicked(list.item(entry));
    for (auto* editor : list.viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible()) return editor;
    return nullptr;
}

// Enter and Escape in a CODB entry's in-place editor end that edit only;
// the dialog's own OK and Cancel must not fire.
TEST(OperandDialogList, EnterAndEscapeEndTheEntryEditNotTheDialog) {
    core::common::RecordingInteraction ui;
    const auto codb = *OperandForm::ForInstruction(InstructionCode::CODB);
    OperandDialog dialog(codb, codb.parse("CODB    0001 0001 X0010 R0020 , 5 9"), ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = qobject_cast<QListWidget*>(dialog.fieldWidget(4));
    ASSERT_NE(list, nullptr);

    QLineEdit* editor = openEntryEditor(*list, 0);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "7");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("000  7"));

    editor = openEntryEditor(*list, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "3");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("001  9")) << "Escape drops the typed text";
    EXPECT_TRUE(ui.messages().empty());

    dialog.accept();
    EXPECT_EQ(dialog.formResult().text, "CODB    0001 0001 X0010 R0020 , 7 9");
}

}  // namespace
}  // namespace kelcc::ui
