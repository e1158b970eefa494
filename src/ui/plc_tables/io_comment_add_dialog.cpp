#include "plc_tables/io_comment_add_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/interaction.h"
#include "plc_tables/io_comment_model.h"

namespace kelcc::ui {

IoCommentAddDialog::IoCommentAddDialog(core::plc_tables::IoCommentModel& model,
                                       core::common::Interaction& interaction, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_interaction(interaction),
      m_address(new QLineEdit(this)),
      m_symbol(new QLineEdit(this)),
      m_comment(new QLineEdit(this)) {
    setWindowTitle(tr("添加I/O地址注释"));
    m_address->setMaxLength(8);
    m_symbol->setMaxLength(100);
    m_comment->setMaxLength(100);
    m_comment->setMinimumWidth(280);
    connect(m_address, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_address->setText(text.toUpper()); });
    auto* form = new QFormLayout;
    form->addRow(tr("地址:"), m_address);
    form->addRow(tr("符号:"), m_symbol);
    form->addRow(tr("注释:"), m_comment);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void IoCommentAddDialog::accept() {
    const auto result =
        m_model.add(m_address->text().toStdString(), m_comment->text().toStdString(),
                    m_symbol->text().toStdString());
    for (const auto& message : result.messages)
        m_interaction.inform(message.text, message.caption, core::common::MessageIcon::Warning);
    if (!result.stored()) return;
    m_row = result.redraw.empty() ? -1 : result.redraw.front().row;
    QDialog::accept();
}

}  // namespace kelcc::ui
