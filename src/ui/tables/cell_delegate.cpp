#include "tables/cell_delegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "common/table_model.h"
#include "tables/table_item_model.h"

namespace kelcc::ui {

using Kind = core::common::CellEditor::Kind;

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    const QVariantList editor = index.data(TableItemModel::kEditorRole).toList();
    if (editor.size() != 3 || editor[0].toInt() == static_cast<int>(Kind::None)) return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    const int maxChars = editor[1].toInt();
    edit->setMaxLength(maxChars);
    if (editor[0].toInt() == static_cast<int>(Kind::Number))
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("\\d{0,%1}").arg(maxChars)), edit));
    if (editor[2].toBool())
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            const int cursor = edit->cursorPosition();
            edit->setText(text.toUpper());
            edit->setCursorPosition(cursor);
        });
    return edit;
}

}  // namespace kelcc::ui
