#include "tables/table_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include "app/message_translator.h"
#include "common/interaction.h"
#include "common/table_clipboard.h"
#include "tables/cell_delegate.h"
#include "tables/table_item_model.h"

namespace kelcc::ui {

using core::common::TableClipboard;

TableView::TableView(TableItemModel* model, QWidget* parent)
    : QTableView(parent), m_model(model), m_fixed(new QTableView(this)) {
    model->setParent(this);
    setModel(model);
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);

    // The fixed column: a second view over the same model and selection,
    // laid over the first column.
    m_fixed->setModel(model);
    m_fixed->setSelectionModel(selectionModel());
    m_fixed->setFocusPolicy(Qt::NoFocus);
    m_fixed->verticalHeader()->hide();
    m_fixed->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_fixed->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    m_fixed->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_fixed->horizontalHeader()->setHighlightSections(false);
    for (int column = 1; column < model->columnCount(); ++column)
        m_fixed->setColumnHidden(column, true);
    m_fixed->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fixed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fixed->setVerticalScrollMode(ScrollPerPixel);
    m_fixed->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fixed->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    viewport()->stackUnder(m_fixed);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section != 0) return;
                m_fixed->setColumnWidth(0, size);
                placeFixedColumn();
            });
    connect(m_fixed->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_fixed->verticalScrollBar(),
            &QAbstractSlider::setValue);
    fitColumns();
    m_fixed->show();
}

void TableView::fitColumns() {
    // Every header fits; comment columns leave room for their text.
    const QFontMetrics header(horizontalHeader()->font());
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const QString title =
            m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = header.horizontalAdvance(title) + 24;
        if (column == 0) {
            const QString sample = m_model->index(0, 0).data().toString();
            width = std::max(width, fontMetrics().horizontalAdvance(sample) + 16);
        }
        setColumnWidth(column, std::max(width, 60));
    }
    m_fixed->setColumnWidth(0, columnWidth(0));
    placeFixedColumn();
}

void TableView::placeFixedColumn() {
    m_fixed->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                         viewport()->height() + horizontalHeader()->height());
}

void TableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFixedColumn();
}

QModelIndex TableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // The fixed column is not a place to edit: the cursor stays right of it.
    if (current.column() == 0) current = model()->index(current.row(), 1);
    if (cursorAction == MoveLeft && current.column() > 0 &&
        visualRect(current).topLeft().x() < m_fixed->columnWidth(0)) {
        const int offset = visualRect(current).topLeft().x() - m_fixed->columnWidth(0);
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + offset);
    }
    return current;
}

void TableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (index.column() > 0) QTableView::scrollTo(index, hint);
}

void TableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TableView::goTo(int row, int column) {
    const QModelIndex index = model()->index(row, std::max(column, 1));
    if (!index.isValid()) return;
    setCurrentIndex(index);
    scrollTo(index, PositionAtCenter);
    // Centring may put the cell under the fixed column.
    const int hidden = m_fixed->columnWidth(0) - visualRect(index).left();
    if (hidden > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void TableView::copySelection() {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    int top = currentIndex().row(), bottom = top, left = currentIndex().column(), right = left;
    if (!selected.isEmpty()) {
        top = left = INT_MAX;
        bottom = right = -1;
        for (const QModelIndex& index : selected) {
            top = std::min(top, index.row());
            bottom = std::max(bottom, index.row());
            left = std::min(left, index.column());
            right = std::max(right, index.column());
        }
    }
    if (top < 0) return;
    const std::string text = TableClipboard::copy(m_model->table(), top, left, bottom, right);
    QApplication::clipboard()->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void TableView::paste() {
    pasteText(QApplication::clipboard()->text());
}

void TableView::pasteText(const QString& text) {
    const QModelIndex at = currentIndex();
    if (!at.isValid() || text.isEmpty()) return;
    const auto result =
        TableClipboard::paste(m_model->table(), at.row(), at.column(), text.toStdString());
    m_model->sync();
    const auto reasons = result.reasons();
    if (reasons.empty()) return;
    // One message for the whole paste: how many cells stayed and why.
    QString message = tr("%1 个单元格未粘贴:").arg(result.refused.size());
    for (const auto& [reason, count] : reasons)
        message += QStringLiteral("\n") +
                   tr("%1 (%2 个)").arg(MessageTranslator::translate(reason)).arg(count);
    m_model->interaction().inform(message.toStdString(), TableClipboard::kPasteText,
                                  core::common::MessageIcon::Warning);
}

}  // namespace kelcc::ui
