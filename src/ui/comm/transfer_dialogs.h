#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "comm/comm_settings_dialog.h"
#include "comm/transfer_file_dialog.h"

class QWidget;

namespace kelcc::ui {

// The modal dialogs of the transfer commands behind one seam: the program
// shows them, tests answer in their place.
class TransferDialogs {
public:
    virtual ~TransferDialogs() = default;

    virtual std::optional<CommSettingsDialog::Values> commSettings(
        QWidget* parent, const CommSettingsDialog::Values& stored);
    // True when the dialog ended with its OK (the session has started).
    virtual bool sendFiles(QWidget* parent, const std::string& projectName,
                           const std::vector<std::string>& programs, core::common::Interaction& ui,
                           TransferFileDialog::SendStart start);
    virtual bool readFiles(QWidget* parent,
                           const core::transfer::TransferSession::ReadChoices& choices,
                           bool projectOpen, core::common::Interaction& ui,
                           TransferFileDialog::ReceiveStart start);
    // "接收到文件": keep the uploaded file?
    virtual bool keepUpload(QWidget* parent, const QString& uploadPath);
    // Where to save it; the name preset.
    virtual std::optional<QString> uploadTarget(QWidget* parent, const QString& fileName);
};

}  // namespace kelcc::ui
