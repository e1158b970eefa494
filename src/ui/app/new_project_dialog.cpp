#include "app/new_project_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelcc::ui {

NewProjectDialog::NewProjectDialog(const QString& title, const core::app::ProjectLocation& preset,
                                   QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(this)), m_path(new QLineEdit(this)) {
    setWindowTitle(title);
    m_name->setMaxLength(core::app::Project::kMaxNameCharacters);
    m_name->setText(QString::fromStdString(preset.name));
    m_path->setText(preset.path.empty() ? QDir::currentPath()
                                        : QString::fromStdString(preset.path));
    m_path->setMinimumWidth(320);

    auto* browseButton = new QPushButton(tr("浏览..."), this);
    connect(browseButton, &QPushButton::clicked, this, &NewProjectDialog::browse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(browseButton);

    auto* form = new QFormLayout;
    form->addRow(tr("工程名称"), m_name);
    form->addRow(tr("存储路径"), pathRow);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

core::app::ProjectLocation NewProjectDialog::location() const {
    // The separator of the platform is '/'; the core joins with it.
    return {m_name->text().toStdString(), QDir::fromNativeSeparators(m_path->text()).toStdString()};
}

void NewProjectDialog::browse() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("打开工程..."), m_path->text());
    if (!folder.isEmpty()) m_path->setText(QDir::toNativeSeparators(folder));
}

}  // namespace kelcc::ui
