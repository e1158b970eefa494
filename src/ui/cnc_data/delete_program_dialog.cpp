#include "cnc_data/delete_program_dialog.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelcc::ui {

DeleteProgramDialog::DeleteProgramDialog(const QString& programName, QWidget* parent)
    : QDialog(parent),
      m_fromProject(new QRadioButton(tr("从工程中删除"), this)),
      m_fromDisk(new QRadioButton(tr("从硬盘上永久删除"), this)) {
    setWindowTitle(tr("删除CNC加工程序 %1").arg(programName));
    m_fromProject->setObjectName(QStringLiteral("fromProject"));
    m_fromDisk->setObjectName(QStringLiteral("fromDisk"));
    m_fromProject->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DeleteProgramDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DeleteProgramDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fromProject);
    layout->addWidget(m_fromDisk);
    layout->addWidget(buttons);
}

bool DeleteProgramDialog::deleteFile() const {
    return m_fromDisk->isChecked();
}

}  // namespace kelcc::ui
