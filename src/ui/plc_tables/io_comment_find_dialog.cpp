#include "plc_tables/io_comment_find_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/interaction.h"
#include "plc_tables/io_comment_model.h"

namespace kelcc::ui {

using FindBy = core::plc_tables::IoCommentModel::FindBy;

IoCommentFindDialog::IoCommentFindDialog(const core::plc_tables::IoCommentModel& model,
                                         core::common::Interaction& interaction, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_interaction(interaction),
      m_kind(new QComboBox(this)),
      m_query(new QLineEdit(this)) {
    setWindowTitle(tr("查找I/O地址注释"));
    m_kind->addItem(tr("地址"), static_cast<int>(FindBy::Address));
    m_kind->addItem(tr("序号"), static_cast<int>(FindBy::Number));
    m_kind->addItem(tr("注释"), static_cast<int>(FindBy::Comment));
    m_query->setMinimumWidth(220);
    auto* form = new QFormLayout;
    form->addRow(tr("查找方式:"), m_kind);
    form->addRow(tr("查找内容:"), m_query);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next = buttons->addButton(tr("查找下一个"), QDialogButtonBox::ActionRole);
    next->setDefault(true);
    buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    connect(next, &QPushButton::clicked, this, &IoCommentFindDialog::findNext);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int IoCommentFindDialog::findNext() {
    const auto by = static_cast<FindBy>(m_kind->currentData().toInt());
    const int row = m_model.find(by, m_query->text().toStdString(), m_last);
    if (row < 0) {
        m_interaction.inform(core::plc_tables::IoCommentModel::kNotFoundText, "查找",
                             core::common::MessageIcon::Information);
        return -1;
    }
    m_last = row;
    emit found(row);
    return row;
}

}  // namespace kelcc::ui
