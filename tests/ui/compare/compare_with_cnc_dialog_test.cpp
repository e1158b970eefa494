#include "compare/compare_with_cnc_dialog.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "app/project.h"
#include "app/project_host.h"
#include "comm/serial_port.h"

namespace kelcc::ui {
namespace {

namespace fs = std::filesystem;

// Without a controller the dialog still ends: every file is listed as not
// compared and the port's message is in the report; the project is only read.
TEST(CompareWithCncDialogTest, AMissingPortEndsWithEveryFileNotCompared) {
    const fs::path dir =
        fs::temp_directory_path() / ("kelcc_compare_ui_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    core::common::RecordingInteraction ui;
    core::app::HeadlessProjectHost host;
    host.setAutoOpen(false);
    core::app::Project project(ui, host);
    ASSERT_TRUE(project.newProject([&]() -> std::optional<core::app::ProjectLocation> {
        return core::app::ProjectLocation{"demo", dir.string()};
    }));

    core::transfer::CompareSession::Settings settings;
    settings.paths.setPath(1, (dir / "no-such-tty").string());
    settings.tempFolder = dir.string();
    CompareWithCncDialog dialog(project, settings);
    dialog.show();
    QPushButton* close = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == CompareWithCncDialog::tr("关闭")) close = button;
    ASSERT_NE(close, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(close->isEnabled(), 10000);

    const QString report = dialog.findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("plc.ldx\t1\t未比较"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("ParaW.par\t1\t未比较")));
    EXPECT_TRUE(report.contains(QString::fromUtf8(core::comm::SerialPort::kOpenFailedText)));
    EXPECT_FALSE(report.contains(CompareWithCncDialog::tr("相同")));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace kelcc::ui
