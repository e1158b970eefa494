#include "tables/cell_delegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QValidator>

#include "common/table_model.h"
#include "tables/table_item_model.h"

namespace kelcc::ui {

using Kind = core::common::CellEditor::Kind;

namespace {

// The table's typing rule of one cell as the line edit's validator.
class TypingRule final : public QValidator {
public:
    TypingRule(const TableItemModel* model, const QModelIndex& index, QObject* parent)
        : QValidator(parent), m_model(model), m_index(index) {}

    State validate(QString& input, int&) const override {
        auto& table = const_cast<TableItemModel*>(m_model)->table();
        return table.acceptsInput(m_index.row(), m_index.column(), input.toStdString()) ? Acceptable
                                                                                        : Invalid;
    }

private:
    const TableItemModel* m_model;
    QPersistentModelIndex m_index;
};

}  // namespace

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
    else if (const auto* model = qobject_cast<const TableItemModel*>(index.model()))
        edit->setValidator(new TypingRule(model, index, edit));
    if (editor[2].toBool())
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            const int cursor = edit->cursorPosition();
            edit->setText(text.toUpper());
            edit->setCursorPosition(cursor);
        });
    return edit;
}

}  // namespace kelcc::ui
