// The workbench's questions, titles, recent files and Qt's own texts as a
// daily user meets them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

#include "app/application.h"
#include "app/recovery_keeper.h"
#include "ladder_editor/ladder_recovery.h"
#include "ladder_editor/ladder_view.h"
#include "ladder_editor/ladder_window.h"
#include "ladder_editor/ladder_window_kind.h"
#include "shell_test_support.h"

namespace kelcc::ui::test {
namespace {

using core::app::ProjectTree;
using core::common::Answer;

class DailyShellTest : public testing::Test, public ShellFixture {
protected:
    DailyShellTest() { registerLadderWindowKind(); }

    LadderWindow* openLadder() {
        if (!m_window->project().openTreeEntry(ProjectTree::Entry::LadderProgram)) return nullptr;
        for (DocumentWindow* document : m_window->documents())
            if (auto* ladder = qobject_cast<LadderWindow*>(document)) return ladder;
        return nullptr;
    }
    QStringList windowMenuEntries() {
        for (QAction* entry : m_window->menuBar()->actions()) {
            if (entry->text() != QStringLiteral("窗口(&W)")) continue;
            emit entry->menu()->aboutToShow();
            QStringList texts;
            for (QAction* action : entry->menu()->actions())
                if (!action->isSeparator()) texts << action->text();
            return texts;
        }
        return {};
    }
    std::string gpr(const std::string& name) const {
        return folder() + "/" + name + "/" + name + ".gpr";
    }
};

TEST_F(DailyShellTest, ACompileThatChangesNothingLeavesExitAndOpenWithoutAQuestion) {
    createProject("other");
    ASSERT_TRUE(m_window->saveProject());
    createProject("daily");
    ASSERT_TRUE(m_window->saveProject());
    LadderWindow* ladder = openLadder();
    ASSERT_NE(ladder, nullptr);
    m_window->show();
    ladder->view().setFocus();
    QTest::keyClick(&ladder->view(), Qt::Key_F9);
    QTest::keyClick(&ladder->view(), Qt::Key_F9);
    EXPECT_FALSE(ladder->isModified());
    EXPECT_EQ(windowMenuEntries().last(), QStringLiteral("&1 PLC主程序"));

    ASSERT_TRUE(m_window->openProjectByPath(QString::fromStdString(gpr("other"))));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("KELCC - 工程:other"));
    EXPECT_TRUE(m_recorder.messages().empty()) << m_recorder.messages().front().text;
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(m_recorder.messages().empty()) << m_recorder.messages().front().text;
}

TEST_F(DailyShellTest, WindowMenuShowsTheModifiedMarkNotItsPlaceholder) {
    createProject("marks");
    LadderWindow* ladder = openLadder();
    ASSERT_NE(ladder, nullptr);
    ladder->document().setRowComment(1, "changed");
    ASSERT_TRUE(ladder->isModified());
    EXPECT_EQ(windowMenuEntries().last(), QStringLiteral("&1 PLC主程序*"));
    m_window->show();
    m_window->mdiArea()->subWindowList().front()->showMaximized();
    QApplication::processEvents();
    // The maximised window's title, "[*]" and all, is in the main window's,
    // whose own mark then resolves it.
    ASSERT_TRUE(m_window->windowTitle().endsWith(QStringLiteral("[PLC主程序[*]]")));
    EXPECT_TRUE(m_window->isWindowModified());
}

TEST_F(DailyShellTest, ProjectsOpenedByPathEnterTheRecentFiles) {
    createProject("given");
    createProject("remembered");
    ASSERT_TRUE(m_window->closeProject());
    for (const char* name : {"given", "remembered"})
        m_settings->removeRecentFile(QString::fromStdString(gpr(name)));

    // As from the command line or a second start.
    ASSERT_TRUE(m_window->openProjectByPath(QString::fromStdString(gpr("given"))));
    EXPECT_EQ(m_settings->recentFiles(), QStringList{QString::fromStdString(gpr("given"))});
    EXPECT_TRUE(m_window->recentFileActions()[0]->isVisible());

    // Reopened at start-up.
    ASSERT_TRUE(m_window->closeProject());
    m_settings->setValue("LastProj", "Path", gpr("remembered"));
    m_settings->setValue("Options", "AutoLoad", "1");
    Application::reopenLastProject(*m_window, *m_settings);
    ASSERT_TRUE(m_window->project().hasProject());
    EXPECT_EQ(m_settings->recentFiles().value(0), QString::fromStdString(gpr("remembered")));
}

TEST_F(DailyShellTest, AProgramModifiedWhenTheWorkbenchDiedIsOfferedAtTheNextStart) {
    createProject("crash");
    ASSERT_TRUE(m_window->saveProject());
    LadderWindow* ladder = openLadder();
    ASSERT_NE(ladder, nullptr);
    ladder->document().setRowComment(3, "not saved");
    m_window->recovery().update();  // the two-minute timer
    const core::ladder_editor::LadderRecovery copies(folder() + "/recovery");
    ASSERT_EQ(copies.entries().size(), 1u);

    // Gone without closing, as in a crash; the next start opens the project.
    m_window = std::make_unique<MainWindow>(*m_settings, 0, m_dialogs);
    m_window->messageBoxes().setTestRecorder(&m_recorder);
    ASSERT_TRUE(m_window->openProjectByPath(QString::fromStdString(gpr("crash"))));
    m_recorder.script({Answer::Yes});
    m_window->recovery().offerRestore();
    EXPECT_TRUE(recorded(core::ladder_editor::LadderRecovery::kOfferText, "恢复"));
    ladder = openLadder();
    ASSERT_NE(ladder, nullptr);
    EXPECT_EQ(ladder->document().rowComment(3), "not saved");
    EXPECT_TRUE(ladder->isModified());

    // A normal end leaves nothing to recover.
    m_recorder.script({Answer::No, Answer::No});
    m_window->show();
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(copies.entries().empty());
}

TEST(QtTranslationTest, ChineseStandardButtonsWhenQtShipsItsTranslation) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qtbase_zh_CN.qm")))
        GTEST_SKIP() << "Qt's translations are not installed in " << folder.toStdString();
    QTranslator english;
    EXPECT_FALSE(Application::installQtTranslation(1, english)) << "Qt is English already";

    QTranslator chinese;
    ASSERT_TRUE(Application::installQtTranslation(0, chinese));
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    const QString cancel = box.button(QDialogButtonBox::Cancel)->text();
    QCoreApplication::removeTranslator(&chinese);
    EXPECT_EQ(cancel, QStringLiteral("取消"));
}

}  // namespace
}  // namespace kelcc::ui::test
