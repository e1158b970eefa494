#include "app/plc_properties_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kelcc::ui {

PlcPropertiesDialog::PlcPropertiesDialog(const Texts& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("梯形图属性"));
    const QString labels[] = {tr("梯形图设计:"), tr("梯形图版本:"), tr("备注:")};
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i] = new QLineEdit(QString::fromStdString(texts[i]), this);
        m_edits[i]->setMinimumWidth(300);
        form->addRow(labels[i], m_edits[i]);
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

PlcPropertiesDialog::Texts PlcPropertiesDialog::texts() const {
    Texts texts;
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        texts[i] = m_edits[i]->text().toStdString();
    return texts;
}

}  // namespace kelcc::ui
