#include "ladder_editor/function_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "common/interaction.h"
#include "ladder_editor/function_chooser.h"

namespace kelcc::ui {

using core::ladder_editor::FunctionChooser;

FunctionChooserDialog::FunctionChooserDialog(core::common::Interaction& interaction,
                                             QWidget* parent)
    : QDialog(parent), m_interaction(interaction) {
    setWindowTitle(tr("功能指令"));
    // The hint is this dialog's own text; its check lives in the core.
    auto* layout = new QGridLayout(this);
    m_list = new QListWidget(this);
    for (const auto mnemonic : core::plc::kFunctionInstructionList)
        m_list->addItem(
            QString::fromLatin1(mnemonic.data(), static_cast<qsizetype>(mnemonic.size())));
    m_field = new QLineEdit(this);
    m_field->setMaxLength(4);
    auto* hint = new QLabel(tr("在左边列表框选择\n或直接在右边编辑框输入功能指令"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_list, 0, 0, 3, 1);
    layout->addWidget(hint, 0, 1);
    layout->addWidget(m_field, 1, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);

    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString& text) {
        if (!text.isEmpty() && m_field->text() != text) m_field->setText(text);
    });
    connect(m_field, &QLineEdit::textEdited, this, [this](const QString& typed) {
        const QString upper = typed.toUpper();
        if (upper != typed) m_field->setText(upper);
        const int entry = FunctionChooser::entryFor(upper.toStdString());
        m_list->setCurrentRow(entry);
        if (entry == FunctionChooser::kNoEntry) m_list->clearSelection();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &FunctionChooserDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FunctionChooserDialog::reject);
    // As in the operand dialogs: a name typed at once goes into the field.
    m_field->setFocus();
}

void FunctionChooserDialog::accept() {
    const QListWidgetItem* item = m_list->currentItem();
    const int entry =
        item != nullptr && item->isSelected() ? m_list->row(item) : FunctionChooser::kNoEntry;
    const auto chosen = FunctionChooser::accept(entry, m_interaction);
    if (!chosen) return;
    m_chosen = *chosen;
    QDialog::accept();
}

}  // namespace kelcc::ui
