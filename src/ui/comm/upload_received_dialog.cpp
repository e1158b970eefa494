#include "comm/upload_received_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelcc::ui {

UploadReceivedDialog::UploadReceivedDialog(const QString& uploadPath, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("接收到文件"));
    m_text = new QLabel(
        tr("接收到CNC上传的文件 \"%1\"").arg(QFileInfo(uploadPath).completeBaseName()), this);
    auto* question = new QLabel(tr("保存文件到硬盘吗?"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(question);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

QString UploadReceivedDialog::text() const {
    return m_text->text();
}

}  // namespace kelcc::ui
