#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <filesystem>
#include <fstream>

#include "comm/comm_settings_dialog.h"
#include "comm/serial_device_list.h"
#include "comm/transfer_file_dialog.h"
#include "comm/transfer_progress_window.h"
#include "common/interaction.h"

namespace kelcc::ui::test {
namespace {

namespace fs = std::filesystem;
using core::comm::FileEntry;
using core::transfer::SessionList;
using core::transfer::TransferSession;

TEST(CommSettingsDialogTest, PreselectsStoredTextsOrTheDefaultsAndMarksMissingDevices) {
    const struct {
        const char* port;
        const char* baud;
        const char* shownPort;
        const char* shownBaud;
    } cases[] = {{"3", "9600", "3", "9600"}, {"", "600", "1", "38400"}, {"7", "", "1", "38400"}};
    QTemporaryDir dir;
    const QString present = dir.filePath(QStringLiteral("ttyX"));
    QFile(present).open(QIODevice::WriteOnly);
    for (const auto& c : cases) {
        CommSettingsDialog::Values stored;
        stored.port = QString::fromLatin1(c.port);
        stored.baud = QString::fromLatin1(c.baud);
        stored.paths = {present, dir.filePath(QStringLiteral("gone")), QString(), QString()};
        const CommSettingsDialog dialog(stored, {{present.toStdString(), "USB adapter"}});
        EXPECT_EQ(dialog.portList()->currentText(), QString::fromLatin1(c.shownPort));
        EXPECT_EQ(dialog.baudList()->currentText(), QString::fromLatin1(c.shownBaud));
        EXPECT_EQ(dialog.baudList()->count(), 6);
        EXPECT_EQ(dialog.values().paths[0], present);
        EXPECT_TRUE(dialog.pathState(0).isEmpty());
        EXPECT_FALSE(dialog.pathState(1).isEmpty());
        EXPECT_EQ(dialog.values().paths[1], dir.filePath(QStringLiteral("gone")));
    }
}

TEST(SerialDeviceListTest, StableNamesFirstThenAdaptersThenUartsTheKernelFound) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    const fs::path dev = root / "dev";
    const fs::path sys = root / "sys";
    fs::create_directories(dev / "serial" / "by-id");
    for (const char* node : {"ttyS0", "ttyS1", "ttyUSB10", "ttyUSB2", "ttyACM0", "tty1"})
        std::ofstream(dev / node).put('x');
    fs::create_symlink(dev / "ttyUSB2", dev / "serial" / "by-id" / "usb-Maker_Cable-if00");
    // ttyUSB2's device with its product two levels up, ttyS1 without a port.
    const fs::path usb = sys / "devices" / "usb1" / "1-1";
    fs::create_directories(usb / "1-1:1.0" / "ttyUSB2");
    std::ofstream(usb / "product") << "Cable\n";
    std::ofstream(usb / "manufacturer") << "Maker\n";
    for (const char* node : {"ttyS0", "ttyS1", "ttyUSB2"}) {
        fs::create_directories(sys / "class" / "tty" / node);
    }
    fs::create_directory_symlink(usb / "1-1:1.0" / "ttyUSB2",
                                 sys / "class" / "tty" / "ttyUSB2" / "device");
    std::ofstream(sys / "class" / "tty" / "ttyS0" / "type") << "4\n";
    std::ofstream(sys / "class" / "tty" / "ttyS1" / "type") << "0\n";

    const auto devices = SerialDeviceList::available(dev.string(), sys.string());
    std::vector<std::string> paths;
    for (const auto& device : devices)
        paths.push_back(fs::path(device.path).filename().string());
    EXPECT_EQ(paths, (std::vector<std::string>{"usb-Maker_Cable-if00", "ttyUSB2", "ttyUSB10",
                                               "ttyACM0", "ttyS0"}));
    EXPECT_EQ(devices[0].description, "Maker Cable (ttyUSB2)");
    EXPECT_EQ(devices[1].description, "Maker Cable");
}

class TransferFileDialogTest : public testing::Test {
protected:
    core::common::RecordingInteraction m_ui;
};

TEST_F(TransferFileDialogTest, SendModeTreeChecksBranchesAndSendsOnlyFullyCheckedNodes) {
    std::optional<SessionList::SendSelection> started;
    TransferFileDialog dialog("demo", {"O0001", "O0002"}, m_ui, [&](const auto& selection) {
        started = selection;
        return true;
    });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("传送工程至CNC"));
    EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("开始传送"));
    QTreeWidgetItem* root = dialog.tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("工程 - demo"));
    EXPECT_EQ(dialog.node(QStringLiteral("PLC程序文件"))->checkState(0), Qt::Checked);
    EXPECT_EQ(root->checkState(0), Qt::PartiallyChecked);
    EXPECT_TRUE(dialog.node(QStringLiteral("CNC配置文件"))->isExpanded());
    EXPECT_TRUE(dialog.saveModes()->isHidden());

    // A branch checks its children; one child unchecked leaves it partly.
    QTreeWidgetItem* config = dialog.node(QStringLiteral("CNC配置文件"));
    config->setCheckState(0, Qt::Checked);
    EXPECT_EQ(dialog.node(QStringLiteral("刀具偏置"))->checkState(0), Qt::Checked);
    dialog.node(QStringLiteral("刀具偏置"))->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(config->checkState(0), Qt::PartiallyChecked);
    dialog.node(QStringLiteral("O0002"))->setCheckState(0, Qt::Checked);
    EXPECT_EQ(dialog.node(QStringLiteral("加工程序文件"))->checkState(0), Qt::PartiallyChecked);

    dialog.okButton()->click();
    ASSERT_TRUE(started);
    EXPECT_TRUE(started->plcProgram && started->parameters && started->pitchCompensation);
    EXPECT_FALSE(started->toolOffsets);
    EXPECT_EQ(started->programs, std::vector<std::string>{"O0002"});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TransferFileDialogTest, NothingCheckedIsRefusedAndARefusedStartKeepsTheDialog) {
    int starts = 0;
    TransferFileDialog dialog("demo", {}, m_ui, [&](const auto&) { return ++starts > 1; });
    EXPECT_EQ(dialog.node(QStringLiteral("加工程序文件")), nullptr);
    dialog.tree()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    dialog.show();
    dialog.okButton()->click();
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].text, SessionList::kNoSelectionText);
    EXPECT_EQ(starts, 0);
    dialog.node(QStringLiteral("参数"))->setCheckState(0, Qt::Checked);
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(starts, 2);
}

TEST_F(TransferFileDialogTest, ReadModeOffersTheAreasAndOverwritingOnlyWithAProject) {
    TransferSession::ReadChoices choices;
    choices.programs[0] = {FileEntry{"O0001.cnc", "", 2, 1, 3000}};
    choices.programs[2] = {FileEntry{"O0005.cnc", "", 4, 1, 120},
                           FileEntry{"O0006.cnc", "", 4, 1, 99}};
    for (const bool projectOpen : {false, true}) {
        std::optional<SessionList::ReceiveSelection> started;
        TransferFileDialog::SaveMode mode{};
        TransferFileDialog dialog(choices, projectOpen, m_ui, [&](const auto& selection, auto m) {
            started = selection;
            mode = m;
            return true;
        });
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("从CNC读入文件"));
        EXPECT_EQ(dialog.okButton()->text(), QStringLiteral("开始读入"));
        EXPECT_EQ(dialog.group()->title(), QStringLiteral("读入文件"));
        EXPECT_EQ(dialog.tree()->topLevelItem(0)->text(0), QStringLiteral("KEL500LT CNC"));
        EXPECT_EQ(dialog.saveModes()->count(), projectOpen ? 2 : 1);
        EXPECT_EQ(dialog.saveModes()->currentText(), QStringLiteral("新建工程并打开"));
        EXPECT_EQ(dialog.node(QStringLiteral("USER1"))->childCount(), 0);
        EXPECT_EQ(dialog.node(QStringLiteral("O0001.cnc"))->text(1), QStringLiteral("3000 字节"));

        // An empty area alone selects nothing.
        dialog.node(QStringLiteral("PLC程序文件"))->setCheckState(0, Qt::Unchecked);
        dialog.node(QStringLiteral("USER1"))->setCheckState(0, Qt::Checked);
        dialog.okButton()->click();
        EXPECT_FALSE(started);
        EXPECT_EQ(m_ui.messages().back().text, SessionList::kNoSelectionText);
        dialog.node(QStringLiteral("USER1"))->setCheckState(0, Qt::Unchecked);
        dialog.node(QStringLiteral("USER2"))->setCheckState(0, Qt::Checked);
        if (projectOpen) dialog.saveModes()->setCurrentIndex(1);
        dialog.okButton()->click();
        ASSERT_TRUE(started);
        EXPECT_TRUE(started->empty());
        ASSERT_EQ(started->programs.size(), 2u);
        EXPECT_EQ(started->programs[1], choices.programs[2][1]);
        EXPECT_EQ(mode, projectOpen ? TransferFileDialog::SaveMode::Overwrite
                                    : TransferFileDialog::SaveMode::NewProject);
    }
}

}  // namespace
}  // namespace kelcc::ui::test
