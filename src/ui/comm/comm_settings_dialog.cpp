#include "comm/comm_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/settings_rules.h"

namespace kelcc::ui {

namespace {

constexpr int kPathRole = Qt::UserRole;

}  // namespace

CommSettingsDialog::CommSettingsDialog(const Values& stored,
                                       const std::vector<SerialDeviceList::Device>& devices,
                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("通信设置"));
    m_port = new QComboBox(this);
    for (int i = 1; i <= kPorts; ++i)
        m_port->addItem(QString::number(i));
    m_baud = new QComboBox(this);
    for (int rate : core::app::SettingsRules::kBaudRates)
        m_baud->addItem(QString::number(rate));
    const int port = m_port->findText(stored.port);
    m_port->setCurrentIndex(port < 0 ? 0 : port);
    const int baud = m_baud->findText(stored.baud);
    m_baud->setCurrentIndex(baud < 0 ? m_baud->findText(QStringLiteral("38400")) : baud);

    auto* form = new QFormLayout;
    form->addRow(tr("串口 COM"), m_port);
    form->addRow(tr("波特率(bps)"), m_baud);

    auto* group = new QGroupBox(tr("串口设备"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < kPorts; ++i) {
        auto* list = new QComboBox(group);
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setMinimumContentsLength(36);
        for (const SerialDeviceList::Device& device : devices) {
            const QString path = QString::fromStdString(device.path);
            const QString text =
                device.description.empty()
                    ? path
                    : path + QStringLiteral("  ") + QString::fromStdString(device.description);
            list->addItem(text, path);
        }
        const QString current = stored.paths[static_cast<std::size_t>(i)];
        const int at = list->findData(current, kPathRole);
        if (at >= 0)
            list->setCurrentIndex(at);
        else
            list->setEditText(current);
        // The edit line shows the bare path once an item is picked.
        connect(list, &QComboBox::activated, this, [list](int index) {
            list->setEditText(list->itemData(index, kPathRole).toString());
        });
        if (at >= 0) list->setEditText(current);
        auto* state = new QLabel(group);
        m_paths[static_cast<std::size_t>(i)] = list;
        m_states[static_cast<std::size_t>(i)] = state;
        connect(list, &QComboBox::editTextChanged, this, [this, i] { updateState(i); });
        grid->addWidget(new QLabel(QStringLiteral("COM%1").arg(i + 1), group), i, 0);
        grid->addWidget(list, i, 1);
        grid->addWidget(state, i, 2);
        updateState(i);
    }
    grid->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

CommSettingsDialog::Values CommSettingsDialog::values() const {
    Values values;
    values.port = m_port->currentText();
    values.baud = m_baud->currentText();
    for (int i = 0; i < kPorts; ++i)
        values.paths[static_cast<std::size_t>(i)] =
            m_paths[static_cast<std::size_t>(i)]->currentText().trimmed();
    return values;
}

QString CommSettingsDialog::pathState(int index) const {
    return m_states[static_cast<std::size_t>(index)]->text();
}

void CommSettingsDialog::updateState(int index) {
    const QString path = m_paths[static_cast<std::size_t>(index)]->currentText().trimmed();
    QLabel* state = m_states[static_cast<std::size_t>(index)];
    state->setText(path.isEmpty() || QFileInfo::exists(path) ? QString() : tr("(不存在)"));
}

}  // namespace kelcc::ui
