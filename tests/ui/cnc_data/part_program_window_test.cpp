#include "cnc_data/part_program_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <iterator>

#include "cnc_data/text_find_dialog.h"
#include "common/text_codec.h"
#include "fake_workbench.h"

namespace kelcc::ui {
namespace {

using core::common::Answer;
using core::common::TextCodec;

std::string gbk(const std::string& utf8) {
    const auto converted = TextCodec::utf8ToGbk(utf8);
    EXPECT_TRUE(converted.ok);
    return converted.text;
}

class PartProgramWindowTest : public testing::Test {
protected:
    std::string path() const { return (m_dir.path() + "/O0001.cnc").toStdString(); }

    void writeFile(const std::string& bytes) const {
        std::ofstream(path(), std::ios::binary) << bytes;
    }
    std::string readFile() const {
        std::ifstream in(path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    QTemporaryDir m_dir;
    test::FakeWorkbench m_workbench;
};

struct LineEnds {
    const char* read;
    const char* written;
};

class LineEndTest : public PartProgramWindowTest, public testing::WithParamInterface<LineEnds> {};

// The file goes through Unicode in the editor and comes back unchanged,
// Chinese comments and line ends included. Qt takes a lone CR for a line
// break; such files come back with CR LF, as the controller wants them.
TEST_P(LineEndTest, SavesTheLoadedTextBackWithItsLineEnds) {
    const auto text = [](const std::string& end) {
        return gbk("O0001" + end + "(粗车外圆 T0101)" + end + "G00 X50. Z2.");
    };
    writeFile(text(GetParam().read));
    PartProgramWindow window(m_workbench, path());
    ASSERT_TRUE(window.load());
    const bool oneLine = std::string(GetParam().read).empty();
    EXPECT_EQ(
        window.editor()->toPlainText(),
        QStringLiteral("O0001\n(粗车外圆 T0101)\nG00 X50. Z2.").replace("\n", oneLine ? "" : "\n"));
    EXPECT_FALSE(window.isModified());
    writeFile("changed on disk");
    ASSERT_TRUE(window.saveSilently());
    EXPECT_EQ(readFile(), text(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(PartProgramWindow, LineEndTest,
                         testing::Values(LineEnds{"\r\n", "\r\n"}, LineEnds{"\n", "\n"},
                                         LineEnds{"", ""}, LineEnds{"\r", "\r\n"}));

TEST_F(PartProgramWindowTest, EditingMarksWindowAndProjectModifiedAndSaveWritesCrLf) {
    writeFile("O0001\r\n");
    PartProgramWindow window(m_workbench, path());
    ASSERT_TRUE(window.load());
    EXPECT_FALSE(m_workbench.project().projectModified());
    QSignalSpy spy(&window, &DocumentWindow::modificationChanged);

    window.editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(window.editor(), "G00 X0");
    EXPECT_TRUE(window.isModified());
    EXPECT_TRUE(m_workbench.project().projectModified());
    ASSERT_EQ(spy.count(), 1);  // once, not per key
    EXPECT_TRUE(spy.at(0).at(0).toBool());

    QTest::keyClick(window.editor(), Qt::Key_Return);
    QTest::keyClicks(window.editor(), "M30");
    ASSERT_TRUE(window.saveSilently());
    EXPECT_EQ(readFile(), "O0001\r\nG00 X0\r\nM30");
    EXPECT_FALSE(window.isModified());
    EXPECT_EQ(spy.count(), 2);

    // No to the close question drops the edit without writing.
    QTest::keyClicks(window.editor(), "M02");
    m_workbench.recording().script({Answer::No});
    EXPECT_TRUE(window.queryClose());
    EXPECT_FALSE(window.isModified());
    EXPECT_EQ(readFile(), "O0001\r\nG00 X0\r\nM30");
}

// The close question is DocumentWindow's, tested through the main window and
// the CNC table windows.
TEST_F(PartProgramWindowTest, WhatGbkCannotHoldIsNeitherOpenedNorSaved) {
    writeFile("O0001\r\nG01 X\xff\r\n");
    PartProgramWindow broken(m_workbench, path());
    EXPECT_FALSE(broken.load());
    PartProgramWindow missing(m_workbench, (m_dir.path() + "/O0009.cnc").toStdString());
    EXPECT_FALSE(missing.load());

    writeFile("O0001\r\n");
    PartProgramWindow window(m_workbench, path());
    ASSERT_TRUE(window.load());
    window.editor()->setPlainText(QStringLiteral("O0001\nG01 X1 (한)\n"));
    EXPECT_FALSE(window.saveSilently());
    EXPECT_EQ(readFile(), "O0001\r\n");
    EXPECT_TRUE(window.isModified());
    EXPECT_EQ(window.editor()->textCursor().blockNumber(), 1);
    const auto& messages = m_workbench.recording().messages();
    ASSERT_EQ(messages.size(), 3U);
    EXPECT_EQ(messages[0].text, "文件 " + path() + " 含有非GBK编码的字节,不能打开.");
    EXPECT_EQ(messages[2].text, "第2行含有不能以GBK编码保存的字符,文件未保存.");
}

TEST_F(PartProgramWindowTest, EditMenuActsOnTheText) {
    writeFile("O0001\r\n");
    PartProgramWindow window(m_workbench, path());
    ASSERT_TRUE(window.load());
    EXPECT_TRUE(window.menuActions(DocumentWindow::MenuSlot::Plc).isEmpty());
    QList<QAction*> actions;
    for (QAction* action : window.menuActions(DocumentWindow::MenuSlot::Edit))
        if (!action->isSeparator()) actions.append(action);
    ASSERT_EQ(actions.size(), 7);
    QAction* undo = actions[0];
    EXPECT_FALSE(undo->isEnabled());  // loading is not an edit

    window.editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(window.editor(), "M30");
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(window.editor()->toPlainText(), QStringLiteral("O0001\n"));
    actions[4]->trigger();                 // select all
    EXPECT_TRUE(actions[2]->isEnabled());  // copy
}

TEST_F(PartProgramWindowTest, FindReplaceWithKeysThePositionAndTheModifiedMark) {
    writeFile("O0001\r\nG00 X10.\r\ng01 x20.\r\nG00 X10.");
    PartProgramWindow window(m_workbench, path());
    ASSERT_TRUE(window.load());
    window.show();
    QApplication::setActiveWindow(&window);
    QPlainTextEdit* edit = window.editor();
    edit->setFocus();
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(window.positionLabel()->text(), QStringLiteral("行 1, 列 1"));

    QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
    TextFindDialog& find = window.findDialog();
    ASSERT_TRUE(find.isVisible());
    EXPECT_FALSE(find.replaceField()->isVisible()) << "Ctrl+F only finds";
    QTest::keyClicks(find.findField(), "X20");
    QTest::keyClick(find.findField(), Qt::Key_Return);
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("x20"));
    EXPECT_EQ(window.positionLabel()->text(), QStringLiteral("行 3, 列 8"));
    find.caseBox()->setChecked(true);
    EXPECT_FALSE(find.findNext());
    EXPECT_EQ(find.status(), QStringLiteral("找不到“X20”"));
    find.caseBox()->setChecked(false);

    // Replace: one occurrence, then all of the rest as one undo step.
    QTest::keyClick(edit, Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(find.replaceField()->isVisible());
    find.findField()->setText(QStringLiteral("X10."));
    find.replaceField()->setText(QStringLiteral("X15."));
    edit->moveCursor(QTextCursor::Start);
    EXPECT_TRUE(find.findNext());
    EXPECT_TRUE(find.replace()) << "and on to the next";
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("O0001\nG00 X15.\ng01 x20.\nG00 X10."));
    EXPECT_TRUE(window.isWindowModified());
    find.findField()->setText(QStringLiteral("g0"));
    find.replaceField()->setText(QStringLiteral("G0"));
    EXPECT_EQ(find.replaceAll(), 3);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("O0001\nG00 X15.\nG01 x20.\nG00 X10."));
    edit->undo();
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("O0001\nG00 X15.\ng01 x20.\nG00 X10."));

    ASSERT_TRUE(window.saveSilently());
    EXPECT_FALSE(window.isWindowModified());
}

}  // namespace
}  // namespace kelcc::ui
