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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/application.h"
#include "app/recovery_keeper.h"
#include "cnc_data/cnc_table_window.h"
#include "cnc_data/part_program_window.h"
#include "common/atomic_file.h"
#include "common/recovery_store.h"
#include "compiler/grid_text.h"
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
    DailyShellTest() {
        // Every window kind, but the fixture's stand-in for the tool offsets.
        const auto standIn = DocumentKinds::factory(core::app::ProjectItemType::ToolOffsets);
        Application::registerWindowKinds();
        DocumentKinds::registerKind(core::app::ProjectItemType::ToolOffsets, standIn);
    }

    template <typename Window>
    Window* find() const {
        for (DocumentWindow* document : m_window->documents())
            if (auto* window = qobject_cast<Window*>(document)) return window;
        return nullptr;
    }

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

TEST_F(DailyShellTest, EveryDocumentModifiedWhenTheWorkbenchDiedIsOfferedAtTheNextStart) {
    createProject("crash");
    ASSERT_TRUE(m_window->saveProject());
    const std::string partProgram = folder() + "/crash/O0007";
    ASSERT_TRUE(core::common::AtomicFile::write(partProgram, "O0007\r\n").ok);
    LadderWindow* ladder = openLadder();
    ASSERT_NE(ladder, nullptr);
    ladder->document().setRowComment(3, "not saved");
    ASSERT_TRUE(m_window->project().openTreeEntry(ProjectTree::Entry::PitchCompensation));
    auto* pitch = find<CncTableWindow>();
    ASSERT_NE(pitch, nullptr);
    pitch->tableDocument().setEntry(3, "3\t0.010\t0.020");
    ASSERT_TRUE(m_window->openDocument(partProgram, core::app::ProjectItemType::PartProgram));
    auto* program = find<PartProgramWindow>();
    ASSERT_NE(program, nullptr);
    program->editor()->setPlainText(QStringLiteral("O0007\nG00 X10 ; 未存\n"));
    m_window->recovery().update();  // the two-minute timer
    const core::common::RecoveryStore& copies = m_window->recovery().store();
    ASSERT_EQ(copies.entries().size(), 3u);

    // Gone without closing, as in a crash; the next start opens the project.
    m_window = std::make_unique<MainWindow>(*m_settings, 0, m_dialogs);
    m_window->messageBoxes().setTestRecorder(&m_recorder);
    ASSERT_TRUE(m_window->openProjectByPath(QString::fromStdString(gpr("crash"))));
    m_recorder.script({Answer::Yes});
    m_window->recovery().offerRestore();
    ASSERT_EQ(m_recorder.messages().size(), 1u);
    EXPECT_NE(m_recorder.messages()[0].text.find(partProgram), std::string::npos);
    EXPECT_EQ(m_recorder.messages()[0].caption, RecoveryKeeper::kOfferCaption);
    ladder = openLadder();
    ASSERT_NE(ladder, nullptr);
    EXPECT_EQ(ladder->document().rowComment(3), "not saved");
    EXPECT_TRUE(ladder->isModified());
    pitch = find<CncTableWindow>();
    ASSERT_NE(pitch, nullptr);
    EXPECT_EQ(pitch->tableDocument().entry(3), "3\t0.010\t0.020");
    EXPECT_TRUE(pitch->isModified());
    program = find<PartProgramWindow>();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->editor()->toPlainText(), QStringLiteral("O0007\nG00 X10 ; 未存\n"));
    EXPECT_TRUE(program->isModified());

    // A normal end leaves nothing to recover.
    m_recorder.script({Answer::No, Answer::No, Answer::No, Answer::No});
    m_window->show();
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(m_window->recovery().store().entries().empty());
}

// Each modal dialog that comes up gets the next text, typed where its focus
// starts and ended with Enter.
void answerDialogs(QStringList texts) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, texts]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        if (texts.isEmpty()) {
            timer->deleteLater();
            return;
        }
        QWidget* field = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        QTest::keyClicks(field, texts.takeFirst());
        QTest::keyClick(field, Qt::Key_Return);
        if (texts.isEmpty()) timer->deleteLater();
    });
    timer->start(10);
    // Never left to answer the dialogs of a later test.
    QTimer::singleShot(5000, timer, &QObject::deleteLater);
}

TEST_F(DailyShellTest, ALadderWrittenAndSavedFromTheKeyboardAlone) {
    createProject("keys");
    LadderWindow* ladder = openLadder();
    ASSERT_NE(ladder, nullptr);
    LadderView& view = ladder->view();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    view.setFocus();
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
        QApplication::processEvents();
    };
    view.action(LadderView::Command::InsertRow)->trigger();
    key(Qt::Key_Home);

    answerDialogs({QStringLiteral("x0.1")});
    key(Qt::Key_F1);
    EXPECT_EQ(QApplication::focusWidget(), &view);
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    EXPECT_EQ(view.cursor(), (core::ladder_editor::CellPos{1, 2})) << "past the contact";
    answerDialogs({QStringLiteral("set"), QStringLiteral("y2")});
    key(Qt::Key_F3);
    EXPECT_EQ(QApplication::focusWidget(), &view);
    key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(m_recorder.messages().empty())
        << m_recorder.messages().front().text
        << core::compiler::GridText::format(ladder->document());
    EXPECT_FALSE(ladder->isModified());

    std::string saved;
    ASSERT_TRUE(core::common::AtomicFile::read(m_window->project().plcProgramPath(), saved).ok);
    EXPECT_NE(saved.find("LD      X0000.1"), std::string::npos) << saved.substr(0, 400);
    EXPECT_NE(saved.find("SET     Y0002.0"), std::string::npos) << saved.substr(0, 400);
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
