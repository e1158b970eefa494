#include "plc_tables/cell_delegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "plc_tables/table_item_model.h"
#include "plc_tables/table_model.h"

namespace kelcc::ui {

using Kind = core::plc_tables::CellEditor::Kind;

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    const QVariantList editor = index.data(TableItemModel::kEditorRole).toList();
    if (editor.size() != 2 || editor[0].toInt() == static_cast<int>(Kind::None)) return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    const int maxChars = editor[1].toInt();
    edit->setMaxLength(maxChars);
    if (editor[0].toInt() == static_cast<int>(Kind::Number))
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,%1}").arg(maxChars)), edit));
    return edit;
}

}  // namespace kelcc::ui
