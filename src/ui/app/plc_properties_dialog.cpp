#include "app/plc_properties_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/interaction.h"
#include "common/text_codec.h"
#include "plc_tables/cell_rules.h"

namespace kelcc::ui {

using core::common::TextCodec;

PlcPropertiesDialog::PlcPropertiesDialog(const QString& title, const Texts& texts,
                                         core::common::Interaction& interaction, QWidget* parent)
    : QDialog(parent), m_interaction(interaction), m_original(texts), m_result(texts) {
    setWindowTitle(title);
    const QString labels[] = {tr("梯形图设计:"), tr("梯形图版本:"), tr("备注:")};
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        const std::string shown = core::plc_tables::CellRules::shown(texts[i]);
        m_shown[i] = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
        m_edits[i] = new QLineEdit(m_shown[i], this);
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

void PlcPropertiesDialog::accept() {
    Texts result = m_original;
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        // An untouched text keeps its bytes, even those that do not decode.
        if (m_edits[i]->text() == m_shown[i]) continue;
        const auto gbk = TextCodec::utf8ToGbk(m_edits[i]->text().toStdString());
        if (!gbk.ok) {
            m_interaction.inform(kNotGbkText, windowTitle().toStdString(),
                                 core::common::MessageIcon::Warning);
            m_edits[i]->setFocus();
            return;
        }
        result[i] = gbk.text;
    }
    m_result = result;
    QDialog::accept();
}

}  // namespace kelcc::ui
