// The ladder drawn with the keyboard alone, through the real dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <chrono>

#include "dialog_answers.h"
#include "file_bytes.h"
#include "ladder_editor/cross_reference_window.h"
#include "ladder_window_fixture.h"

namespace kelcc::ui {
namespace {

using core::ladder_editor::CellPos;

class LadderKeyboardTest : public test::LadderWindowFixture {
protected:
    void SetUp() override {
        LadderWindowFixture::SetUp();
        m_window = open();
    }
    // The key opens a dialog that gets the text.
    void typeIntoDialog(int k, const QString& text) {
        test::answerDialogs({text});
        key(k);
        QApplication::processEvents();
    }
    // Where keys go once the window system has handled the activation the
    // view asked for.
    QWidget* focus() {
        QApplication::processEvents();
        return QApplication::focusWidget();
    }
};

// Contacts, coils and boxes typed in: the daily shell test.
TEST_F(LadderKeyboardTest, CursorKeysStopAtABoxAndDeleteRowTakesItsCommentInOneStep) {
    // The default program: END1 in row 1, END2 in row 2.
    key(Qt::Key_Left);
    EXPECT_EQ(view().cursor(), (CellPos{1, 1}));
    key(Qt::Key_Right);
    EXPECT_EQ(view().cursor(), (CellPos{1, 1})) << "a box ends the row";
    view().editor().setCursor({3, 1});
    for (int i = 0; i < 9; ++i)
        key(Qt::Key_Tab);
    EXPECT_EQ(view().cursor(), (CellPos{3, 8}));
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(view().cursor(), (CellPos{3, 7}));
    EXPECT_EQ(focus(), &view()) << "Tab is no way out of the ladder";

    auto& doc = m_window->document();
    view().setSelection({1, 1, 1, 1});
    view().action(Command::InsertRow)->trigger();
    view().action(Command::InsertRow)->trigger();
    key(Qt::Key_Home);
    typeIntoDialog(Qt::Key_F1, QStringLiteral("X1"));
    doc.setRowComment(1, "first");
    doc.setRowComment(2, "second");
    const core::plc::LadderGrid before = doc.grid();

    view().editor().setCursor({1, 1});
    key(Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc.rowComment(1), "second");
    EXPECT_EQ(cell(1, 1), nullptr);
    EXPECT_EQ(cell(2, 1)->kind, 19) << "END1 moved up";
    EXPECT_EQ(doc.undoStack().undoText(), "删除一行");

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(doc.grid() == before);
    EXPECT_EQ(doc.rowComment(1), "first");
    EXPECT_EQ(doc.rowComment(2), "second");
}

// Answers the PDF file dialog with a fixed path and keeps what it proposed.
class PdfFileAnswer final : public LadderDialogs {
public:
    explicit PdfFileAnswer(QString answer) : m_answer(std::move(answer)) {}
    std::optional<QString> pdfFile(const QString& suggested, QWidget*) override {
        proposed = suggested;
        return m_answer;
    }
    QString proposed;

private:
    QString m_answer;
};

TEST_F(LadderKeyboardTest, ExportPdfWritesThePrintoutWithoutThePrintDialog) {
    const std::string pdf = (m_folder / "ladder.pdf").string();
    auto dialogs = std::make_unique<PdfFileAnswer>(QString::fromStdString(pdf));
    PdfFileAnswer& answer = *dialogs;
    m_window = open(std::move(dialogs));
    view().action(Command::ExportPdf)->trigger();
    EXPECT_EQ(answer.proposed.toStdString(), (m_folder / "plc.pdf").string());
    const std::string bytes = test::fileBytes(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Type /Page"), std::string::npos);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(focus(), &view());

    // A folder that cannot be written is reported.
    m_window = open(std::make_unique<PdfFileAnswer>(QStringLiteral("/nonexistent/dir/x.pdf")));
    view().action(Command::ExportPdf)->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "PDF文件写入失败: /nonexistent/dir/x.pdf");
}

TEST_F(LadderKeyboardTest, CrossReferenceOfTheDemoFiltersWarnsJumpsAndFollowsEdits) {
    m_window.reset();
    std::filesystem::copy_file(KELCC_DEMO_DIR "/main_LatheDemo.ldx", m_path,
                               std::filesystem::copy_options::overwrite_existing);
    m_window = open();
    // The demo's program compiles cleanly, as ./run.sh --demo opens it.
    key(Qt::Key_F9);
    ASSERT_FALSE(m_bench.output().isEmpty());
    EXPECT_EQ(m_bench.output().last(), QStringLiteral("编译成功 : 0 错误, 0 警告."));
    view().action(Command::CrossReference)->trigger();
    CrossReferenceWindow* xref = view().crossReferenceWindow();
    ASSERT_NE(xref, nullptr);
    ASSERT_TRUE(xref->isVisible());
    QTreeWidget* tree = xref->tree();
    ASSERT_GT(tree->topLevelItemCount(), 20);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("A0000.0"));
    const QString warning =
        QStringLiteral("警告: R0099.0 被读取但从未写入: 行28列1, 行29列1, 行30列1");
    ASSERT_GE(xref->warnings()->count(), 1);
    EXPECT_EQ(xref->warnings()->item(0)->text(), warning);

    QTest::keyClicks(xref->filterField(), "y0000.2");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* address = tree->topLevelItem(0);
    ASSERT_EQ(address->childCount(), 3) << "ALT, SET and RST";
    QTreeWidgetItem* set = address->child(1);
    EXPECT_EQ(set->text(1), QStringLiteral("19"));
    EXPECT_EQ(set->text(3), QStringLiteral("写"));
    EXPECT_EQ(set->text(4), QStringLiteral("SET"));

    emit tree->itemDoubleClicked(set, 0);
    EXPECT_EQ(view().cursor().row, 19);
    EXPECT_EQ(focus(), &view());

    // An edit shows at once: the row goes, the places below move up.
    view().editor().setCursor({1, 1});
    key(Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(1), QStringLiteral("18"));
}

TEST_F(LadderKeyboardTest, DraftOfALadderThatDoesNotCompileIsOfferedAtTheNextOpen) {
    const std::string program = test::fileBytes(m_path);
    view().setSelection({1, 1, 1, 1});
    view().action(Command::InsertRow)->trigger();
    key(Qt::Key_Home);
    typeIntoDialog(Qt::Key_F1, QStringLiteral("X7"));  // leads nowhere
    m_window->document().setRowComment(1, "half done");
    view().action(Command::SaveDraft)->trigger();
    EXPECT_EQ(test::fileBytes(m_path), program) << "the program file stays as it was";
    ASSERT_TRUE(std::filesystem::exists(m_path + ".draft"));
    EXPECT_TRUE(m_window->isModified());

    // Reopened: the draft is newer than the program and comes back.
    m_window.reset();
    m_bench.project().documents().forget(m_path);
    m_bench.recording().script({core::common::Answer::Yes});
    m_window = open();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "此程序有一份比程序文件新的草稿, 是否打开草稿?");
    ASSERT_NE(cell(1, 1), nullptr);
    EXPECT_EQ(cell(1, 1)->text, "X0007.0");
    EXPECT_EQ(m_window->document().rowComment(1), "half done");
    EXPECT_TRUE(m_window->isModified()) << "it is not the program file";
    EXPECT_FALSE(m_window->document().undoStack().canUndo());

    // A program saved after the draft is not asked about.
    m_window.reset();
    m_bench.project().documents().forget(m_path);
    std::filesystem::last_write_time(
        m_path, std::filesystem::last_write_time(m_path + ".draft") + std::chrono::seconds(2));
    m_window = open();
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(cell(1, 1)->kind, 19) << "END1 of the program file";
}

TEST_F(LadderKeyboardTest, ToolbarShowsEveryToolAsAnImageNamingItsKey) {
    // The ladder window's share of a 1024 pixel screen beside the tree.
    m_window->resize(760, 500);
    QApplication::processEvents();
    QToolBar* bar = m_window->toolBar();
    const auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(more, nullptr);
    EXPECT_FALSE(more->isVisible()) << "no tool overflows";
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) continue;
        EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
        EXPECT_TRUE(bar->widgetForAction(action)->isVisible()) << action->text().toStdString();
    }
    EXPECT_EQ(view().action(Command::Contact)->toolTip(), QStringLiteral("触点 (F1)"));
}

}  // namespace
}  // namespace kelcc::ui
