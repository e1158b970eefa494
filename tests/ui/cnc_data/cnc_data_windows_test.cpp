#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QValidator>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cnc_data/bit_edit.h"
#include "cnc_data/cnc_data_window_kinds.h"
#include "cnc_data/cnc_table_window.h"
#include "cnc_data/function_pane.h"
#include "cnc_data/parameter_panel.h"
#include "cnc_data/parameter_window.h"
#include "demo_window_test.h"
#include "tables/table_item_model.h"

namespace kelcc::ui {
namespace {

namespace fs = std::filesystem;
using core::app::ProjectItemType;
using Entry = core::app::ProjectTree::Entry;

class NoDialogs final : public WorkbenchDialogs {};

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class CncDataWindowsTest : public test::DemoWindowTest {
protected:
    void SetUp() override {
        start({Type::Parameters, Type::ToolOffsets, Type::PitchCompensation},
              registerCncDataWindowKinds, m_dialogs);
    }
    static void type(TableView* view, int row, int column, const QString& text) {
        ASSERT_NE(DemoWindowTest::type(view, row, column, text, true), nullptr);
    }

    NoDialogs m_dialogs;
};

TEST_F(CncDataWindowsTest, TableWindowsNormaliseUndoAndSave) {
    struct Case {
        Entry entry;
        const char* file;
        int rows;
        const char* typed;
        const char* refusedKey;
        const char* shown;
        const char* line;  // the row's line in the saved file
    };
    const Case cases[] = {
        {Entry::ToolOffsets, "Tcomp.cmp", 33, "1234.5", "a", "999.999",
         "0005\t999.999\t\t0.000\t0.000\t0.000\r\n"},
        {Entry::PitchCompensation, "Wcomp.wmp", 256, "-300", "5-", "-255", "0005\t-255\t\t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const bool wasModified = projectModified();
        auto* window = open<CncTableWindow>(c.entry);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(projectModified(), wasModified);
        EXPECT_FALSE(window->isWindowModified());
        TableView* view = window->table();
        ASSERT_EQ(view->model()->rowCount(), c.rows);

        const QModelIndex cell = view->model()->index(5, 1);
        const QString before = cell.data().toString();
        view->setCurrentIndex(cell);
        view->edit(cell);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QString text = QString::fromUtf8(c.refusedKey);
        int pos = 0;
        EXPECT_EQ(editor->validator()->validate(text, pos), QValidator::Invalid);
        QTest::keyClick(editor, Qt::Key_Escape);
        leaveEditor();

        type(view, 5, 1, QString::fromUtf8(c.typed));
        EXPECT_EQ(cell.data().toString(), QString::fromUtf8(c.shown));
        EXPECT_TRUE(window->isWindowModified());
        EXPECT_TRUE(projectModified());
        window->undoAction()->trigger();
        EXPECT_EQ(cell.data().toString(), before);
        EXPECT_FALSE(window->isWindowModified());
        window->redoAction()->trigger();
        ASSERT_TRUE(window->saveSilently());
        EXPECT_NE(fileText(m_folder / c.file).find(c.line), std::string::npos);
        EXPECT_FALSE(window->isWindowModified());
    }
    EXPECT_TRUE(m_recorder.messages().empty());
}

TEST_F(CncDataWindowsTest, AFileOfUnknownFormatIsReportedAndOpensNothing) {
    for (const char* file : {"Tcomp.cmp", "Wcomp.wmp", "ParaW.par"}) {
        SCOPED_TRACE(file);
        const std::string bytes = fileText(m_folder / file);
        std::ofstream(m_folder / file, std::ios::binary) << "\x01\x02" << bytes.substr(2);
    }
    const Entry entries[] = {Entry::ToolOffsets, Entry::PitchCompensation, Entry::Parameters};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto before = m_recorder.messages().size();
        emit m_window->treePane()->itemDoubleClicked(m_window->treePane()->itemFor(entries[i]), 0);
        EXPECT_EQ(m_window->mdiArea()->subWindowList().size(), 0);
        ASSERT_EQ(m_recorder.messages().size(), before + 1) << i;
        EXPECT_EQ(m_recorder.messages().back().text, "未知的文件数据格式");
    }
}

// 0015 is unsigned, three digits, 1-255: the table row and the group field
// take the rule of the model, and both go into the file and the history.
TEST_F(CncDataWindowsTest, ParameterRowAndGroupFieldNormaliseAndAreSaved) {
    auto* window = open<ParameterWindow>(Entry::Parameters);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(projectModified());
    TableView* view = window->table();
    ASSERT_EQ(view->model()->rowCount(), 200);
    const int row = window->tableModel().rowOfNumber(15);
    type(view, row, 1, QStringLiteral("999"));
    EXPECT_EQ(view->model()->index(row, 1).data().toString(), "255");
    EXPECT_TRUE(projectModified());
    // The by-function pane shows the parameter of the table's row.
    EXPECT_EQ(window->functionPane()->panel()->number(), 15);
    // Rows 0155-0163 cannot be edited.
    const QModelIndex locked = view->model()->index(window->tableModel().rowOfNumber(160), 1);
    EXPECT_FALSE(locked.flags() & Qt::ItemIsEditable);
    ASSERT_TRUE(window->saveSilently());
    EXPECT_NE(fileText(m_folder / "ParaW.par")
                  .find("\x06"
                        "0000\t255\r\n"),
              std::string::npos);
    window->undoAction()->trigger();
    EXPECT_EQ(view->model()->index(row, 1).data().toString(), "1");
    EXPECT_TRUE(window->isWindowModified());

    FunctionPane* pane = window->functionPane();
    pane->tree()->setCurrentItem(pane->tree()->topLevelItem(0)->child(1));
    auto* field = qobject_cast<QLineEdit*>(pane->grid()->cellWidget(0, 1));
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("9x-99"));
    EXPECT_EQ(field->text(), "999");  // letters, a late '-' and a fourth digit are refused
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "255");
    EXPECT_EQ(view->model()->index(row, 1).data().toString(), "255");
    window->undoAction()->trigger();
    EXPECT_EQ(view->model()->index(row, 1).data().toString(), "1");

    // The filter narrows the table while typing; what matches is the model's.
    QTest::keyClicks(window->filterBox(), QStringLiteral("0164"));
    EXPECT_EQ(view->model()->rowCount(), 1);
    window->filterBox()->clear();
    EXPECT_EQ(view->model()->rowCount(), 200);
}

TEST_F(CncDataWindowsTest, BitControlTogglesMovesOffTheByteAndUndoes) {
    auto* window = open<ParameterWindow>(Entry::Parameters);
    ASSERT_NE(window, nullptr);
    TableView* view = window->table();
    const QModelIndex cell = view->model()->index(window->tableModel().rowOfNumber(1), 1);
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* bits = view->viewport()->findChild<BitEdit*>();
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(bits->text(), "00000000");
    // The cursor starts on BIT0, the rightmost character.
    QTest::keyClick(bits, Qt::Key_Return);
    EXPECT_EQ(cell.data().toString(), "00000001");
    leaveEditor();
    ASSERT_EQ(view->viewport()->findChild<BitEdit*>(), bits);  // Enter keeps it open
    QTest::keyClick(bits, Qt::Key_Left);
    EXPECT_EQ(bits->cursorBit(), 1);
    EXPECT_TRUE(window->functionPane()->panel()->bitLabel(1)->font().bold());
    // A double click on the first character toggles BIT7.
    QTest::mouseDClick(bits, Qt::LeftButton, {}, QPoint(6, bits->height() / 2));
    EXPECT_EQ(cell.data().toString(), "10000001");
    EXPECT_EQ(bits->cursorBit(), 7);
    for (int bit = 7; bit >= 0; --bit)
        QTest::keyClick(bits, Qt::Key_Right);
    leaveEditor();
    // Right at BIT0 leaves the byte for the next cell.
    EXPECT_EQ(view->currentIndex(), view->model()->index(cell.row(), 2));
    EXPECT_EQ(view->viewport()->findChild<BitEdit*>(), nullptr);

    // Two toggles, two steps; Ctrl+Z in the by-function pane undoes.
    window->functionPane()->grid()->setFocus();
    QTest::keyClick(window->functionPane()->grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell.data().toString(), "00000001");
    EXPECT_EQ(window->functionPane()->panel()->bitEdit()->text(), "00000001");
    window->undoAction()->trigger();
    EXPECT_EQ(cell.data().toString(), "00000000");
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(CncDataWindowsTest, PanesSelectTheSameParameterInBothRoots) {
    auto* window = open<ParameterWindow>(Entry::Parameters);
    ASSERT_NE(window, nullptr);
    FunctionPane* pane = window->functionPane();
    QTreeWidgetItem* top = pane->tree()->topLevelItem(0);
    // Group 1 holds 0015-0018; its second item selects table row 0016.
    pane->tree()->setCurrentItem(top->child(1));
    ASSERT_EQ(pane->grid()->rowCount(), 4);
    pane->grid()->setCurrentCell(1, 0);
    EXPECT_EQ(window->tableModel().numberAt(window->table()->currentIndex().row()), 16);
    EXPECT_EQ(pane->panel()->number(), 16);

    // A switch item is a choice of its two options, stored as its bit.
    pane->tree()->setCurrentItem(top->child(0));
    auto* choice = qobject_cast<QComboBox*>(pane->grid()->cellWidget(2, 1));
    ASSERT_NE(choice, nullptr);
    choice->setCurrentIndex(1);
    emit choice->activated(1);
    EXPECT_EQ(window->tableModel().table().bitOf(8, 0), 1);

    // The by-number root: selecting in the table selects the tree's leaf.
    pane->rootChoice()->setCurrentIndex(1);
    top = pane->tree()->topLevelItem(0);
    ASSERT_EQ(top->childCount(), 2);
    window->selectNumber(20);
    EXPECT_EQ(pane->tree()->currentItem(), top->child(1)->child(5));
    pane->tree()->setCurrentItem(top->child(0)->child(2));
    EXPECT_EQ(window->tableModel().numberAt(window->table()->currentIndex().row()), 3);
}

TEST_F(CncDataWindowsTest, ReloadRereadsOnceAndTheLastWindowAsks) {
    auto* first = open<CncTableWindow>(Entry::ToolOffsets);
    ASSERT_NE(first, nullptr);
    // A second window over the same document, as a second view.
    const std::string path = (m_folder / "Tcomp.cmp").string();
    CncTableWindow second(m_window->workbench(), path, ProjectItemType::ToolOffsets);
    ASSERT_TRUE(second.load());
    EXPECT_EQ(&second.tableDocument(), &first->tableDocument());
    const QModelIndex cell = second.table()->model()->index(1, 1);
    EXPECT_EQ(cell.data().toString(), "-12.350");

    // A receive replaced the file: both views show the new line, and the
    // history of the old content is gone.
    type(first->table(), 2, 1, QStringLiteral("7"));
    std::string bytes = fileText(m_folder / "Tcomp.cmp");
    bytes.replace(bytes.find("-12.350"), 7, "-11.000");
    std::ofstream(m_folder / "Tcomp.cmp", std::ios::binary) << bytes;
    ASSERT_TRUE(m_window->reloadDocument(path, ProjectItemType::ToolOffsets));
    EXPECT_EQ(cell.data().toString(), "-11.000");
    EXPECT_EQ(first->table()->model()->index(1, 1).data().toString(), "-11.000");
    EXPECT_FALSE(first->undoAction()->isEnabled());

    // Only the last window of a modified document asks; No drops the edit.
    type(second.table(), 3, 1, QStringLiteral("2"));
    m_window->mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_recorder.messages().empty());
    m_recorder.script({core::common::Answer::No});
    EXPECT_TRUE(second.queryClose());
    ASSERT_EQ(m_recorder.messages().size(), 1u);
    EXPECT_EQ(m_recorder.messages().back().text, "文件数据已被改变,保存文件吗?");
    EXPECT_EQ(fileText(m_folder / "Tcomp.cmp"), bytes);
}

}  // namespace
}  // namespace kelcc::ui
