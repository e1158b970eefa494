// The ladder drawn with the keyboard alone, through the real dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/default_files.h"
#include "fake_workbench.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/cross_reference_window.h"
#include "ladder_editor/ladder_dialogs.h"
#include "ladder_editor/ladder_view.h"
#include "ladder_editor/ladder_window.h"

namespace kelcc::ui {
namespace {

using core::ladder_editor::CellPos;
using Command = LadderView::Command;

class LadderKeyboardTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("kelcc_keys_" + std::to_string(::getpid()) + "_" +
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

    // The workbench's own dialogs unless the test gives others.
    std::unique_ptr<LadderWindow> open(std::unique_ptr<LadderDialogs> dialogs = nullptr) {
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
    // The key opens a dialog; the text is typed where its focus starts and
    // Enter pressed there. Returns the class of the widget that had it.
    QString typeIntoDialog(int k, const QString& text,
                           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QString focusClass;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) return;
            QWidget* field = dialog->focusWidget();
            if (field == nullptr) {
                dialog->close();
                return;
            }
            focusClass = QString::fromLatin1(field->metaObject()->className());
            QTest::keyClicks(field, text);
            QTest::keyClick(field, Qt::Key_Return);
            // A refused OK leaves the dialog open.
            if (dialog->isVisible()) dialog->close();
        });
        key(k, modifiers);
        QApplication::processEvents();
        return focusClass;
    }
    // Where keys go once the window system has handled the activation the
    // view asked for.
    QWidget* focus() {
        QApplication::processEvents();
        return QApplication::focusWidget();
    }
    const core::plc::LadderCell* cell(int row, int column) {
        return m_window->document().cell(row, column);
    }

    test::FakeWorkbench m_bench;
    core::ladder_editor::CopyBuffer m_buffer;
    std::filesystem::path m_folder;
    std::string m_path;
    std::unique_ptr<LadderWindow> m_window;
};

TEST_F(LadderKeyboardTest, ContactEnterEditCoilCompileAndSaveWithTheFocusBackEachTime) {
    view().setSelection({1, 1, 1, 1});
    view().action(Command::InsertRow)->trigger();
    key(Qt::Key_Home);

    EXPECT_EQ(typeIntoDialog(Qt::Key_F1, QStringLiteral("x0.1")), QStringLiteral("QLineEdit"));
    ASSERT_TRUE(m_bench.recording().messages().empty())
        << m_bench.recording().messages().front().text;
    ASSERT_NE(cell(1, 1), nullptr);
    EXPECT_EQ(cell(1, 1)->text, "X0000.1");
    EXPECT_EQ(focus(), &view());

    // Back onto the contact; Enter opens its dialog as a double click does.
    key(Qt::Key_Left);
    EXPECT_EQ(view().cursor(), (CellPos{1, 1}));
    typeIntoDialog(Qt::Key_Return, QStringLiteral("X3"));
    EXPECT_EQ(cell(1, 1)->text, "X0003.0");
    EXPECT_EQ(focus(), &view());
    EXPECT_EQ(view().cursor(), (CellPos{1, 2})) << "past the changed contact";

    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(view().cursor(), (CellPos{1, 1}));
    key(Qt::Key_Tab);
    EXPECT_EQ(view().cursor(), (CellPos{1, 2}));
    EXPECT_EQ(typeIntoDialog(Qt::Key_F2, QStringLiteral("Y2")), QStringLiteral("QLineEdit"));
    EXPECT_EQ(cell(1, 8)->text, "Y0002.0");
    EXPECT_EQ(focus(), &view());

    // Go-to keeps the keyboard working afterwards too.
    typeIntoDialog(Qt::Key_G, QStringLiteral("2"), Qt::ControlModifier);
    EXPECT_EQ(focus(), &view());
    EXPECT_EQ(view().cursor().row, 2);

    key(Qt::Key_F9);
    ASSERT_FALSE(m_bench.output().isEmpty());
    EXPECT_EQ(m_bench.output().last(), QStringLiteral("编译成功 : 0 错误, 0 警告."));
    ASSERT_TRUE(m_window->saveSilently());
    m_window = open();
    const auto& il = m_window->document().il();
    ASSERT_GE(il.size(), 2u);
    EXPECT_EQ(il[0].text, "LD      X0003.0");
    EXPECT_EQ(il[1].text, "OUT     Y0002.0");
}

TEST_F(LadderKeyboardTest, CursorKeysStayInTheRowAndStopAtAFunctionBox) {
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
}

TEST_F(LadderKeyboardTest, DeleteRowTakesItsCommentAndIsOneUndoStep) {
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

    // Offered in the Edit menu beside insert row.
    const QList<QAction*> edit = m_window->menuActions(DocumentWindow::MenuSlot::Edit);
    const qsizetype insert = edit.indexOf(view().action(Command::InsertRow));
    ASSERT_GE(insert, 0);
    EXPECT_EQ(edit.value(insert + 1), view().action(Command::DeleteRow));
    EXPECT_EQ(view().action(Command::DeleteRow)->text(), QStringLiteral("删除一行"));
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
    const QList<QAction*> plc = m_window->menuActions(DocumentWindow::MenuSlot::Plc);
    QAction* exportPdf = view().action(Command::ExportPdf);
    ASSERT_TRUE(plc.contains(exportPdf));
    EXPECT_EQ(exportPdf->text(), QStringLiteral("导出PDF..."));

    exportPdf->trigger();
    EXPECT_EQ(answer.proposed.toStdString(), (m_folder / "plc.pdf").string());
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_NE(bytes.find("/Type /Page"), std::string::npos);
    EXPECT_TRUE(m_bench.recording().messages().empty());
    EXPECT_EQ(focus(), &view());

    // A folder that cannot be written is reported.
    m_window = open(std::make_unique<PdfFileAnswer>(QStringLiteral("/nonexistent/dir/x.pdf")));
    view().action(Command::ExportPdf)->trigger();
    ASSERT_EQ(m_bench.recording().messages().size(), 1u);
    EXPECT_EQ(m_bench.recording().messages()[0].text, "PDF文件写入失败: /nonexistent/dir/x.pdf");
}

TEST_F(LadderKeyboardTest, CrossReferenceOfTheDemoFiltersWarnsJumpsAndFollowsEdits) {
    m_window.reset();
    std::filesystem::copy_file(KELCC_DEMO_DIR "/main_LatheDemo.ldx", m_path,
                               std::filesystem::copy_options::overwrite_existing);
    m_window = open();
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
    const auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    };
    const std::string program = read(m_path);
    view().setSelection({1, 1, 1, 1});
    view().action(Command::InsertRow)->trigger();
    key(Qt::Key_Home);
    typeIntoDialog(Qt::Key_F1, QStringLiteral("X7"));  // leads nowhere
    m_window->document().setRowComment(1, "half done");
    const QList<QAction*> plc = m_window->menuActions(DocumentWindow::MenuSlot::Plc);
    ASSERT_TRUE(plc.contains(view().action(Command::SaveDraft)));
    view().action(Command::SaveDraft)->trigger();
    EXPECT_EQ(read(m_path), program) << "the program file stays as it was";
    ASSERT_TRUE(std::filesystem::exists(m_path + ".draft"));
    EXPECT_TRUE(m_window->isModified());

    // Reopened: the draft is newer than the program and comes back.
    m_window.reset();
    m_bench.project().documents().forget(m_path);
    m_bench.recording().script({core::common::Answer::Yes});
    m_window = open();
    ASSERT_EQ(m_bench.recording().messages().size(), 1u);
    EXPECT_EQ(m_bench.recording().messages()[0].text,
              "此程序有一份比程序文件新的草稿, 是否打开草稿?");
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
    EXPECT_EQ(m_bench.recording().messages().size(), 1u);
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
    EXPECT_EQ(view().action(Command::HorizontalLink)->toolTip(),
              QStringLiteral("添加连接横线 (F4)"));
    EXPECT_EQ(view().action(Command::Find)->toolTip(), QStringLiteral("查找 (Ctrl+F)"));
    EXPECT_EQ(view().action(Command::DeleteElement)->toolTip(), QStringLiteral("删除选择区域"));
}

}  // namespace
}  // namespace kelcc::ui
