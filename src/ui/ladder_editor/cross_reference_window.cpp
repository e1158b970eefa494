#include "ladder_editor/cross_reference_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ladder_editor/cross_reference.h"

namespace kelcc::ui {

using core::ladder_editor::CrossReference;

namespace {

constexpr int kRowRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;

QString useText(CrossReference::Use use) {
    switch (use) {
        case CrossReference::Use::Contact:
            return CrossReferenceWindow::tr("常开触点");
        case CrossReference::Use::ClosedContact:
            return CrossReferenceWindow::tr("常闭触点");
        case CrossReference::Use::Coil:
            return CrossReferenceWindow::tr("线圈");
        case CrossReference::Use::Read:
            return CrossReferenceWindow::tr("读");
        case CrossReference::Use::Written:
            return CrossReferenceWindow::tr("写");
    }
    return {};
}

QString placesText(const std::vector<CrossReference::Place>& places) {
    QStringList texts;
    for (const auto& place : places)
        texts << CrossReferenceWindow::tr("行%1列%2").arg(place.row).arg(place.column);
    return texts.join(QStringLiteral(", "));
}

}  // namespace

CrossReferenceWindow::CrossReferenceWindow(const core::plc::LadderGrid& grid, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_grid(grid) {
    setWindowTitle(tr("交叉引用"));
    m_filter = new QLineEdit(this);
    m_filter->setPlaceholderText(tr("地址前缀, 例如 R00"));
    m_filter->setClearButtonEnabled(true);
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderLabels({tr("地址"), tr("行"), tr("列"), tr("用途"), tr("指令")});
    m_tree->setRootIsDecorated(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_warnings = new QListWidget(this);
    // A warning names all of its places; long ones wrap instead of scrolling.
    m_warnings->setWordWrap(true);
    m_warnings->setResizeMode(QListView::Adjust);
    m_warnings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_tree);
    splitter->addWidget(m_warnings);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(splitter, 1);
    resize(520, 560);

    connect(m_filter, &QLineEdit::textChanged, this, &CrossReferenceWindow::refresh);
    const auto chosen = [this](const QVariant& row, const QVariant& column) {
        if (row.isValid()) emit placeChosen(row.toInt(), column.toInt());
    };
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [chosen](QTreeWidgetItem* item, int) {
        chosen(item->data(0, kRowRole), item->data(0, kColumnRole));
    });
    connect(m_warnings, &QListWidget::itemDoubleClicked, this, [chosen](QListWidgetItem* item) {
        chosen(item->data(kRowRole), item->data(kColumnRole));
    });
    refresh();
}

void CrossReferenceWindow::refresh() {
    const CrossReference xref(m_grid);
    m_tree->clear();
    for (const CrossReference::Entry* entry : xref.filtered(m_filter->text().toStdString())) {
        auto* top = new QTreeWidgetItem(m_tree, {QString::fromStdString(entry->address)});
        for (const auto& place : entry->places) {
            auto* item = new QTreeWidgetItem(
                top, {QString(), QString::number(place.row), QString::number(place.column),
                      useText(place.use), QString::fromStdString(place.instruction)});
            item->setData(0, kRowRole, place.row);
            item->setData(0, kColumnRole, place.column);
        }
    }
    m_tree->expandAll();

    m_warnings->clear();
    for (const auto& warning : xref.warnings()) {
        const QString address = QString::fromStdString(warning.address);
        const QString text =
            warning.problem == CrossReference::Problem::SeveralCoils
                ? tr("警告: %1 用于多个线圈: %2").arg(address, placesText(warning.places))
                : tr("警告: %1 被读取但从未写入: %2").arg(address, placesText(warning.places));
        auto* item = new QListWidgetItem(text, m_warnings);
        item->setData(kRowRole, warning.places.front().row);
        item->setData(kColumnRole, warning.places.front().column);
    }
}

}  // namespace kelcc::ui
