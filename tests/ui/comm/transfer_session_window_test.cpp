#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/project_tree.h"
#include "cnc_data/part_program_actions.h"
#include "cnc_data/part_program_window.h"
#include "comm/transfer_progress_window.h"
#include "file_bytes.h"
#include "transfer_test_support.h"

namespace kelcc::ui::test {
namespace {

namespace fs = std::filesystem;
using core::common::Answer;
using core::transfer::SessionList;
using core::transfer::TransferSession;
using SaveMode = TransferSession::SaveMode;

QByteArray demoFile(const char* name) {
    return QByteArray::fromStdString(fileBytes(fs::path(KELCC_DEMO_DIR) / name));
}

// A part program of about `size` bytes in CR LF lines.
std::string partProgram(const char* name, std::size_t size) {
    std::string text = std::string(name) + "\r\n";
    for (int line = 0; text.size() < size; ++line)
        text += QStringLiteral("G01 X%1 Z%2\r\n")
                    .arg(line, 5, 10, QLatin1Char('0'))
                    .arg(line * 7 % 99999)
                    .toStdString();
    return text + "M30\r\n";
}

class TransferWindowTest : public testing::Test, public TransferFixture {
protected:
    std::string projectFile(const char* name) const { return folder() + "/demo/" + name; }

    bool idle() { return !transfer().session().linkOpen() && m_window->isEnabled(); }
};

TEST_F(TransferWindowTest,
       SettingsConnectAndDisconnectFollowTheMenuRulesAndAMissingPortIsOnlyReported) {
    m_settings->setValue("COMMSET", "port", "3");
    m_settings->setValue("COMMSET", "baud", "9600");
    transfer().editCommSettings();
    EXPECT_EQ(m_transferDialogs.settingsShown.port, QStringLiteral("3"));
    EXPECT_EQ(m_transferDialogs.settingsShown.baud, QStringLiteral("9600"));
    // Cancel changed nothing.
    EXPECT_EQ(m_settings->value("COMMSET", "port"), "3");

    usePort(QStringLiteral("/dev/pts/77"), QStringLiteral("57600"));
    EXPECT_EQ(m_settings->value("COMMSET", "port"), "1");
    EXPECT_EQ(m_settings->value("COMMSET", "baud"), "57600");
    EXPECT_EQ(m_settings->value("COMMSET", "device1"), "/dev/pts/77");
    EXPECT_EQ(transfer().communication().baud, 57600);
    EXPECT_EQ(transfer().portPaths().path(1), "/dev/pts/77");
    // Ports without a path of their own keep the built-in devices.
    EXPECT_EQ(transfer().portPaths().path(2), core::comm::PortPaths().path(2));

    TransferCommands& commands = transfer();
    EXPECT_TRUE(commands.connectAction()->isEnabled());
    EXPECT_FALSE(commands.disconnectAction()->isEnabled());
    EXPECT_FALSE(commands.sendAction()->isEnabled());
    EXPECT_FALSE(commands.readAction()->isEnabled());

    // No such device: only the port message, and nothing stays open.
    usePort(QString::fromStdString(folder() + "/no-such-tty"));
    commands.connectToCnc();
    ASSERT_TRUE(waitForMessage(TransferSession::kPortBusyText));
    EXPECT_FALSE(recorded(TransferSession::kConnectFailedText));
    EXPECT_FALSE(commands.session().linkOpen());
    EXPECT_TRUE(commands.connectAction()->isEnabled());

    ASSERT_TRUE(m_sim.start());
    ASSERT_TRUE(connectToSim());
    ASSERT_TRUE(waitForMessage(TransferSession::kConnectedText));
    EXPECT_FALSE(commands.connectAction()->isEnabled());
    EXPECT_TRUE(commands.disconnectAction()->isEnabled());
    EXPECT_TRUE(commands.readAction()->isEnabled());
    // Sending needs a project.
    EXPECT_FALSE(commands.sendAction()->isEnabled());
    EXPECT_TRUE(commands.linkStatus()->text().contains(m_sim.linkPath()));

    commands.disconnectFromCnc();
    ASSERT_TRUE(waitFor([&] { return !commands.session().linkOpen(); }));
    EXPECT_FALSE(recorded(TransferSession::kNoDisconnectReplyText));
    EXPECT_TRUE(commands.connectAction()->isEnabled());
    EXPECT_FALSE(commands.linkStatus()->text().contains(m_sim.linkPath()));
    // The same line again, without restarting anything.
    ASSERT_TRUE(connectToSim());
    // Quitting while connected asks and disconnects first.
    m_recorder.script({Answer::Cancel});
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(recorded(TransferSession::kQuitText, TransferSession::kQuitCaption));
    EXPECT_TRUE(transfer().session().connected());

    // OK disconnects, then the project asks its own question; cancelling
    // that keeps the program, disconnected.
    createProject("demo");
    m_window->project().markProjectModified(true);
    m_recorder.script({Answer::Ok, Answer::Cancel});
    EXPECT_FALSE(m_window->close());
    EXPECT_FALSE(transfer().session().linkOpen());
    EXPECT_FALSE(recorded(TransferSession::kNoDisconnectReplyText));
    ASSERT_GE(m_recorder.messages().size(), 2u);
    EXPECT_EQ(m_recorder.messages().back().text, core::app::Project::kSaveQuestionText);
}

TEST_F(TransferWindowTest, AChangedProjectIsSavedAfterTheQuestionThenThePlcProgramAndItsImageGo) {
    ASSERT_TRUE(m_sim.start());
    createProject("demo");
    ASSERT_TRUE(connectToSim());
    m_window->project().markProjectModified(true);
    m_recorder.script({Answer::Cancel});
    transfer().sendToCnc();
    EXPECT_TRUE(recorded(TransferCommands::kStaleProjectText, TransferCommands::kSendCaption));
    QTest::qWait(300);
    EXPECT_TRUE(m_transferDialogs.sendProject.empty());
    EXPECT_TRUE(transfer().session().connected());

    // "Yes" saves the project first.
    m_recorder.script({Answer::Yes});
    std::vector<std::string> lines;
    m_transferDialogs.onSend = [&](TransferFileDialog::SendStart& start) {
        SessionList::SendSelection selection;
        selection.plcProgram = true;
        if (!start(selection)) return false;
        lines = transfer().session().view().lines;
        EXPECT_FALSE(m_window->isEnabled());
        EXPECT_TRUE(transfer().progressWindow() && transfer().progressWindow()->isVisible());
        return true;
    };
    transfer().sendToCnc();
    ASSERT_TRUE(waitForMessage(TransferSession::kAllSentText));
    EXPECT_FALSE(m_window->project().projectModified());
    EXPECT_EQ(m_transferDialogs.sendProject, "demo");
    // The first file is under way by then.
    EXPECT_EQ(lines, (std::vector<std::string>{"->  " + projectFile("main_demo.ldx"),
                                               "    " + projectFile("main_demo.ldx.bin")}));
    EXPECT_EQ(m_sim.stored(1, QStringLiteral("plc.ldx")).toStdString(),
              fileBytes(projectFile("main_demo.ldx")));
    EXPECT_EQ(m_sim.stored(1, QStringLiteral("plc.bin")).toStdString(),
              fileBytes(projectFile("main_demo.ldx.bin")));
    EXPECT_TRUE(m_sim.stored(1, QStringLiteral("ParaB.par")).isEmpty());
    // Every send ends disconnected, the window usable again; so does a
    // cancelled send dialog.
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(transfer().progressWindow(), nullptr);
    ASSERT_TRUE(connectToSim());
    m_transferDialogs.onSend = nullptr;
    transfer().sendToCnc();
    ASSERT_TRUE(waitFor([&] { return idle(); }));
}

TEST_F(TransferWindowTest, ReadingEverythingMakesANewProjectThenAReadOverwritesAnOpenWindow) {
    // The storage of a controller that was set up.
    m_sim.put(1, QStringLiteral("plc.ldx"), demoFile("main_LatheDemo.ldx"));
    m_sim.put(1, QStringLiteral("plc.bin"), demoFile("main_LatheDemo.ldx.bin"));
    for (const char* name : {"ParaB.par", "ParaW.par", "Tcomp.cmp", "Wcomp.wmp"})
        m_sim.put(1, QString::fromLatin1(name), demoFile(name));
    m_sim.put(2, QStringLiteral("O0001.cnc"), demoFile("O0001.cnc"));
    m_sim.put(3, QStringLiteral("O0002.cnc"), demoFile("O0002.cnc"));
    ASSERT_TRUE(m_sim.start());
    ASSERT_TRUE(connectToSim());
    m_dialogs.locations.push_back(core::app::ProjectLocation{"fresh", folder()});
    m_transferDialogs.onRead = [this](TransferFileDialog::ReceiveStart& start) {
        SessionList::ReceiveSelection all;
        all.plcProgram = all.parameters = all.toolOffsets = all.pitchCompensation = true;
        for (const auto& area : m_transferDialogs.readChoices.programs)
            all.programs.insert(all.programs.end(), area.begin(), area.end());
        return start(all, SaveMode::NewProject);
    };
    transfer().readFromCnc();
    ASSERT_TRUE(waitForMessage(TransferSession::kAllReceivedText));
    // Without a project only a new one is offered.
    EXPECT_FALSE(m_transferDialogs.overwriteOffered);
    ASSERT_EQ(m_transferDialogs.readChoices.programs[0].size(), 1u);
    EXPECT_EQ(m_transferDialogs.readChoices.programs[1][0].name, "O0002.cnc");
    EXPECT_EQ(m_window->project().name(), "fresh");
    const auto received = [this](const char* name) {
        return QByteArray::fromStdString(fileBytes(m_window->project().folder() + "/" + name));
    };
    EXPECT_EQ(received("main_fresh.ldx"), demoFile("main_LatheDemo.ldx"));
    for (const char* name :
         {"ParaB.par", "ParaW.par", "Tcomp.cmp", "Wcomp.wmp", "O0001.cnc", "O0002.cnc"})
        EXPECT_EQ(received(name), demoFile(name)) << name;
    EXPECT_EQ(m_window->project().tree().enumeratePrograms().size(), 2u);
    ASSERT_TRUE(waitFor([&] { return idle(); }));

    // Once more with O0001 open and changed on the controller: the window
    // shows what came.
    PartProgramActions::registerWindowKind();
    ASSERT_TRUE(PartProgramActions::openProgram(m_window->workbench(), "O0001"));
    auto* window = qobject_cast<PartProgramWindow*>(m_window->documents().value(0));
    ASSERT_NE(window, nullptr);
    m_sim.put(2, QStringLiteral("O0001.cnc"), "O0001\r\nG00 X1 Z2\r\nM30\r\n");
    m_transferDialogs.onRead = [this](TransferFileDialog::ReceiveStart& start) {
        SessionList::ReceiveSelection one;
        one.programs = {m_transferDialogs.readChoices.programs[0][0]};
        return start(one, SaveMode::Overwrite);
    };
    m_recorder.script({Answer::Ok, Answer::Ok});
    ASSERT_TRUE(connectToSim());
    transfer().readFromCnc();
    ASSERT_TRUE(waitFor([&] {
        return std::ranges::count(m_recorder.messages(), TransferSession::kAllReceivedText,
                                  &core::common::RecordingInteraction::Message::text) == 2;
    }));
    EXPECT_TRUE(m_transferDialogs.overwriteOffered);
    EXPECT_TRUE(recorded(TransferSession::kOverwriteText, TransferSession::kReadCaption));
    EXPECT_TRUE(window->editor()->toPlainText().contains(QStringLiteral("G00 X1 Z2")));
    ASSERT_TRUE(waitFor([&] { return idle(); }));

    // A plain file where the temporary folder was: nothing can be made in
    // it, for any user. That is reported, and the link recovers.
    const QString temp = transfer().tempFolder();
    ASSERT_TRUE(QDir(temp).removeRecursively());
    ASSERT_TRUE(std::ofstream(temp.toStdString()));
    m_sim.put(1, QStringLiteral("plc.ldx"), "changed");
    bool started = true;
    m_transferDialogs.onRead = [&](TransferFileDialog::ReceiveStart& start) {
        SessionList::ReceiveSelection plc;
        plc.plcProgram = true;
        started = start(plc, SaveMode::Overwrite);
        return started;
    };
    m_recorder.script({Answer::Ok});
    ASSERT_TRUE(connectToSim());
    transfer().readFromCnc();
    ASSERT_TRUE(waitForMessage(SessionList::kStagingFailedText));
    EXPECT_FALSE(started);
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(received("main_fresh.ldx"), demoFile("main_LatheDemo.ldx"));
    QFile::remove(temp);
    EXPECT_TRUE(connectToSim());
}

TEST_F(TransferWindowTest, CancelDuringAFileOrAControllerThatVanishesEndsTheSessionCleanly) {
    m_sim.put(2, QStringLiteral("O0009.cnc"),
              QByteArray::fromStdString(partProgram("O0009", 24000)));
    createProject("demo");
    const std::string program = partProgram("O0007", 24000);
    ASSERT_TRUE(std::ofstream(projectFile("O0007.cnc"), std::ios::binary) << program);
    m_window->project().tree().findOrAddProgram("O0007");
    ASSERT_TRUE(m_sim.start({QStringLiteral("--baud"), QStringLiteral("9600")}));
    ASSERT_TRUE(connectToSim());

    QStringList percents;
    QObject::connect(&transfer().pump(), &LinkEventPump::dispatched, [&] {
        if (auto* progress = transfer().progressWindow()) percents << progress->percent()->text();
    });
    m_transferDialogs.onSend = [](TransferFileDialog::SendStart& start) {
        SessionList::SendSelection selection;
        selection.programs = {"O0007"};
        return start(selection);
    };
    transfer().sendToCnc();
    ASSERT_TRUE(waitFor([&] { return transfer().session().progress().fileBar() > 2048; }));
    TransferProgressWindow* progress = transfer().progressWindow();
    ASSERT_NE(progress, nullptr);
    // The window shows the figures within a moment.
    const QString size = QStringLiteral("/%1K").arg((program.size() + 512) / 1024);
    EXPECT_TRUE(waitFor([&] { return progress->fileSize()->text() == size; }, 1000));
    EXPECT_TRUE(progress->fileList()->toPlainText().startsWith(QStringLiteral("->")));
    progress->cancelButton()->click();
    ASSERT_TRUE(waitForMessage(TransferSession::kUserCancelText));
    EXPECT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(transfer().progressWindow(), nullptr);
    EXPECT_FALSE(percents.isEmpty());
    EXPECT_FALSE(percents.contains(QStringLiteral("100")));

    // The line can be used again; a controller that vanishes in the middle
    // of a file leaves the project as it was.
    ASSERT_TRUE(connectToSim());
    m_transferDialogs.onRead = [this](TransferFileDialog::ReceiveStart& start) {
        SessionList::ReceiveSelection one;
        one.programs = m_transferDialogs.readChoices.programs[0];  // O0009 alone
        return start(one, SaveMode::Overwrite);
    };
    transfer().readFromCnc();
    ASSERT_TRUE(waitFor([&] { return transfer().session().progress().fileBar() > 2048; }));
    const std::string staging = transfer().session().stagingFolder();
    m_sim.kill();
    // Nothing answers any more: the session's clock runs ahead, so each
    // tick finds the engine's next time-out passed instead of waiting for it.
    ASSERT_TRUE(waitFor([&] {
        transfer().driver().skipTime(std::chrono::seconds(1));
        return stopped() && idle();
    }));
    EXPECT_FALSE(fs::exists(projectFile("O0009.cnc")));
    EXPECT_FALSE(fs::exists(staging));
    EXPECT_FALSE(recorded(TransferSession::kAllReceivedText));
}

TEST_F(TransferWindowTest, AControllerUploadIsSavedWhereTheUserSays) {
    const std::string upload = folder() + "/O0100.cnc";
    ASSERT_TRUE(std::ofstream(upload, std::ios::binary) << partProgram("O0100", 3000));
    ASSERT_TRUE(m_sim.start({QStringLiteral("--upload"), QString::fromStdString(upload)}));
    ASSERT_TRUE(connectToSim());
    bool uploadShown = false;
    QObject::connect(&transfer().pump(), &LinkEventPump::dispatched, [&] {
        if (auto* progress = transfer().progressWindow())
            uploadShown = uploadShown || progress->windowTitle() == QStringLiteral("文件接收");
    });
    const QString target = QString::fromStdString(folder() + "/kept.cnc");
    m_transferDialogs.target = target;
    ASSERT_TRUE(waitFor([&] { return QFile::exists(target); }, 30000));
    EXPECT_TRUE(uploadShown);
    EXPECT_EQ(m_transferDialogs.uploadName, QStringLiteral("O0100.cnc"));
    EXPECT_EQ(fileBytes(target.toStdString()), fileBytes(upload));
    EXPECT_FALSE(QFile::exists(m_transferDialogs.uploadOffered));
    // An upload leaves the link connected.
    EXPECT_TRUE(transfer().session().connected());
    EXPECT_TRUE(m_window->isEnabled());
}

}  // namespace
}  // namespace kelcc::ui::test
