#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTreeWidgetItem>
#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "app/output_pane.h"
#include "app/project_tree_pane.h"
#include "app/workbench.h"
#include "cnc_data/part_program_actions.h"
#include "cnc_data/part_program_window.h"
#include "file_bytes.h"
#include "shell_test_support.h"

namespace kelcc::ui::test {
namespace {

namespace fs = std::filesystem;
using core::app::ProjectTree;
using core::common::Answer;

class MainWindowTest : public testing::Test, public ShellFixture {};

TEST_F(MainWindowTest, NewProjectAsksAgainAfterARefusedAnswerThenClosesAndReopens) {
    m_dialogs.locations.push_back(core::app::ProjectLocation{"", folder()});
    m_dialogs.locations.push_back(core::app::ProjectLocation{"demo", folder()});
    ASSERT_TRUE(m_window->newProject());

    EXPECT_TRUE(recorded("请输入工程名称.", "保存工程"));
    ASSERT_EQ(m_dialogs.locationCalls.size(), 2u);
    EXPECT_EQ(m_dialogs.locationCalls[0].first, QStringLiteral("新建配置工程..."));
    // The dialog comes back with what was typed.
    EXPECT_EQ(m_dialogs.locationCalls[1].second.path, folder());

    // The files written are the core's ProjectTest.
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("KELCC - 工程:demo"));
    EXPECT_TRUE(m_window->saveProjectAction()->isVisible());
    ASSERT_NE(m_window->treePane()->itemFor(ProjectTree::Entry::Root), nullptr);
    EXPECT_EQ(m_window->treePane()->itemFor(ProjectTree::Entry::Root)->text(0),
              QStringLiteral("工程 - demo"));
    const QString gpr = QString::fromStdString(folder() + "/demo/demo.gpr");
    EXPECT_EQ(m_settings->recentFiles(), QStringList{gpr});
    EXPECT_EQ(m_settings->lastProject(), gpr.toStdString());

    ASSERT_TRUE(m_window->closeProject());
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("KELCC"));
    EXPECT_FALSE(m_window->saveProjectAction()->isVisible());
    EXPECT_EQ(m_window->treePane()->topLevelItemCount(), 0);
    m_dialogs.fileToOpen = gpr;
    ASSERT_TRUE(m_window->openProject());
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("KELCC - 工程:demo"));
    EXPECT_TRUE(m_window->project().projectOpen());
}

class CloseProjectAnswerTest : public MainWindowTest, public testing::WithParamInterface<Answer> {};

TEST_P(CloseProjectAnswerTest, ChangedProjectAsksAndFollowsTheAnswer) {
    createProject("edited");
    ASSERT_TRUE(m_window->project().openTreeEntry(ProjectTree::Entry::ToolOffsets));
    ASSERT_EQ(m_window->documents().size(), 1);
    m_window->documents().front()->setModified(true);
    m_window->project().markProjectModified(true);

    m_recorder.script({GetParam()});
    const bool closed = m_window->closeProject();

    EXPECT_TRUE(recorded("是否保存当前打开的工程?", "保存工程"));
    EXPECT_EQ(closed, GetParam() != Answer::Cancel);
    EXPECT_EQ(CountingDocument::saves, GetParam() == Answer::Yes ? 1 : 0);
    EXPECT_EQ(m_window->documents().size(), closed ? 0 : 1);
    EXPECT_EQ(m_window->project().hasProject(), !closed);
    EXPECT_EQ(m_window->windowTitle() == QStringLiteral("KELCC"), closed);
    EXPECT_TRUE(closed || m_window->documents().front()->isModified());
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseProjectAnswerTest,
                         testing::Values(Answer::Yes, Answer::No, Answer::Cancel));

TEST_F(MainWindowTest, SaveAsMovesTheOpenWindowsToTheNewProject) {
    using core::app::ProjectItemType;
    // The fixture puts the previous kind back.
    m_previousKinds.emplace_back(ProjectItemType::PartProgram,
                                 DocumentKinds::factory(ProjectItemType::PartProgram));
    PartProgramActions::registerWindowKind();

    createProject("old");
    core::app::Project& project = m_window->project();
    project.tree().findOrAddProgram("O0001");
    const std::string oldProgram = folder() + "/old/O0001.cnc";
    ASSERT_TRUE(project.openProjectItem(oldProgram, ProjectItemType::PartProgram, false));
    auto* program = qobject_cast<PartProgramWindow*>(m_window->documents().value(0));
    ASSERT_NE(program, nullptr);
    ASSERT_TRUE(project.openTreeEntry(ProjectTree::Entry::ToolOffsets));
    program->editor()->setPlainText(QStringLiteral("O0001\nG00 X1."));

    m_dialogs.locations.push_back(core::app::ProjectLocation{"copy", folder()});
    ASSERT_TRUE(m_window->saveProjectAs());
    for (DocumentWindow* document : m_window->documents())
        EXPECT_EQ(fs::path(document->path()).parent_path(), fs::path(folder()) / "copy");

    // The edit made before Save as is saved into the new project only.
    ASSERT_TRUE(m_window->saveProject());
    EXPECT_EQ(fileBytes(folder() + "/copy/O0001.cnc"), "O0001\r\nG00 X1.");
    EXPECT_EQ(fileBytes(oldProgram), "O0001\r\n");
}

// Which keys change is SettingsRules' test; here that the window writes them.
TEST_F(MainWindowTest, OptionsWriteTheChangedKeysAndANewLanguageClosesTheWindow) {
    m_dialogs.optionsAnswer = core::app::SettingsRules::Options{false, false, 0};
    m_window->show();
    m_window->showOptions();
    ASSERT_TRUE(m_dialogs.optionsShown.has_value());
    EXPECT_TRUE(m_dialogs.optionsShown->autoLoad);  // a missing key shows its default
    EXPECT_EQ(m_settings->value("Options", "AutoLoad"), std::optional<std::string>("0"));
    EXPECT_FALSE(m_settings->value("Options", "Lang").has_value());
    EXPECT_TRUE(m_recorder.messages().empty());
    EXPECT_TRUE(m_window->isVisible());

    m_dialogs.optionsAnswer = core::app::SettingsRules::Options{false, false, 1};
    m_window->showOptions();
    EXPECT_EQ(m_settings->value("Options", "Lang"), std::optional<std::string>("1"));
    EXPECT_TRUE(recorded("程序语言已更改,请退出程序重新运行.", "KELCC"));
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(MainWindowTest, ClosingAChangedWindowOrExitingWithAChangedProjectAsksAndCancelKeeps) {
    createProject("exiting");
    ASSERT_TRUE(m_window->project().openTreeEntry(ProjectTree::Entry::ToolOffsets));
    m_window->documents().front()->setModified(true);
    QMdiSubWindow* window = m_window->mdiArea()->subWindowList().front();
    m_recorder.script({Answer::Cancel});
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(recorded("文件数据已被改变,保存文件吗?", "关闭窗口"));
    EXPECT_EQ(m_window->documents().size(), 1);
    m_recorder.script({Answer::Yes});
    EXPECT_TRUE(window->close());
    EXPECT_EQ(CountingDocument::saves, 1);

    m_window->project().markProjectModified(true);
    m_window->show();

    m_recorder.script({Answer::Cancel});
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(recorded("是否保存当前打开的工程?", "退出"));
    EXPECT_TRUE(m_window->isVisible());

    // No closes it; what No does to the project is the core's ProjectTest.
    m_recorder.script({Answer::No});
    EXPECT_TRUE(m_window->close());
}

TEST_F(MainWindowTest, TreeMenusFollowTheEntryAndDoubleClicksOpenWindowsAndLadderPlaces) {
    createProject("tree");
    ProjectTreePane* tree = m_window->treePane();
    const auto menuOf = [&](QTreeWidgetItem* item) {
        std::vector<std::pair<QString, bool>> entries;
        std::unique_ptr<QMenu> menu(tree->contextMenuFor(item));
        if (!menu) return entries;
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) entries.emplace_back(action->text(), action->isEnabled());
        return entries;
    };
    using Items = std::vector<std::pair<QString, bool>>;
    const bool ladderKind = DocumentKinds::has(core::app::ProjectItemType::PlcProgram);
    EXPECT_EQ(menuOf(tree->itemFor(ProjectTree::Entry::LadderProgram)),
              (Items{{QStringLiteral("打开(&O)"), ladderKind},
                     {QStringLiteral("删除(&D)"), false},
                     {QStringLiteral("属性(&A)..."), false}}));
    EXPECT_EQ(menuOf(tree->itemFor(ProjectTree::Entry::ToolOffsets)),
              (Items{{QStringLiteral("打开(&O)"), true}}));
    EXPECT_TRUE(menuOf(tree->itemFor(ProjectTree::Entry::KValues)).empty());

    m_window->project().tree().findOrAddProgram("O0001");
    m_window->workbench().refreshProjectTree();
    const Items program = menuOf(tree->programItem(QStringLiteral("O0001")));
    ASSERT_EQ(program.size(), 3u);
    EXPECT_EQ(program[2], (std::pair{QStringLiteral("属性(&A)..."), false}));

    // A double click opens the entry's window.
    QTreeWidgetItem* offsets = tree->itemFor(ProjectTree::Entry::ToolOffsets);
    emit tree->itemDoubleClicked(offsets, 0);
    EXPECT_EQ(m_window->documents().size(), 1);

    // A double click on an output line naming a place asks for it.
    QSignalSpy places(&m_window->workbench(), &Workbench::ladderPlaceRequested);
    m_window->workbench().appendOutput(QStringLiteral("编译成功 : 0 错误, 0 警告."));
    m_window->workbench().appendOutput(
        QStringLiteral("    错误 0012 : [行(35)列(4)] : 线圈后不能有元件"));
    OutputPane* pane = m_window->outputPane();
    emit pane->itemDoubleClicked(pane->item(0));
    emit pane->itemDoubleClicked(pane->item(1));
    ASSERT_EQ(places.size(), 1);
    EXPECT_EQ(places[0][0].toInt(), 35);
    EXPECT_EQ(places[0][1].toInt(), 4);
}

TEST_F(MainWindowTest, RecentFilesKeepFourMostRecentFirstAndForgetWhatCannotOpen) {
    const auto gpr = [this](const std::string& name) {
        return folder() + "/" + name + "/" + name + ".gpr";
    };
    for (const char* name : {"p1", "p2", "p3", "p4", "p5"})
        createProject(name);
    const QList<QAction*>& actions = m_window->recentFileActions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_TRUE(actions[0]->text().endsWith(QStringLiteral("/p5/p5.gpr")));
    EXPECT_TRUE(actions[3]->text().endsWith(QStringLiteral("/p2/p2.gpr")));
    EXPECT_TRUE(actions[0]->text().startsWith(QStringLiteral("&1 ")));

    // Choosing an entry opens that project by its path.
    m_window->openRecentFile(2);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("KELCC - 工程:p3"));

    ASSERT_TRUE(fs::remove(gpr("p4")));
    m_window->openRecentFile(1);
    EXPECT_TRUE(recorded("路径名 " + gpr("p4") + " 无效,未找到工程文件!"));
    EXPECT_EQ(m_settings->recentFiles().size(), 3);
    EXPECT_FALSE(actions[3]->isVisible());

    // As from the command line or a second start; p1 had fallen off the list.
    ASSERT_TRUE(m_window->openProjectByPath(QString::fromStdString(gpr("p1"))));
    EXPECT_EQ(m_settings->recentFiles().value(0), QString::fromStdString(gpr("p1")));
    EXPECT_TRUE(actions[3]->isVisible());
    ASSERT_TRUE(m_window->closeProject());

    // A deleted project file stays remembered, silently.
    m_settings->setValue("LastProj", "Path", gpr("p4"));
    const std::size_t asked = m_recorder.messages().size();
    Application::reopenLastProject(*m_window, *m_settings);
    EXPECT_EQ(m_settings->lastProject(), gpr("p4"));
    EXPECT_EQ(m_recorder.messages().size(), asked);

    // A file that is no project file is forgotten.
    const std::string broken = folder() + "/broken.gpr";
    ASSERT_TRUE(std::ofstream(broken) << "short");
    m_settings->setValue("LastProj", "Path", broken);
    Application::reopenLastProject(*m_window, *m_settings);
    EXPECT_FALSE(m_settings->lastProject().has_value());
    EXPECT_FALSE(m_window->project().hasProject());

    // When AutoLoad is off is SettingsRules' test.
    m_settings->setValue("LastProj", "Path", gpr("p5"));
    m_settings->setValue("Options", "AutoLoad", "1");
    Application::reopenLastProject(*m_window, *m_settings);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("KELCC - 工程:p5"));
    EXPECT_EQ(m_settings->recentFiles().value(0), QString::fromStdString(gpr("p5")));
}

}  // namespace
}  // namespace kelcc::ui::test
