#pragma once

#include <QDialog>

class QLabel;

namespace kelcc::ui {

// "接收到文件": the controller uploaded a file on its own; the user says
// whether to keep it.
class UploadReceivedDialog final : public QDialog {
    Q_OBJECT

public:
    explicit UploadReceivedDialog(const QString& uploadPath, QWidget* parent = nullptr);
    QString text() const;

private:
    QLabel* m_text = nullptr;
};

}  // namespace kelcc::ui
