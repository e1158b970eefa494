#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/project_tree.h"
#include "cnc_data/part_program_actions.h"
#include "cnc_data/part_program_window.h"
#include "comm/transfer_progress_window.h"
#include "transfer_test_support.h"

namespace kelcc::ui::test {
namespace {

namespace fs = std::filesystem;
using core::common::Answer;
using core::transfer::SessionList;
using core::transfer::TransferSession;
using SaveMode = TransferSession::SaveMode;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray demoFile(const char* name) {
    return fileBytes(QStringLiteral(KELCC_DEMO_DIR "/") + QString::fromLatin1(name));
}

// A part program of about `size` bytes in CR LF lines.
QByteArray partProgram(const char* name, int size) {
    QByteArray text = QByteArray(name) + "\r\n";
    for (int line = 0; text.size() < size; ++line)
        text += QStringLiteral("G01 X%1 Z%2\r\n")
                    .arg(line, 5, 10, QLatin1Char('0'))
                    .arg(line * 7 % 99999)
                    .toLatin1();
    return text + "M30\r\n";
}

class TransferWindowTest : public testing::Test, public TransferFixture {
protected:
    std::string projectFile(const char* name) const { return folder() + "/demo/" + name; }
    QString qProjectFile(const char* name) const {
        return QString::fromStdString(projectFile(name));
    }

    // The controller's storage as a controller that was set up holds it.
    void fillController() {
        m_sim.put(1, QStringLiteral("plc.ldx"), demoFile("main_LatheDemo.ldx"));
        m_sim.put(1, QStringLiteral("plc.bin"), demoFile("main_LatheDemo.ldx.bin"));
        for (const char* name : {"ParaB.par", "ParaW.par", "Tcomp.cmp", "Wcomp.wmp"})
            m_sim.put(1, QString::fromLatin1(name), demoFile(name));
        m_sim.put(2, QStringLiteral("O0001.cnc"), demoFile("O0001.cnc"));
        m_sim.put(3, QStringLiteral("O0002.cnc"), demoFile("O0002.cnc"));
    }

    // Everything the read dialog offers, with this save mode.
    void readEverything(SaveMode mode) {
        m_transferDialogs.onRead = [this, mode](TransferFileDialog::ReceiveStart& start) {
            SessionList::ReceiveSelection all;
            all.plcProgram = all.parameters = all.toolOffsets = all.pitchCompensation = true;
            for (const auto& area : m_transferDialogs.readChoices.programs)
                all.programs.insert(all.programs.end(), area.begin(), area.end());
            return start(all, mode);
        };
    }

    bool idle() { return !transfer().session().linkOpen() && m_window->isEnabled(); }
};

TEST_F(TransferWindowTest, ConnectAndDisconnectFollowTheMenuRulesAndAMissingPortIsOnlyReported) {
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
}

TEST_F(TransferWindowTest, ASilentControllerEndsWithTheConnectionMessageAndAClosedPort) {
    ASSERT_TRUE(m_sim.start({QStringLiteral("--drop-rate"), QStringLiteral("1")}));
    usePort(m_sim.linkPath());
    transfer().connectToCnc();
    ASSERT_TRUE(waitForMessage(TransferSession::kConnectFailedText, 60000));
    EXPECT_FALSE(recorded(TransferSession::kPortBusyText));
    EXPECT_FALSE(transfer().session().linkOpen());
    EXPECT_TRUE(transfer().connectAction()->isEnabled());
}

TEST_F(TransferWindowTest, CommSettingsShowTheStoredTextsAndKeepTheirOwnKeys) {
    m_settings->setValue("COMMSET", "port", "3");
    m_settings->setValue("COMMSET", "baud", "9600");
    m_transferDialogs.settingsAnswer.reset();
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
}

TEST_F(TransferWindowTest, SendingOnlyThePlcProgramSendsTheProgramThenItsImage) {
    ASSERT_TRUE(m_sim.start());
    createProject("demo");
    ASSERT_TRUE(connectToSim());
    std::vector<std::string> lines;
    bool windowDisabled = false;
    bool progressShown = false;
    m_transferDialogs.onSend = [&](TransferFileDialog::SendStart& start) {
        SessionList::SendSelection selection;
        selection.plcProgram = true;
        if (!start(selection)) return false;
        lines = transfer().session().view().lines;
        windowDisabled = !m_window->isEnabled();
        progressShown =
            transfer().progressWindow() != nullptr && transfer().progressWindow()->isVisible();
        return true;
    };
    transfer().sendToCnc();
    ASSERT_TRUE(waitForMessage(TransferSession::kAllSentText));
    EXPECT_EQ(m_transferDialogs.sendProject, "demo");
    // The first file is under way by then.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "->  " + projectFile("main_demo.ldx"));
    EXPECT_EQ(lines[1], "    " + projectFile("main_demo.ldx.bin"));
    EXPECT_TRUE(windowDisabled);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(m_sim.stored(1, QStringLiteral("plc.ldx")), fileBytes(qProjectFile("main_demo.ldx")));
    EXPECT_EQ(m_sim.stored(1, QStringLiteral("plc.bin")),
              fileBytes(qProjectFile("main_demo.ldx.bin")));
    EXPECT_TRUE(m_sim.stored(1, QStringLiteral("ParaB.par")).isEmpty());
    // Every send ends disconnected, the window usable again.
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    EXPECT_EQ(transfer().progressWindow(), nullptr);
}

TEST_F(TransferWindowTest, AFullControllerEndsTheSessionButKeepsTheLink) {
    ASSERT_TRUE(m_sim.start({QStringLiteral("--storage-full")}));
    createProject("demo");
    ASSERT_TRUE(connectToSim());
    m_transferDialogs.onSend = [](TransferFileDialog::SendStart& start) {
        SessionList::SendSelection selection;
        selection.parameters = true;
        return start(selection);
    };
    transfer().sendToCnc();
    ASSERT_TRUE(waitFor([&] { return stopped(); }));
    EXPECT_TRUE(recorded("FLASH存储空间满.", "KELCC"));
    EXPECT_TRUE(waitFor([&] { return transfer().progressWindow() == nullptr; }));
    EXPECT_TRUE(m_window->isEnabled());
    EXPECT_TRUE(transfer().session().connected());
    EXPECT_TRUE(transfer().disconnectAction()->isEnabled());
}

TEST_F(TransferWindowTest, AChangedProjectIsSavedOrSentAsOnDiskOnlyAfterTheQuestion) {
    ASSERT_TRUE(m_sim.start());
    createProject("demo");
    ASSERT_TRUE(connectToSim());
    m_window->project().markProjectModified(true);

    m_recorder.script({Answer::Cancel});
    transfer().sendToCnc();
    EXPECT_TRUE(recorded(TransferCommands::kStaleProjectText, TransferCommands::kSendCaption));
    QTest::qWait(300);
    EXPECT_EQ(m_transferDialogs.sendCalls, 0);
    EXPECT_TRUE(transfer().session().connected());

    // "Yes" saves the project first.
    m_recorder.script({Answer::Yes});
    transfer().sendToCnc();
    ASSERT_TRUE(waitFor([&] { return m_transferDialogs.sendCalls == 1; }));
    EXPECT_FALSE(m_window->project().projectModified());
    // The cancelled dialog disconnects.
    ASSERT_TRUE(waitFor([&] { return idle(); }));
}

TEST_F(TransferWindowTest, ReadingEverythingOverwritesTheProjectAndTheOpenWindowsShowIt) {
    fillController();
    ASSERT_TRUE(m_sim.start());
    createProject("demo");
    ASSERT_TRUE(connectToSim());
    readEverything(SaveMode::Overwrite);
    m_recorder.script({Answer::Ok});
    transfer().readFromCnc();
    ASSERT_TRUE(waitForMessage(TransferSession::kAllReceivedText));
    EXPECT_TRUE(recorded(TransferSession::kOverwriteText, TransferSession::kReadCaption));
    EXPECT_TRUE(m_transferDialogs.overwriteOffered);
    ASSERT_EQ(m_transferDialogs.readChoices.programs[0].size(), 1u);
    EXPECT_EQ(m_transferDialogs.readChoices.programs[1][0].name, "O0002.cnc");
    EXPECT_EQ(fileBytes(qProjectFile("main_demo.ldx")), demoFile("main_LatheDemo.ldx"));
    for (const char* name : {"ParaB.par", "ParaW.par", "Wcomp.wmp", "O0001.cnc", "O0002.cnc"})
        EXPECT_EQ(fileBytes(qProjectFile(name)), demoFile(name)) << name;
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
    const std::size_t before = m_recorder.messages().size();
    m_recorder.script({Answer::Ok, Answer::Ok});
    ASSERT_TRUE(connectToSim());
    transfer().readFromCnc();
    ASSERT_TRUE(waitFor([&] {
        for (std::size_t i = before; i < m_recorder.messages().size(); ++i)
            if (m_recorder.messages()[i].text == TransferSession::kAllReceivedText) return true;
        return false;
    }));
    EXPECT_TRUE(window->editor()->toPlainText().contains(QStringLiteral("G00 X1 Z2")));
}

TEST_F(TransferWindowTest, ReadingIntoANewProjectCreatesItFirst) {
    fillController();
    ASSERT_TRUE(m_sim.start());
    ASSERT_TRUE(connectToSim());
    m_dialogs.locations.push_back(core::app::ProjectLocation{"fresh", folder()});
    readEverything(SaveMode::NewProject);
    transfer().readFromCnc();
    ASSERT_TRUE(waitForMessage(TransferSession::kAllReceivedText));
    // Without a project only a new one is offered.
    EXPECT_FALSE(m_transferDialogs.overwriteOffered);
    EXPECT_EQ(m_window->project().name(), "fresh");
    EXPECT_EQ(fileBytes(QString::fromStdString(m_window->project().plcProgramPath())),
              demoFile("main_LatheDemo.ldx"));
    EXPECT_EQ(fileBytes(QString::fromStdString(folder() + "/fresh/O0002.cnc")),
              demoFile("O0002.cnc"));
    EXPECT_EQ(m_window->project().tree().enumeratePrograms().size(), 2u);
}

TEST_F(TransferWindowTest, CancelDuringAFileEndsTheSessionAndTheLineCanBeUsedAgain) {
    createProject("demo");
    const QByteArray program = partProgram("O0007", 24000);
    QFile file(qProjectFile("O0007.cnc"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(program);
    file.close();
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
    ASSERT_TRUE(connectToSim());
}

TEST_F(TransferWindowTest, AControllerThatVanishesMidFileLeavesTheProjectAsItWas) {
    m_sim.put(2, QStringLiteral("O0009.cnc"), partProgram("O0009", 24000));
    ASSERT_TRUE(m_sim.start({QStringLiteral("--baud"), QStringLiteral("9600")}));
    createProject("demo");
    ASSERT_TRUE(connectToSim());
    m_transferDialogs.onRead = [this](TransferFileDialog::ReceiveStart& start) {
        SessionList::ReceiveSelection one;
        one.programs = m_transferDialogs.readChoices.programs[0];
        return start(one, SaveMode::Overwrite);
    };
    transfer().readFromCnc();
    ASSERT_TRUE(waitFor([&] { return transfer().session().progress().fileBar() > 2048; }));
    const std::string staging = transfer().session().stagingFolder();
    m_sim.kill();
    // Nothing answers any more: the session's clock runs ahead, so each
    // tick finds the engine's next time-out passed instead of waiting for it.
    const auto aheadUntil = [&](const std::function<bool()>& done) {
        return waitFor([&] {
            transfer().driver().skipTime(std::chrono::seconds(1));
            return done();
        });
    };
    ASSERT_TRUE(aheadUntil([&] { return stopped(); }));
    ASSERT_TRUE(aheadUntil([&] { return idle(); }));
    EXPECT_FALSE(fs::exists(projectFile("O0009.cnc")));
    EXPECT_FALSE(fs::exists(staging));
    EXPECT_FALSE(recorded(TransferSession::kAllReceivedText));
}

TEST_F(TransferWindowTest, AControllerUploadIsSavedWhereTheUserSays) {
    const QString upload = QString::fromStdString(folder() + "/O0100.cnc");
    QFile file(upload);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(partProgram("O0100", 3000));
    file.close();
    ASSERT_TRUE(m_sim.start({QStringLiteral("--upload"), upload}));
    ASSERT_TRUE(connectToSim());
    bool uploadShown = false;
    QObject::connect(&transfer().pump(), &LinkEventPump::dispatched, [&] {
        if (auto* progress = transfer().progressWindow())
            uploadShown = uploadShown || progress->windowTitle() == QStringLiteral("文件接收");
    });
    const QString target = QString::fromStdString(folder() + "/kept.cnc");
    m_transferDialogs.keep = true;
    m_transferDialogs.target = target;
    ASSERT_TRUE(waitFor([&] { return QFile::exists(target); }, 30000));
    EXPECT_TRUE(uploadShown);
    EXPECT_EQ(m_transferDialogs.uploadName, QStringLiteral("O0100.cnc"));
    EXPECT_EQ(fileBytes(target), fileBytes(upload));
    EXPECT_FALSE(QFile::exists(m_transferDialogs.uploadOffered));
    // An upload leaves the link connected.
    EXPECT_TRUE(transfer().session().connected());
    EXPECT_TRUE(m_window->isEnabled());
}

TEST_F(TransferWindowTest, AnUnusableTemporaryFolderIsReportedAndTheLinkRecovers) {
    // A plain file where the folder was: nothing can be made in it, for
    // any user.
    const QString temp = transfer().tempFolder();
    ASSERT_TRUE(QDir(temp).removeRecursively());
    QFile blocker(temp);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    fillController();
    ASSERT_TRUE(m_sim.start());
    createProject("demo");
    ASSERT_TRUE(connectToSim());
    bool started = true;
    m_transferDialogs.onRead = [&](TransferFileDialog::ReceiveStart& start) {
        SessionList::ReceiveSelection plc;
        plc.plcProgram = true;
        started = start(plc, SaveMode::Overwrite);
        return started;
    };
    m_recorder.script({Answer::Ok});
    transfer().readFromCnc();
    ASSERT_TRUE(waitForMessage(SessionList::kStagingFailedText));
    EXPECT_FALSE(started);
    ASSERT_TRUE(waitFor([&] { return idle(); }));
    // The project's program is the one it had.
    EXPECT_NE(fileBytes(qProjectFile("main_demo.ldx")), demoFile("main_LatheDemo.ldx"));
    QFile::remove(temp);
    EXPECT_TRUE(connectToSim());
}

TEST_F(TransferWindowTest, QuittingWhileConnectedAsksAndDisconnectsFirst) {
    ASSERT_TRUE(m_sim.start());
    ASSERT_TRUE(connectToSim());
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

}  // namespace
}  // namespace kelcc::ui::test
