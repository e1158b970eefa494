#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <QValidator>
#include <memory>

#include "app/main_window.h"
#include "app/plc_properties_dialog.h"
#include "app/workbench.h"
#include "common/text_codec.h"
#include "demo_window_test.h"
#include "ladder_editor/ladder_view.h"
#include "ladder_editor/ladder_window.h"
#include "ladder_editor/ladder_window_kind.h"
#include "plc/program_file.h"
#include "plc_tables/alarm_table_model.h"
#include "plc_tables/data_tables_window.h"
#include "plc_tables/information_window.h"
#include "plc_tables/io_comment_add_dialog.h"
#include "plc_tables/io_comment_find_dialog.h"
#include "plc_tables/io_comment_model.h"
#include "plc_tables/k_value_dialog.h"
#include "plc_tables/plc_table_window_kinds.h"
#include "tables/table_view.h"

namespace kelcc::ui {
namespace {

std::string gbk(const char* utf8) {
    return core::common::TextCodec::utf8ToGbk(utf8).text;
}

class PlcTableWindowsTest : public test::DemoWindowTest {
protected:
    void SetUp() override {
        openDemo({Type::PlcProgram, Type::PlcInformation, Type::PlcDataTables}, [] {
            registerLadderWindowKind();
            registerPlcTableWindowKinds();
        });
    }
    std::string program() const { return (m_folder / "main_LatheDemo.ldx").string(); }
    // The program file as saved; its project texts go into m_savedProject.
    const core::plc::PlcDocument& reread() {
        m_saved = std::make_unique<core::plc::PlcDocument>(m_savedProject);
        core::common::RecordingInteraction ui;
        EXPECT_EQ(core::plc::ProgramFile::readFile(program(), *m_saved, ui).result, 0);
        return *m_saved;
    }
    core::plc::SimpleProjectState m_savedProject;
    std::unique_ptr<core::plc::PlcDocument> m_saved;
};

// The ladder and the tables share one document and its history.
TEST_F(PlcTableWindowsTest, DataTablesEditPasteUndoSaveAndReopenInTheLaddersDocument) {
    auto* ladder = open<LadderWindow>(Entry::LadderProgram);
    ASSERT_NE(ladder, nullptr);
    auto* window = open<DataTablesWindow>(Entry::DataTables);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(&window->plcDocument(), &ladder->document());
    TableView* d = window->page(0);
    ASSERT_EQ(d->model()->rowCount(), 1000);
    EXPECT_EQ(d->fixedColumn()->model()->index(999, 0).data().toString(), "D0999");

    // The value editor takes three digits and nothing else.
    const QModelIndex value = d->model()->index(5, 1);
    d->setCurrentIndex(value);
    d->edit(value);
    auto* editor = d->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 3);
    QString text = QStringLiteral("7a");
    int pos = 0;
    EXPECT_EQ(editor->validator()->validate(text, pos), QValidator::Invalid);
    QTest::keyClicks(editor, QStringLiteral("77"));
    QTest::keyClick(editor, Qt::Key_Return);
    leaveEditor();
    EXPECT_EQ(window->plcDocument().dTable()[5].value, 77);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(ladder->isWindowModified());
    EXPECT_EQ(window->undoAction()->text(), QStringLiteral("撤消 数据值(&U)"));
    // One history: the ladder's undo takes the table's edit back.
    QAction* ladderUndo = ladder->view().action(LadderView::Command::Undo);
    EXPECT_EQ(ladderUndo->text(), window->undoAction()->text());
    ladderUndo->trigger();
    EXPECT_EQ(value.data().toString(), "0");
    window->redoAction()->trigger();
    EXPECT_EQ(value.data().toString(), "77");

    // A paste keeps the good cells in one step, with one message.
    d->setCurrentIndex(d->model()->index(20, 1));
    d->pasteText(QStringLiteral("1\t进给\n300\tx\n3\t\n"));
    const auto& table = window->plcDocument().dTable();
    EXPECT_EQ(table[20].value, 1);
    EXPECT_EQ(table[21].value, 0);  // 300 is no byte
    EXPECT_EQ(table[21].commentZh, "x");
    EXPECT_EQ(table[22].value, 3);
    EXPECT_EQ(messages(),
              std::vector<std::string>{"1 个单元格未粘贴:\n数据值必须为0～255. (1 个)"});
    EXPECT_EQ(window->undoAction()->text(), QStringLiteral("撤消 粘贴(&U)"));
    window->undoAction()->trigger();
    EXPECT_EQ(table[20], core::plc::DataByteRecord{});
    EXPECT_EQ(table[22].value, 0);

    // A new maximum pulls the value down and the view redraws it; a cell
    // message reaches the user (the rules: the core's DataTableModel).
    window->pages()->setCurrentIndex(1);
    TableView* dc = window->page(1);
    ASSERT_NE(type(dc, 5, 1, "500"), nullptr);
    type(dc, 5, 2, "100");
    EXPECT_EQ(dc->model()->index(5, 1).data().toString(), "100");
    type(dc, 6, 5, QStringLiteral("Lamp灯"));
    EXPECT_EQ(messages().back(), "英文注释必须输入英文字符.");
    // The ladder still shows the document: no question.
    EXPECT_TRUE(window->queryClose());
    EXPECT_EQ(messages().size(), 2u);

    ASSERT_TRUE(window->saveSilently());
    EXPECT_FALSE(window->isWindowModified());
    const core::plc::PlcDocument& saved = reread();
    EXPECT_EQ(saved.dTable()[5].value, 77);
    EXPECT_EQ(saved.dcTable()[5].value, 100u);
    EXPECT_EQ(saved.dcTable()[6].commentEn, "Lamp");
}

TEST_F(PlcTableWindowsTest, InformationWindowMessagesAndCommentRows) {
    auto* window = open<InformationWindow>(Entry::InformationTable);
    ASSERT_NE(window, nullptr);
    TableView* alarms = window->alarmPage();
    EXPECT_EQ(alarms->model()->index(3, 2).data().toString(), "换刀超时,请检查刀架");
    type(alarms, 8, 1, "999");
    // 1000 was the demo's already: the number stays out.
    EXPECT_EQ(messages(),
              (std::vector<std::string>{core::plc_tables::AlarmTableModel::kTooSmallText,
                                        "信息号 1000 已存在,请另设置一个."}));
    EXPECT_EQ(alarms->model()->index(8, 1).data().toString(), "");
    type(alarms, 8, 1, "1010");
    EXPECT_EQ(window->plcDocument().alarms().back(), "A0001.0\t1010\t");

    // The comment page: insert, renumber, delete, through the menu.
    window->pages()->setCurrentIndex(1);
    TableView* comments = window->commentPage();
    const int rows = comments->model()->rowCount();
    std::unique_ptr<QMenu>(window->commentMenu(0))->actions().at(0)->trigger();  // insert above
    EXPECT_EQ(comments->model()->rowCount(), rows + 1);
    EXPECT_EQ(window->plcDocument().ioComments().front().substr(0, 12), "0002\tX0000.0");
    type(comments, 0, 1, "X0000.0");
    EXPECT_EQ(messages().back(), "关于地址 X0000.0 的注释已存在.");
    comments->edit(comments->model()->index(0, 1));
    auto* address = comments->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(address, nullptr);
    QTest::keyClicks(address, "d5");
    EXPECT_EQ(address->text(), "D5");
    QTest::keyClick(address, Qt::Key_Return);
    leaveEditor();
    EXPECT_EQ(messages().back(), "输入必须为X,Y,R,K,C,T地址!");
    std::unique_ptr<QMenu>(window->commentMenu(0))->actions().at(2)->trigger();  // delete
    EXPECT_EQ(window->plcDocument().ioComments().front().substr(0, 12), "0001\tX0000.0");
    // Undo puts the empty row back, and the view follows.
    window->undoAction()->trigger();
    EXPECT_EQ(comments->model()->rowCount(), rows + 1);
    window->redoAction()->trigger();
    EXPECT_EQ(comments->model()->rowCount(), rows);

    // Add by address, symbol and comment; then find it again.
    IoCommentAddDialog add(window->comments(), m_window->workbench().interaction());
    add.addressEdit()->setText("r12.1");
    add.symbolEdit()->setText("ALM");
    add.commentEdit()->setText(QStringLiteral("报警"));
    add.accept();
    ASSERT_EQ(add.result(), QDialog::Accepted);
    EXPECT_EQ(window->plcDocument().ioComments().back(),
              QStringLiteral("%1\tR0012.1\t").arg(rows, 4, 10, QLatin1Char('0')).toStdString() +
                  gbk("报警") + "\tALM");
    QTimer::singleShot(0, [&] {
        auto* find = qobject_cast<IoCommentFindDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(find, nullptr);
        find->kind()->setCurrentIndex(2);
        find->query()->setText("alm");
        EXPECT_EQ(find->findNext(), rows - 1);
        find->query()->setText(QStringLiteral("不存在"));
        EXPECT_EQ(find->findNext(), -1);
        find->reject();
    });
    window->findComment();
    EXPECT_EQ(comments->currentIndex().row(), rows - 1);
    EXPECT_EQ(messages().back(), core::plc_tables::IoCommentModel::kNotFoundText);

    ASSERT_TRUE(window->saveSilently());
    const core::plc::PlcDocument& saved = reread();
    EXPECT_EQ(saved.alarms(), window->plcDocument().alarms());
    EXPECT_EQ(saved.ioComments(), window->plcDocument().ioComments());
}

TEST_F(PlcTableWindowsTest, KValuesAndProgramInformationDialogsFromTheTree) {
    // OK stores the bits as one step; Cancel leaves the table.
    m_dialogs.kValuesDriver = [](KValueDialog& dialog) {
        EXPECT_EQ(dialog.tree()->topLevelItemCount(), 40);
        EXPECT_EQ(dialog.tree()->topLevelItem(39)->child(7)->text(0), "BIT7   ");
        dialog.setBit(3, 0, true);
        dialog.setBit(3, 7, true);
        EXPECT_EQ(dialog.tree()->topLevelItem(3)->text(1), "129 (81H)");
        dialog.accept();
    };
    open<QWidget>(Entry::KValues);
    const auto doc = m_window->project().documents().find<core::plc::PlcDocument>(program());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->kTable()[3], 0x81);
    EXPECT_EQ(doc->undoStack().undoText(), "K值设置");
    m_dialogs.kValuesDriver = [](KValueDialog& dialog) {
        dialog.setBit(4, 1, true);
        dialog.reject();
    };
    open<QWidget>(Entry::KValues);
    EXPECT_EQ(doc->kTable()[4], 0);

    // The Chinese texts show decoded; one outside the code page is refused.
    m_dialogs.properties = [](PlcPropertiesDialog& dialog) {
        EXPECT_EQ(dialog.edit(0)->text(), QStringLiteral("设计: 车床PLC示例"));
        dialog.edit(2)->setText(QStringLiteral("备注😀"));
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        dialog.edit(2)->setText(QStringLiteral("换刀改为六工位"));
        dialog.accept();
    };
    open<QWidget>(Entry::ProgramInformation);
    EXPECT_EQ(m_dialogs.propertiesTitle, QStringLiteral("KELCC-工程 LatheDemo : 程序版本信息"));
    EXPECT_EQ(messages(), std::vector<std::string>{PlcPropertiesDialog::kNotGbkText});
    EXPECT_EQ(m_window->project().plcInfo(0), gbk("设计: 车床PLC示例"));
    EXPECT_EQ(m_window->project().plcInfo(2), gbk("换刀改为六工位"));
    EXPECT_TRUE(doc->modified());
    ASSERT_TRUE(m_window->saveProject());
    const core::plc::PlcDocument& saved = reread();
    EXPECT_EQ(m_savedProject.plcInfo(2), gbk("换刀改为六工位"));
    EXPECT_EQ(saved.kTable()[3], 0x81);
}

// The windows in English, with the translation the build makes.
TEST_F(PlcTableWindowsTest, BothWindowKindsShowTheEnglishTranslation) {
    QTranslator english;
    ASSERT_TRUE(
        english.load(QStringLiteral("KELCC_ResENU"), QStringLiteral(KELCC_TRANSLATION_DIR)));
    QCoreApplication::installTranslator(&english);
    auto* tables = open<DataTablesWindow>(Entry::DataTables);
    ASSERT_NE(tables, nullptr);
    EXPECT_EQ(tables->windowTitle(), QStringLiteral("Data Setting Tables[*]"));

    auto* info = open<InformationWindow>(Entry::InformationTable);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->pages()->tabText(1), QStringLiteral("I/O Address Comments"));
    QCoreApplication::removeTranslator(&english);
}

}  // namespace
}  // namespace kelcc::ui
