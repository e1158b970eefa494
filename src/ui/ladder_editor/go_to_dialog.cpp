#include "ladder_editor/go_to_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kelcc::ui {

GoToDialog::GoToDialog(Run run, QWidget* parent) : QDialog(parent), m_run(std::move(run)) {
    setWindowTitle(tr("转到"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    m_row = new QLineEdit(QStringLiteral("1"), this);
    m_row->setValidator(digits);
    m_row->setMaxLength(5);
    m_column = new QLineEdit(QStringLiteral("1"), this);
    m_column->setValidator(digits);
    m_column->setMaxLength(5);
    form->addRow(tr("行"), m_row);
    form->addRow(tr("列"), m_column);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GoToDialog::reject);
    layout->addWidget(buttons);
}

void GoToDialog::accept() {
    if (m_run && !m_run(m_row->text().toStdString(), m_column->text().toStdString())) return;
    QDialog::accept();
}

}  // namespace kelcc::ui
