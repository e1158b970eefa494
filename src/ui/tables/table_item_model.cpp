#include "tables/table_item_model.h"

#include <QBrush>
#include <QFont>
#include <QPalette>

#include "app/message_translator.h"
#include "common/interaction.h"

namespace kelcc::ui {

using core::common::CellEditor;
using core::common::TableModel;

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TableItemModel::TableItemModel(core::common::Document& doc, std::unique_ptr<TableModel> table,
                               core::common::Interaction& interaction, QObject* parent)
    : QAbstractTableModel(parent),
      m_doc(doc),
      m_table(std::move(table)),
      m_interaction(interaction),
      m_rows(m_table->rowCount()) {
    m_doc.addListener(this);
}

TableItemModel::~TableItemModel() {
    m_doc.removeListener(this);
}

int TableItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TableItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table->columnCount();
}

QVariant TableItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return fromUtf8(m_table->text(index.row(), index.column()));
        case Qt::TextAlignmentRole:
            if (const CellEditor editor = m_table->editor(index.row(), index.column());
                editor.kind == CellEditor::Kind::Number || editor.number)
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case Qt::BackgroundRole:
            if (index.column() == 0) return QPalette().brush(QPalette::Button);
            return {};
        case Qt::FontRole:
            if (m_table->marked(index.row(), index.column())) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::ForegroundRole:
            if (m_table->marked(index.row(), index.column())) return QBrush(QColor(0, 0, 192));
            return {};
        case kEditorRole: {
            const CellEditor editor = m_table->editor(index.row(), index.column());
            return QVariantList{static_cast<int>(editor.kind), editor.maxChars, editor.upperCase};
        }
        default:
            return {};
    }
}

QVariant TableItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return MessageTranslator::translate(m_table->header(section));
}

Qt::ItemFlags TableItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_table->editor(index.row(), index.column()).editable()) flags |= Qt::ItemIsEditable;
    return flags;
}

bool TableItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const QString text = value.toString();
    // Leaving a cell unchanged is no edit (and asks nothing).
    if (text == data(index, Qt::EditRole).toString()) return false;
    const auto result = m_table->commit(index.row(), index.column(), text.toStdString(),
                                        TableModel::Mode::Interactive);
    sync();
    emit dataChanged(index, index);
    for (const auto& cell : result.redraw) {
        const QModelIndex other = this->index(cell.row, cell.column);
        emit dataChanged(other, other);
    }
    for (const auto& message : result.messages)
        m_interaction.inform(message.text, message.caption, core::common::MessageIcon::Warning);
    return result.stored();
}

void TableItemModel::sync() {
    m_table->refresh();
    const int rows = m_table->rowCount();
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void TableItemModel::reset() {
    beginResetModel();
    m_rows = m_table->rowCount();
    endResetModel();
}

void TableItemModel::documentChanged(const core::common::DocumentChange& change) {
    if (!change.has(core::common::DocumentChange::Tables)) return;
    sync();
    // The views repaint only what they show of it.
    if (m_rows > 0) emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

void TableItemModel::documentReloaded() {
    beginResetModel();
    m_table->refresh();
    m_rows = m_table->rowCount();
    endResetModel();
}

}  // namespace kelcc::ui
