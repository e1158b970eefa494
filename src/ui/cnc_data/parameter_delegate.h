#pragma once

#include "cnc_data/bit_value_control.h"
#include "tables/cell_delegate.h"

namespace kelcc::ui {

// The value cells of the table by number: a bit row is edited with the
// bit control (every toggle is stored at once), a data row with the
// numeric field of its rule.
class ParameterDelegate final : public CellDelegate {
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    // Enter toggles a bit instead of closing the bit control.
    bool eventFilter(QObject* object, QEvent* event) override;

signals:
    void cursorMoved(int bit) const;
    // The bit control handed the cursor over to a neighbouring cell.
    void leaveCell(const QModelIndex& index, core::cnc_data::BitValueControl::Move move) const;
};

}  // namespace kelcc::ui
