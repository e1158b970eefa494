#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/shell_test_support.h"
#include "comm/transfer_commands.h"
#include "comm/transfer_dialogs.h"

namespace kelcc::ui::test {

// The stand-in controller on a pseudo-terminal, started as its own program
// so that a test can kill it in the middle of a file.
class SimProcess final {
public:
    explicit SimProcess(const QString& folder);
    ~SimProcess();

    // Storage area folders under storage(); the link is linkPath() once
    // start() returned true.
    bool start(const QStringList& options = {});
    void kill();
    QString storage() const { return m_folder + QStringLiteral("/store"); }
    QString linkPath() const { return m_folder + QStringLiteral("/tty"); }
    void put(int area, const QString& name, const QByteArray& bytes) const;
    QByteArray stored(int area, const QString& name) const;

private:
    QString m_folder;
    QProcess m_process;
};

// The transfer dialogs answered by the test.
class ScriptedTransferDialogs final : public TransferDialogs {
public:
    std::optional<CommSettingsDialog::Values> commSettings(
        QWidget*, const CommSettingsDialog::Values& stored) override {
        settingsShown = stored;
        return settingsAnswer;
    }
    bool sendFiles(QWidget*, const std::string& projectName, const std::vector<std::string>&,
                   core::common::Interaction&, TransferFileDialog::SendStart start) override {
        sendProject = projectName;
        return onSend ? onSend(start) : false;
    }
    bool readFiles(QWidget*, const core::transfer::TransferSession::ReadChoices& choices,
                   bool projectOpen, core::common::Interaction&,
                   TransferFileDialog::ReceiveStart start) override {
        readChoices = choices;
        overwriteOffered = projectOpen;
        return onRead ? onRead(start) : false;
    }
    bool keepUpload(QWidget*, const QString& uploadPath) override {
        uploadOffered = uploadPath;
        return target.has_value();
    }
    std::optional<QString> uploadTarget(QWidget*, const QString& fileName) override {
        uploadName = fileName;
        return target;
    }

    std::optional<CommSettingsDialog::Values> settingsAnswer;
    CommSettingsDialog::Values settingsShown;
    std::function<bool(TransferFileDialog::SendStart&)> onSend;
    std::function<bool(TransferFileDialog::ReceiveStart&)> onRead;
    std::string sendProject;
    core::transfer::TransferSession::ReadChoices readChoices;
    bool overwriteOffered = false;
    std::optional<QString> target;  // an upload is kept, saved there, when set
    QString uploadOffered;
    QString uploadName;
};

// A main window whose port 1 is the stand-in controller's line.
class TransferFixture : public ShellFixture {
public:
    TransferFixture();
    ~TransferFixture();

    TransferCommands& transfer() { return m_window->transfer(); }
    // Points port 1 at `device` through the settings dialog.
    void usePort(const QString& device, const QString& baud = QStringLiteral("115200"));
    // Bounded waits; false when the time ran out.
    static bool waitFor(const std::function<bool()>& done, int timeoutMs = 20000);
    bool waitForMessage(const std::string& text, int timeoutMs = 20000);
    bool connectToSim();
    bool stopped(const std::string& caption = "KELCC") const;

    ScriptedTransferDialogs m_transferDialogs;
    SimProcess m_sim;
};

}  // namespace kelcc::ui::test
