#include "plc_tables/k_value_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "plc_tables/k_table_model.h"

namespace kelcc::ui {

using core::plc_tables::KTableModel;

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

KValueDialog::KValueDialog(KTableModel& model, bool english, QWidget* parent)
    : QDialog(parent), m_model(model), m_tree(new QTreeWidget(this)) {
    setWindowTitle(tr("K值设置"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({tr("地址/位"), tr("数值")});
    m_tree->setUniformRowHeights(true);
    const auto& k = model.document().kTable();
    for (int byte = 0; byte < KTableModel::kRows; ++byte) {
        auto* item = new QTreeWidgetItem(m_tree);
        item->setText(0, fromUtf8(model.byteText(byte, english)));
        for (int bit = 0; bit < 8; ++bit) {
            auto* child = new QTreeWidgetItem(item);
            child->setText(0, fromUtf8(model.bitText(byte, bit, english)));
            child->setFlags(child->flags() | Qt::ItemIsUserCheckable);
            child->setCheckState(
                0, (k[static_cast<std::size_t>(byte)] >> bit) & 1 ? Qt::Checked : Qt::Unchecked);
        }
        showValue(byte);
    }
    connect(m_tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (column == 0 && item->parent()) showValue(m_tree->indexOfTopLevelItem(item->parent()));
    });
    // Every bit in sight: the dialog is edited bit by bit.
    m_tree->expandAll();
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(460, 560);
}

namespace {

unsigned byteValue(const QTreeWidgetItem* item) {
    unsigned value = 0;
    for (int bit = 0; bit < item->childCount(); ++bit)
        if (item->child(bit)->checkState(0) == Qt::Checked) value |= 1u << bit;
    return value;
}

}  // namespace

std::array<std::uint8_t, 40> KValueDialog::values() const {
    std::array<std::uint8_t, 40> values{};
    for (int byte = 0; byte < KTableModel::kRows; ++byte)
        values[static_cast<std::size_t>(byte)] =
            static_cast<std::uint8_t>(byteValue(m_tree->topLevelItem(byte)));
    return values;
}

void KValueDialog::setBit(int byte, int bit, bool on) {
    m_tree->topLevelItem(byte)->child(bit)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

void KValueDialog::showValue(int byte) {
    QTreeWidgetItem* item = m_tree->topLevelItem(byte);
    if (item == nullptr || item->childCount() < 8) return;
    const unsigned value = byteValue(item);
    item->setText(
        1, QStringLiteral("%1 (%2H)").arg(value).arg(value, 2, 16, QLatin1Char('0')).toUpper());
}

void KValueDialog::accept() {
    m_model.store(values());
    QDialog::accept();
}

}  // namespace kelcc::ui
