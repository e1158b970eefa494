#include "app/options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelcc::ui {

OptionsDialog::OptionsDialog(const core::app::SettingsRules::Options& current, QWidget* parent)
    : QDialog(parent),
      m_autoLoad(new QCheckBox(tr("自动载入最后一次打开的工程"), this)),
      m_autoOpen(new QCheckBox(tr("打开工程时自动打开梯形图视图"), this)),
      m_chinese(new QRadioButton(tr("中文(Chinese)"), this)),
      m_english(new QRadioButton(tr("英文(English)"), this)) {
    setWindowTitle(tr("选项"));
    m_autoLoad->setChecked(current.autoLoad);
    m_autoOpen->setChecked(current.autoOpen);
    (current.language == 0 ? m_chinese : m_english)->setChecked(true);

    auto* startGroup = new QGroupBox(tr("程序启动选项"), this);
    (new QVBoxLayout(startGroup))->addWidget(m_autoLoad);
    auto* openGroup = new QGroupBox(tr("打开工程选项"), this);
    (new QVBoxLayout(openGroup))->addWidget(m_autoOpen);
    auto* languageGroup = new QGroupBox(tr("语言"), this);
    auto* languageLayout = new QVBoxLayout(languageGroup);
    languageLayout->addWidget(m_chinese);
    languageLayout->addWidget(m_english);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(startGroup);
    layout->addWidget(openGroup);
    layout->addWidget(languageGroup);
    layout->addWidget(buttons);
}

core::app::SettingsRules::Options OptionsDialog::chosen() const {
    return {m_autoLoad->isChecked(), m_autoOpen->isChecked(), m_english->isChecked() ? 1 : 0};
}

}  // namespace kelcc::ui
