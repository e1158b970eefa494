#include "ladder_editor/ladder_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/default_files.h"
#include "fake_workbench.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/ladder_dialogs.h"
#include "ladder_editor/ladder_view.h"
#include "plc/operand_form.h"

namespace kelcc::ui {
namespace {

using core::common::Answer;
using core::plc::InstructionCode;
using Command = LadderView::Command;

// Field texts for one operand dialog: field index -> text (a combo takes
// the item with that text).
using Fill = std::map<int, QString>;

void fill(OperandDialog& dialog, const Fill& values) {
    for (const auto& [field, text] : values) {
        QWidget* widget = dialog.fieldWidget(field);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->clear();
            QTest::keyClicks(edit, text);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            combo->setCurrentIndex(combo->findText(text));
        }
    }
}

// Answers the ladder view's dialogs from a script, through the real
// dialog classes: each operand dialog is built, filled and OK is pressed.
// A dialog that refuses its OK counts as cancelled afterwards.
class ScriptedDialogs final : public LadderDialogs {
public:
    std::deque<Fill> operands;
    std::deque<InstructionCode> functions;
    std::deque<std::function<void(FindDialog&)>> finds;
    int operandDialogs = 0;

    std::optional<core::plc::FormResult> operand(const core::plc::OperandForm& form,
                                                 const core::plc::FormValues& initial,
                                                 OperandDialog::Lookup lookup,
                                                 core::common::Interaction& interaction,
                                                 QWidget* parent) override {
        ++operandDialogs;
        OperandDialog dialog(form, initial, interaction, parent);
        if (lookup) dialog.setLookup(std::move(lookup));
        if (operands.empty()) return std::nullopt;
        fill(dialog, operands.front());
        operands.pop_front();
        dialog.accept();
        if (dialog.result() != QDialog::Accepted) return std::nullopt;
        return dialog.formResult();
    }
    std::optional<InstructionCode> chooseFunction(core::common::Interaction&, QWidget*) override {
        if (functions.empty()) return std::nullopt;
        const InstructionCode code = functions.front();
        functions.pop_front();
        return code;
    }
    bool find(const FindDialog::Run& run, QWidget* parent) override {
        FindDialog dialog(run, parent);
        if (finds.empty()) return false;
        finds.front()(dialog);
        finds.pop_front();
        dialog.accept();
        return dialog.result() == QDialog::Accepted;
    }
};

class LadderWindowTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("kelcc_ladder_" + std::to_string(::getpid()) + "_" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
        m_path = (m_folder / "plc.ldx").string();
        std::ofstream(m_path, std::ios::binary) << core::app::DefaultFiles::plcProgram();
        m_window = open();
    }
    void TearDown() override {
        m_window.reset();
        std::filesystem::remove_all(m_folder);
    }

    std::unique_ptr<LadderWindow> open() {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        auto window = std::make_unique<LadderWindow>(m_bench, m_path, m_buffer, std::move(dialogs));
        EXPECT_TRUE(window->load());
        window->resize(1100, 700);
        window->show();
        QApplication::setActiveWindow(window.get());
        window->view().setFocus();
        return window;
    }

    LadderView& view() { return m_window->view(); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&view(), static_cast<Qt::Key>(k), modifiers);
    }
    std::vector<std::string> il(const core::plc::PlcDocument& doc) const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < doc.il().size(); ++i)
            lines.push_back(doc.il()[i].text);
        return lines;
    }
    const core::plc::LadderCell* cell(int row, int column) {
        return m_window->document().cell(row, column);
    }

    // Two new rows above END1, then X0.1 and the closed contact X1 in
    // series to coil Y0.0, and X2 setting Y1.0 on the next row.
    void drawSmallProgram() {
        view().setSelection({1, 1, 1, 1});
        view().action(Command::InsertRow)->trigger();
        view().action(Command::InsertRow)->trigger();
        view().editor().setCursor({1, 1});
        m_dialogs->operands = {
            {{2, "X0.1"}}, {{1, "--|/|--"}, {2, "x1"}}, {{2, "Y0.0"}}, {{2, "X2"}}, {{0, "Y1.0"}}};
        key(Qt::Key_F1);
        key(Qt::Key_F1);
        key(Qt::Key_F2);
        key(Qt::Key_F1);
        m_dialogs->functions = {InstructionCode::SET};
        key(Qt::Key_F3);
    }

    test::FakeWorkbench m_bench;
    core::ladder_editor::CopyBuffer m_buffer;
    std::filesystem::path m_folder;
    std::string m_path;
    ScriptedDialogs* m_dialogs = nullptr;
    std::unique_ptr<LadderWindow> m_window;
};

TEST_F(LadderWindowTest, DrawnWithKeysCompilesSavesAndReopensToTheSameProgram) {
    drawSmallProgram();
    ASSERT_TRUE(m_bench.recording().messages().empty())
        << m_bench.recording().messages().front().text;
    ASSERT_NE(cell(1, 2), nullptr);
    EXPECT_EQ(cell(1, 2)->kind, 2);
    EXPECT_EQ(cell(1, 2)->text, "X0001.0");
    EXPECT_EQ(cell(1, 5)->kind, 0);
    EXPECT_EQ(cell(1, 8)->text, "Y0000.0");
    EXPECT_EQ(cell(2, 7)->text, "SET     Y0001.0");
    EXPECT_EQ(view().cursor(), (core::ladder_editor::CellPos{3, 1}));
    EXPECT_TRUE(m_window->isModified());
    // A refused place (right of the SET block) opens no dialog and changes
    // nothing; which places are refused is the core's ladder editor tests.
    const core::plc::LadderGrid drawn = m_window->document().grid();
    view().editor().setCursor({2, 8});
    m_dialogs->operands = {{{2, "X3"}}};
    key(Qt::Key_F1);
    ASSERT_EQ(m_bench.recording().messages().size(), 1u);
    EXPECT_EQ(m_dialogs->operandDialogs, 5);
    EXPECT_TRUE(m_window->document().grid() == drawn);
    m_dialogs->operands.clear();

    key(Qt::Key_F9);
    ASSERT_FALSE(m_bench.output().isEmpty());
    EXPECT_EQ(m_bench.output().last(), QStringLiteral("编译成功 : 0 错误, 0 警告."));
    const std::vector<std::string> expected = {"LD      X0000.1",
                                               "ANI     X0001.0",
                                               "OUT     Y0000.0",
                                               "LD      X0002.0",
                                               "SET     Y0001.0",
                                               "END1",
                                               "END2"};
    EXPECT_EQ(il(m_window->document()), expected);

    ASSERT_TRUE(m_window->saveSilently());
    EXPECT_FALSE(m_window->isModified());
    m_window = open();
    EXPECT_EQ(il(m_window->document()), expected);
    EXPECT_EQ(cell(1, 8)->kind, 6);
}

TEST_F(LadderWindowTest, FindListsTheHitsAndAnOutputLineMovesTheCursor) {
    drawSmallProgram();
    key(Qt::Key_F9);
    m_dialogs->finds = {[](FindDialog& d) { QTest::keyClicks(d.textField(), "X0"); }};
    view().action(Command::Find)->trigger();
    // The lines themselves are the core's LadderFindTest.
    EXPECT_EQ(m_bench.output().last(), QStringLiteral("查找 X0 完毕 : 共找到 1 项结果."));
    EXPECT_EQ(m_bench.outputTitle(), QStringLiteral("查找结果"));

    emit m_bench.ladderPlaceRequested(2, 7);
    EXPECT_EQ(view().cursor(), (core::ladder_editor::CellPos{2, 1})) << "a box at the place";
    emit m_bench.ladderPlaceRequested(99999, 0);
    EXPECT_EQ(view().cursor().row, m_window->document().lastUsedRow() + 1);
}

// "Back to editing" after a failed compile leaves the user where they were.
TEST_F(LadderWindowTest, SaveOfAProgramThatDoesNotCompileAsksAndCanDropTheEdits) {
    view().setSelection({1, 1, 1, 1});
    view().action(Command::InsertRow)->trigger();
    view().editor().setCursor({1, 1});
    m_dialogs->operands = {{{2, "X7"}}};
    key(Qt::Key_F1);  // a contact that leads nowhere
    view().moveCursorTo(3, 1);

    m_bench.recording().script({Answer::Yes});
    EXPECT_FALSE(m_window->saveSilently());
    EXPECT_TRUE(m_window->isModified());
    EXPECT_EQ(m_bench.recording().messages().back().caption, "修改梯形图");
    EXPECT_EQ(view().cursor(), (core::ladder_editor::CellPos{3, 1}));

    m_bench.recording().script({Answer::Yes, Answer::No});
    EXPECT_TRUE(m_window->queryClose()) << "the reverted program closes";
    EXPECT_FALSE(m_window->isModified());
    EXPECT_EQ(cell(1, 1)->kind, 19) << "the program as it is on disk";

    // A save that compiles drops the empty rows and keeps the cursor too.
    auto& doc = m_window->document();
    doc.insertRows(1, 3);
    doc.setCell(2, 1, 1, "X0007.0");
    doc.setCell(2, 8, 6, "Y0007.0");
    for (int column = 2; column <= 7; ++column)
        doc.setCell(2, column, 0, "");
    view().documentReplaced();
    view().moveCursorTo(2, 1);
    EXPECT_TRUE(m_window->saveSilently());
    EXPECT_EQ(cell(1, 8)->text, "Y0007.0");
    EXPECT_EQ(view().cursor(), (core::ladder_editor::CellPos{2, 1}));
}

TEST_F(LadderWindowTest, CommentColumnEditsInPlaceAndCutPastesWithKeys) {
    drawSmallProgram();
    m_window->setModified(false);
    LadderView& v = view();
    const auto g = v.geometry();
    const QPoint inComment(g.commentLeft() + 20, g.unit * 3 / 2);  // row 2
    QTest::mouseDClick(v.viewport(), Qt::LeftButton, Qt::NoModifier, inComment);
    ASSERT_NE(v.commentEditor(), nullptr);
    ASSERT_TRUE(v.commentEditor()->isVisible());
    // Not in the code page of the comments: kept in the open editor.
    v.commentEditor()->setText(QStringLiteral("置位 \U0001F600"));
    QTest::keyClick(v.commentEditor(), Qt::Key_Return);
    EXPECT_TRUE(v.commentEditor()->isVisible());
    EXPECT_EQ(v.commentEditor()->text(), QStringLiteral("置位 \U0001F600"));
    EXPECT_FALSE(m_window->isModified());
    v.commentEditor()->setText(QStringLiteral("置位 Y1.0"));
    QTest::keyClick(v.commentEditor(), Qt::Key_Return);
    EXPECT_FALSE(v.commentEditor()->isVisible());
    EXPECT_EQ(v.editor().commentText(2), "置位 Y1.0");
    EXPECT_TRUE(m_window->isModified());

    // Cut the contact of row 1 column 1 and paste it into an empty row.
    v.setSelection({1, 1, 1, 1});
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 1), nullptr);
    v.editor().setCursor({5, 1});
    key(Qt::Key_Insert, Qt::ShiftModifier);
    ASSERT_NE(cell(5, 1), nullptr);
    EXPECT_EQ(cell(5, 1)->text, "X0000.1");
}

TEST_F(LadderWindowTest, MainWindowMenusCarryTheViewCommandsWithUndoAndRedoFirst) {
    const QList<QAction*> edit = m_window->menuActions(DocumentWindow::MenuSlot::Edit);
    ASSERT_GE(edit.size(), 2);
    EXPECT_EQ(edit[0], view().action(Command::Undo));
    EXPECT_EQ(edit[1], view().action(Command::Redo));
    EXPECT_FALSE(edit[0]->isEnabled());  // loading is not an edit
    EXPECT_TRUE(edit.contains(view().action(Command::Paste)));

    const QList<QAction*> plc = m_window->menuActions(DocumentWindow::MenuSlot::Plc);
    ASSERT_TRUE(plc.contains(view().action(Command::Compile)));
    EXPECT_TRUE(m_window->menuActions(DocumentWindow::MenuSlot::View)
                    .contains(view().action(Command::RowNumbers)));
}

// A second window kind on the same file is a view of the same document:
// it sees the edits, undoes them with Ctrl+Z, and the one document is saved
// once, with the close question only for the last window.
TEST_F(LadderWindowTest, TwoWindowsOfOneDocumentShareEditsUndoAndTheSave) {
    auto second = std::make_unique<LadderWindow>(m_bench, m_path, m_buffer,
                                                 std::make_unique<ScriptedDialogs>(), nullptr,
                                                 core::app::ProjectItemType::PlcDataTables);
    ASSERT_TRUE(second->load());
    second->show();
    ASSERT_EQ(&second->document(), &m_window->document());

    drawSmallProgram();
    QAction* undo = second->view().action(Command::Undo);
    EXPECT_TRUE(second->isWindowModified());
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("撤消 输入功能指令(&U)"));

    QApplication::setActiveWindow(second.get());
    second->view().setFocus();
    QTest::keyClick(&second->view(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(2, 7), nullptr) << "the SET box is undone";
    EXPECT_EQ(second->view().action(Command::Redo)->text(),
              QStringLiteral("重做 输入功能指令(&R)"));
    QTest::keyClick(&view(), Qt::Key_Y, Qt::ControlModifier);
    ASSERT_NE(cell(2, 7), nullptr);

    EXPECT_TRUE(m_window->queryClose()) << "another window still shows the document";
    EXPECT_TRUE(m_bench.recording().messages().empty());
    m_window.reset();
    ASSERT_TRUE(second->saveSilently());
    EXPECT_FALSE(second->isModified());
    second.reset();
    m_window = open();
    EXPECT_EQ(il(m_window->document()).size(), 7u);
    EXPECT_FALSE(view().action(Command::Undo)->isEnabled());
}

// The dialogs are generated from the form data; which field's message wins
// and each field's rule are OperandForms' tests in the core.
TEST(OperandDialogTest, FieldsFollowTheFormAndOkChecksInOrder) {
    core::common::RecordingInteraction ui;
    const auto ctrc = *core::plc::OperandForm::ForInstruction(InstructionCode::CTRC);
    OperandDialog dialog(ctrc, ctrc.blank(), ui);
    auto* reset = qobject_cast<QLineEdit*>(dialog.fieldWidget(2));
    ASSERT_NE(reset, nullptr);
    QTest::keyClicks(reset, "r10.1");
    EXPECT_EQ(reset->text(), QStringLiteral("R10.1"));
    auto* counter = qobject_cast<QLineEdit*>(dialog.fieldWidget(3));
    QTest::keyClicks(counter, "1a00");
    EXPECT_EQ(counter->text(), QStringLiteral("100"));
    fill(dialog, {{4, "500"}, {5, "Y1.2"}});
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "计数器地址(Counter)设置错误!");

    fill(dialog, {{3, "5"}, {1, "减计数"}});
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.formResult().text, "CTRC    0001 R0010.1 C0005 500 Y0001.2");
}

TEST(OperandDialogTest, CodbTableEntriesAreCheckedAndTheLookupNeedsALadder) {
    core::common::RecordingInteraction ui;
    const auto codb = *core::plc::OperandForm::ForInstruction(InstructionCode::CODB);
    OperandDialog dialog(codb, codb.blank(), ui);
    auto* list = qobject_cast<QListWidget*>(dialog.fieldWidget(4));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    dialog.editListEntry(1, QStringLiteral("127"));
    EXPECT_EQ(ui.messages().size(), 1u);
    dialog.editListEntry(1, QStringLiteral("126"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("001  126"));
    fill(dialog, {{1, "3"}});
    EXPECT_EQ(list->count(), 8) << "2^3 entries after the table length changed";

    const auto jmpb = *core::plc::OperandForm::ForInstruction(InstructionCode::JMPB);
    OperandDialog jump(jmpb, jmpb.blank(), ui);
    ASSERT_NE(jump.lookupButton(), nullptr);
    EXPECT_FALSE(jump.lookupButton()->isEnabled());
    int presses = 0;
    jump.setLookup([&](const std::string& number) {
        EXPECT_EQ(number, "12");
        return ++presses < 2 ? OperandDialog::LookupStep::Found
                             : OperandDialog::LookupStep::Finished;
    });
    fill(jump, {{0, "12"}});
    jump.show();
    jump.lookupButton()->click();
    EXPECT_TRUE(jump.isVisible());
    jump.lookupButton()->click();
    EXPECT_FALSE(jump.isVisible());
    EXPECT_EQ(jump.result(), QDialog::Rejected);
}

// Enter and Escape in a CODB entry's in-place editor end that edit only;
// the dialog's own OK and Cancel must not fire.
TEST(OperandDialogTest, EnterAndEscapeEndTheEntryEditNotTheDialog) {
    core::common::RecordingInteraction ui;
    const auto codb = *core::plc::OperandForm::ForInstruction(InstructionCode::CODB);
    OperandDialog dialog(codb, codb.parse("CODB    0001 0001 X0010 R0020 , 5 9"), ui);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = qobject_cast<QListWidget*>(dialog.fieldWidget(4));
    ASSERT_NE(list, nullptr);
    const auto typeInto = [list](int entry, const char* text, Qt::Key key) {
        emit list->itemDoubleClicked(list->item(entry));
        for (auto* editor : list->viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible()) {
                QTest::keyClicks(editor, text);
                QTest::keyClick(editor, key);
                return;
            }
        ADD_FAILURE() << "no editor for entry " << entry;
    };
    typeInto(0, "7", Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("000  7"));
    typeInto(1, "3", Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("001  9")) << "Escape drops the typed text";
    EXPECT_TRUE(ui.messages().empty());
    dialog.accept();
    EXPECT_EQ(dialog.formResult().text, "CODB    0001 0001 X0010 R0020 , 7 9");
}

}  // namespace
}  // namespace kelcc::ui
