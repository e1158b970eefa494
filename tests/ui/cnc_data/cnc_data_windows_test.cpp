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

#include "../../core/common/case_file.h"
#include "cnc_data/bit_edit.h"
#include "cnc_data/cnc_data_window_kinds.h"
#include "cnc_data/cnc_table_window.h"
#include "cnc_data/function_pane.h"
#include "cnc_data/parameter_panel.h"
#include "cnc_data/parameter_window.h"
#include "cnc_data/part_program_image.h"
#include "demo_window_test.h"
#include "file_bytes.h"

namespace kelcc::ui {
namespace {

class CncDataWindowsTest : public test::DemoWindowTest {
protected:
    void SetUp() override {
        openDemo({Type::Parameters, Type::ToolOffsets, Type::PitchCompensation},
                 registerCncDataWindowKinds);
    }
};

TEST_F(CncDataWindowsTest, TableWindowsNormaliseUndoAndSave) {
    for (const auto& c : kelcc::test::ReadCases("ui/cnc_data/cases/table_windows.txt")) {
        SCOPED_TRACE(c.where);
        const bool wasModified = projectModified();
        auto* window = open<CncTableWindow>(c[0] == "ToolOffsets" ? Entry::ToolOffsets
                                                                  : Entry::PitchCompensation);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(projectModified(), wasModified);
        EXPECT_FALSE(window->isWindowModified());
        TableView* view = window->table();
        ASSERT_EQ(view->model()->rowCount(), std::stoi(c[2]));

        const QModelIndex cell = view->model()->index(5, 1);
        const QString before = cell.data().toString();
        view->setCurrentIndex(cell);
        view->edit(cell);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QString text = QString::fromStdString(c[4]);
        int pos = 0;
        EXPECT_EQ(editor->validator()->validate(text, pos), QValidator::Invalid);
        QTest::keyClick(editor, Qt::Key_Escape);
        leaveEditor();

        ASSERT_NE(type(view, 5, 1, QString::fromStdString(c[3]), true), nullptr);
        EXPECT_EQ(cell.data().toString(), QString::fromStdString(c[5]));
        EXPECT_TRUE(window->isWindowModified());
        EXPECT_TRUE(projectModified());
        window->undoAction()->trigger();
        EXPECT_EQ(cell.data().toString(), before);
        EXPECT_FALSE(window->isWindowModified());
        window->redoAction()->trigger();
        ASSERT_TRUE(window->saveSilently());
        EXPECT_NE(test::fileBytes(m_folder / c[1]).find(c[6]), std::string::npos);
        EXPECT_FALSE(window->isWindowModified());
    }
    EXPECT_TRUE(m_recorder.messages().empty());
}

// The sample project that ./run.sh --demo opens; its tables open in the
// tests below, its PLC program in the PLC table and ladder tests.
TEST_F(CncDataWindowsTest, TheDemosPartProgramsAreListedAndReadyToSend) {
    std::vector<std::string> names;
    for (const auto& program : m_window->project().tree().enumeratePrograms()) {
        names.push_back(program.name);
        const auto prepared = core::cnc_data::PartProgramImage::PrepareProgram(
            (m_folder / (program.name + ".cnc")).string(), program.name + ".cnc");
        EXPECT_EQ(prepared.result, core::cnc_data::PartProgramImage::Result::Ok) << program.name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"O0001", "O0002"}));
}

TEST_F(CncDataWindowsTest, AFileOfUnknownFormatIsReportedAndOpensNothing) {
    const std::pair<const char*, Entry> files[] = {{"Tcomp.cmp", Entry::ToolOffsets},
                                                   {"Wcomp.wmp", Entry::PitchCompensation},
                                                   {"ParaW.par", Entry::Parameters}};
    for (const auto& [file, entry] : files) {
        SCOPED_TRACE(file);
        const std::string bytes = test::fileBytes(m_folder / file);
        std::ofstream(m_folder / file, std::ios::binary) << "\x01\x02" << bytes.substr(2);
        const auto before = m_recorder.messages().size();
        EXPECT_EQ(open<QWidget>(entry), nullptr);
        EXPECT_EQ(m_window->mdiArea()->subWindowList().size(), 0);
        ASSERT_EQ(m_recorder.messages().size(), before + 1);
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
    ASSERT_NE(type(view, row, 1, QStringLiteral("999"), true), nullptr);
    EXPECT_EQ(view->model()->index(row, 1).data().toString(), "255");
    EXPECT_TRUE(projectModified());
    // The by-function pane shows the parameter of the table's row.
    EXPECT_EQ(window->functionPane()->panel()->number(), 15);
    // Rows 0155-0163 cannot be edited.
    const QModelIndex locked = view->model()->index(window->tableModel().rowOfNumber(160), 1);
    EXPECT_FALSE(locked.flags() & Qt::ItemIsEditable);
    ASSERT_TRUE(window->saveSilently());
    const std::string saved = std::string("\x06") + "0000\t255\r\n";
    EXPECT_NE(test::fileBytes(m_folder / "ParaW.par").find(saved), std::string::npos);
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

TEST_F(CncDataWindowsTest, BitControlTogglesMovesOffTheByteUndoesAndThePanesFollowTheTable) {
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

    // The panes select the same parameter in both roots.
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
    CncTableWindow second(m_window->workbench(), path, Type::ToolOffsets);
    ASSERT_TRUE(second.load());
    EXPECT_EQ(&second.tableDocument(), &first->tableDocument());
    const QModelIndex cell = second.table()->model()->index(1, 1);
    EXPECT_EQ(cell.data().toString(), "-12.350");

    // A receive replaced the file: both views show the new line, and the
    // history of the old content is gone.
    ASSERT_NE(type(first->table(), 2, 1, QStringLiteral("7"), true), nullptr);
    std::string bytes = test::fileBytes(m_folder / "Tcomp.cmp");
    bytes.replace(bytes.find("-12.350"), 7, "-11.000");
    std::ofstream(m_folder / "Tcomp.cmp", std::ios::binary) << bytes;
    ASSERT_TRUE(m_window->reloadDocument(path, Type::ToolOffsets));
    EXPECT_EQ(cell.data().toString(), "-11.000");
    EXPECT_EQ(first->table()->model()->index(1, 1).data().toString(), "-11.000");
    EXPECT_FALSE(first->undoAction()->isEnabled());

    // Only the last window of a modified document asks; No drops the edit.
    ASSERT_NE(type(second.table(), 3, 1, QStringLiteral("2"), true), nullptr);
    m_window->mdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_recorder.messages().empty());
    m_recorder.script({core::common::Answer::No});
    EXPECT_TRUE(second.queryClose());
    ASSERT_EQ(m_recorder.messages().size(), 1u);
    EXPECT_EQ(m_recorder.messages().back().text, "文件数据已被改变,保存文件吗?");
    EXPECT_EQ(test::fileBytes(m_folder / "Tcomp.cmp"), bytes);
}

}  // namespace
}  // namespace kelcc::ui
