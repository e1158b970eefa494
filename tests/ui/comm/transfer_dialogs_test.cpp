#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <filesystem>

#include "../../core/common/case_file.h"
#include "comm/comm_settings_dialog.h"
#include "comm/serial_device_list.h"
#include "comm/transfer_file_dialog.h"
#include "common/interaction.h"

namespace kelcc::ui::test {
namespace {

namespace fs = std::filesystem;
using core::comm::FileEntry;
using core::transfer::SessionList;
using core::transfer::TransferSession;

TEST(CommSettingsDialogTest, PreselectsStoredTextsOrTheDefaultsAndMarksMissingDevices) {
    QTemporaryDir dir;
    const QString present = dir.filePath(QStringLiteral("ttyX"));
    QFile(present).open(QIODevice::WriteOnly);
    for (const auto& c : kelcc::test::ReadCases("ui/comm/cases/comm_settings.txt")) {
        SCOPED_TRACE(c.where);
        CommSettingsDialog::Values stored;
        stored.port = QString::fromStdString(c[0]);
        stored.baud = QString::fromStdString(c[1]);
        stored.paths = {present, dir.filePath(QStringLiteral("gone")), QString(), QString()};
        const CommSettingsDialog dialog(stored, {{present.toStdString(), "USB adapter"}});
        EXPECT_EQ(dialog.portList()->currentText(), QString::fromStdString(c[2]));
        EXPECT_EQ(dialog.baudList()->currentText(), QString::fromStdString(c[3]));
        EXPECT_EQ(dialog.baudList()->count(), 6);
        EXPECT_EQ(dialog.values().paths[0], present);
        EXPECT_TRUE(dialog.pathState(0).isEmpty());
        EXPECT_FALSE(dialog.pathState(1).isEmpty());
        EXPECT_EQ(dialog.values().paths[1], dir.filePath(QStringLiteral("gone")));
    }
}

TEST(SerialDeviceListTest, StableNamesFirstThenAdaptersThenUartsTheKernelFound) {
    const std::string tree = KELCC_COMM_CASES "/serial_tree";
    const auto devices = SerialDeviceList::available(tree + "/dev", tree + "/sys");
    std::vector<std::string> paths;
    for (const auto& device : devices)
        paths.push_back(fs::path(device.path).filename().string());
    EXPECT_EQ(paths, (std::vector<std::string>{"usb-Maker_Cable-if00", "ttyUSB2", "ttyUSB10",
                                               "ttyACM0", "ttyS0"}));
    EXPECT_EQ(devices[0].description, "Maker Cable (ttyUSB2)");
    EXPECT_EQ(devices[1].description, "Maker Cable");
}

// Nothing checked is refused; a refused start keeps the dialog.
TEST(TransferFileDialogTest, SendModeTreeChecksBranchesAndSendsOnlyFullyCheckedNodes) {
    core::common::RecordingInteraction ui;
    std::optional<SessionList::SendSelection> started;
    int starts = 0;
    TransferFileDialog dialog("demo", {"O0001", "O0002"}, ui, [&](const auto& selection) {
        started = selection;
        return ++starts > 1;
    });
    QTreeWidgetItem* root = dialog.tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("工程 - demo"));
    EXPECT_EQ(dialog.node(QStringLiteral("PLC程序文件"))->checkState(0), Qt::Checked);
    EXPECT_EQ(root->checkState(0), Qt::PartiallyChecked);
    EXPECT_TRUE(dialog.node(QStringLiteral("CNC配置文件"))->isExpanded());
    EXPECT_TRUE(dialog.saveModes()->isHidden());
    root->setCheckState(0, Qt::Unchecked);
    dialog.show();
    dialog.okButton()->click();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, SessionList::kNoSelectionText);
    EXPECT_EQ(starts, 0);

    // A branch checks its children; one child unchecked leaves it partly.
    dialog.node(QStringLiteral("PLC程序文件"))->setCheckState(0, Qt::Checked);
    QTreeWidgetItem* config = dialog.node(QStringLiteral("CNC配置文件"));
    config->setCheckState(0, Qt::Checked);
    EXPECT_EQ(dialog.node(QStringLiteral("刀具偏置"))->checkState(0), Qt::Checked);
    dialog.node(QStringLiteral("刀具偏置"))->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(config->checkState(0), Qt::PartiallyChecked);
    dialog.node(QStringLiteral("O0002"))->setCheckState(0, Qt::Checked);
    EXPECT_EQ(dialog.node(QStringLiteral("加工程序文件"))->checkState(0), Qt::PartiallyChecked);

    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(started);
    EXPECT_TRUE(started->plcProgram && started->parameters && started->pitchCompensation);
    EXPECT_FALSE(started->toolOffsets);
    EXPECT_EQ(started->programs, std::vector<std::string>{"O0002"});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Without part programs there is no branch for them.
    TransferFileDialog none("demo", {}, ui, [](const auto&) { return true; });
    EXPECT_EQ(none.node(QStringLiteral("加工程序文件")), nullptr);
}

TEST(TransferFileDialogTest, ReadModeOffersTheAreasAndOverwritingOnlyWithAProject) {
    core::common::RecordingInteraction ui;
    TransferSession::ReadChoices choices;
    choices.programs[0] = {FileEntry{"O0001.cnc", "", 2, 1, 3000}};
    choices.programs[2] = {FileEntry{"O0005.cnc", "", 4, 1, 120},
                           FileEntry{"O0006.cnc", "", 4, 1, 99}};
    for (const bool projectOpen : {false, true}) {
        std::optional<SessionList::ReceiveSelection> started;
        TransferFileDialog::SaveMode mode{};
        TransferFileDialog dialog(choices, projectOpen, ui, [&](const auto& selection, auto m) {
            started = selection;
            mode = m;
            return true;
        });
        EXPECT_EQ(dialog.saveModes()->count(), projectOpen ? 2 : 1);
        EXPECT_EQ(dialog.saveModes()->currentText(), QStringLiteral("新建工程并打开"));
        EXPECT_EQ(dialog.node(QStringLiteral("USER1"))->childCount(), 0);
        EXPECT_EQ(dialog.node(QStringLiteral("O0001.cnc"))->text(1), QStringLiteral("3000 字节"));

        // An empty area alone selects nothing.
        dialog.node(QStringLiteral("PLC程序文件"))->setCheckState(0, Qt::Unchecked);
        dialog.node(QStringLiteral("USER1"))->setCheckState(0, Qt::Checked);
        dialog.okButton()->click();
        EXPECT_FALSE(started);
        EXPECT_EQ(ui.messages().back().text, SessionList::kNoSelectionText);
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
