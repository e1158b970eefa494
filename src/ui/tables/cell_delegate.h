#pragma once

#include <QStyledItemDelegate>

namespace kelcc::ui {

// The editor a table cell asks for: a line edit limited to the cell's
// characters, taking only digits for a number cell and only what the
// table's typing rule lets the cell hold.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

}  // namespace kelcc::ui
