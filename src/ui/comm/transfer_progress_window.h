#pragma once

#include <QDialog>

#include "comm/transfer_progress.h"
#include "transfer/transfer_session.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kelcc::ui {

// "KELCC-文件传输" (or "文件接收" for an upload): the session's files, the
// line's state, the current file and the whole session. Modeless; it stays
// usable while the main window is disabled for its "取消".
class TransferProgressWindow final : public QDialog {
    Q_OBJECT

public:
    explicit TransferProgressWindow(QWidget* parent = nullptr);

    void showState(const core::transfer::TransferSession::ProgressView& view,
                   const core::comm::TransferProgress& progress);

    QPlainTextEdit* fileList() const { return m_files; }
    QLabel* status() const { return m_status; }
    QLabel* retries() const { return m_retries; }
    QLabel* lastError() const { return m_lastError; }
    QLabel* speed() const { return m_speed; }
    QGroupBox* fileGroup() const { return m_fileGroup; }
    QLabel* fileDone() const { return m_fileDone; }
    QLabel* fileSize() const { return m_fileSize; }
    QLabel* percent() const { return m_percent; }
    QProgressBar* fileBar() const { return m_fileBar; }
    QProgressBar* sessionBar() const { return m_sessionBar; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

protected:
    // Closing the window by its frame is the cancel button.
    void reject() override;

private:
    QPlainTextEdit* m_files = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_retries = nullptr;
    QLabel* m_lastError = nullptr;
    QLabel* m_speed = nullptr;
    QGroupBox* m_fileGroup = nullptr;
    QLabel* m_fileDone = nullptr;
    QLabel* m_fileSize = nullptr;
    QLabel* m_percent = nullptr;
    QProgressBar* m_fileBar = nullptr;
    QProgressBar* m_sessionBar = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_shownLines;
};

}  // namespace kelcc::ui
