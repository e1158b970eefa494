#include "comm/transfer_dialogs.h"

#include <QFileDialog>

#include "comm/serial_device_list.h"
#include "comm/upload_received_dialog.h"

namespace kelcc::ui {

std::optional<CommSettingsDialog::Values> TransferDialogs::commSettings(
    QWidget* parent, const CommSettingsDialog::Values& stored) {
    CommSettingsDialog dialog(stored, SerialDeviceList::available(), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.values();
}

bool TransferDialogs::sendFiles(QWidget* parent, const std::string& projectName,
                                const std::vector<std::string>& programs,
                                core::common::Interaction& ui,
                                TransferFileDialog::SendStart start) {
    TransferFileDialog dialog(projectName, programs, ui, std::move(start), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TransferDialogs::readFiles(QWidget* parent,
                                const core::transfer::TransferSession::ReadChoices& choices,
                                bool projectOpen, core::common::Interaction& ui,
                                TransferFileDialog::ReceiveStart start) {
    TransferFileDialog dialog(choices, projectOpen, ui, std::move(start), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TransferDialogs::keepUpload(QWidget* parent, const QString& uploadPath) {
    UploadReceivedDialog dialog(uploadPath, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> TransferDialogs::uploadTarget(QWidget* parent, const QString& fileName) {
    const QString path =
        QFileDialog::getSaveFileName(parent, QString(), fileName, QObject::tr("All Files(*)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace kelcc::ui
