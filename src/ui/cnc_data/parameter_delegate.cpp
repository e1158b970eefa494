#include "cnc_data/parameter_delegate.h"

#include <QKeyEvent>
#include <QPersistentModelIndex>

#include "cnc_data/bit_edit.h"
#include "cnc_data/numeric_edit.h"
#include "cnc_data/parameter_catalogue.h"
#include "cnc_data/parameter_table_model.h"
#include "tables/table_item_model.h"

namespace kelcc::ui {

using core::cnc_data::ParameterCatalogue;
using core::cnc_data::ParameterKind;
using core::cnc_data::ParameterTableModel;

namespace {

int numberOf(const QModelIndex& index) {
    const auto* model = qobject_cast<const TableItemModel*>(index.model());
    if (!model) return 0;
    auto& table = const_cast<TableItemModel*>(model)->table();
    return static_cast<ParameterTableModel&>(table).numberAt(index.row());
}

}  // namespace

QWidget* ParameterDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    if (!(index.flags() & Qt::ItemIsEditable)) return nullptr;
    const int number = numberOf(index);
    if (ParameterCatalogue::slot(number).kind == ParameterKind::Bit) {
        auto* edit = new BitEdit(parent);
        const QPersistentModelIndex at(index);
        connect(edit, &BitEdit::toggled, this,
                [this, edit] { emit const_cast<ParameterDelegate*>(this)->commitData(edit); });
        connect(edit, &BitEdit::cursorMoved, this, &ParameterDelegate::cursorMoved);
        connect(edit, &BitEdit::leave, this, [this, edit, at](BitEdit::Move move) {
            auto* self = const_cast<ParameterDelegate*>(this);
            emit self->commitData(edit);
            emit self->closeEditor(edit, NoHint);
            emit leaveCell(at, move);
        });
        return edit;
    }
    if (ParameterCatalogue::slot(number).kind == ParameterKind::Data) {
        auto* edit = new NumericEdit(parent);
        edit->setFrame(false);
        edit->setNumber(number);
        return edit;
    }
    return CellDelegate::createEditor(parent, option, index);
}

bool ParameterDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<BitEdit*>(object)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return false;
    }
    return CellDelegate::eventFilter(object, event);
}

void ParameterDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* bits = qobject_cast<BitEdit*>(editor)) {
        bits->setText(index.data(Qt::EditRole).toString());
        return;
    }
    CellDelegate::setEditorData(editor, index);
}

void ParameterDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    if (auto* bits = qobject_cast<BitEdit*>(editor)) {
        model->setData(index, bits->text(), Qt::EditRole);
        return;
    }
    CellDelegate::setModelData(editor, model, index);
}

}  // namespace kelcc::ui
