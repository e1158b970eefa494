#include "app/import_ladder_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelcc::ui {

ImportLadderDialog::ImportLadderDialog(const core::app::Project& project, QWidget* parent)
    : QDialog(parent),
      m_project(project),
      m_intoNew(new QRadioButton(tr("导入到新建工程中"), this)),
      m_intoOpen(new QRadioButton(tr("导入到当前打开的工程中"), this)),
      m_path(new QLineEdit(this)) {
    setWindowTitle(tr("导入梯形图程序(*.ldx)"));
    m_intoNew->setChecked(true);
    m_intoOpen->setEnabled(project.projectOpen());
    m_path->setMinimumWidth(320);

    auto* browseButton = new QPushButton(tr("浏览..."), this);
    connect(browseButton, &QPushButton::clicked, this, &ImportLadderDialog::browse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(browseButton);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportLadderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_intoNew);
    layout->addWidget(m_intoOpen);
    layout->addLayout(pathRow);
    layout->addWidget(buttons);
}

core::app::Project::ImportRequest ImportLadderDialog::request() const {
    core::app::Project::ImportRequest request;
    request.intoOpenProject = m_intoOpen->isChecked();
    request.sourcePath = QDir::fromNativeSeparators(m_path->text()).toStdString();
    return request;
}

void ImportLadderDialog::accept() {
    if (m_project.checkImportPath(request().sourcePath)) QDialog::accept();
}

void ImportLadderDialog::browse() {
    const QString file = QFileDialog::getOpenFileName(this, tr("选择梯形图程序文件"),
                                                      m_path->text(), tr("梯形图程序文件(*.ldx)"));
    if (file.isEmpty()) return;
    if (m_project.checkBrowsedLadder(file.toStdString()))
        m_path->setText(QDir::toNativeSeparators(file));
}

}  // namespace kelcc::ui
