#pragma once

#include <QStyledItemDelegate>

namespace kelcc::ui {

// The editor a table cell asks for: a line edit limited to the cell's
// characters, taking only digits for a number cell.
class CellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

}  // namespace kelcc::ui
