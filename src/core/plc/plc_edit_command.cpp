#include "plc/plc_edit_command.h"

#include <type_traits>

#include "plc/ladder_grid.h"
#include "plc/plc_document.h"

namespace kelcc::core::plc {

using common::DocumentChange;

namespace {

// A step of one table record (or one row comment) merges with the next
// edit of the same record: typing into one cell is one step.
constexpr int kMergeRecord = 1;

std::size_t rowBytes(const std::vector<RowContent>& rows) {
    std::size_t total = rows.capacity() * sizeof(RowContent);
    for (const RowContent& row : rows) {
        total += row.cells.capacity() * sizeof(row.cells[0]) + row.comment.capacity();
        for (const auto& cell : row.cells)
            total += cell.second.text.capacity();
    }
    return total;
}

std::size_t textBytes(const std::vector<std::string>& texts) {
    std::size_t total = texts.capacity() * sizeof(std::string);
    for (const std::string& text : texts)
        total += text.capacity();
    return total;
}

std::size_t ilBytes(const IlStore& il) {
    std::size_t total = il.entries().capacity() * sizeof(IlEntry);
    for (const IlEntry& entry : il.entries())
        total += entry.text.capacity();
    return total;
}

// Identifies the record a single-change step edits; -1 when it is not one.
long recordKey(const PlcChange& change) {
    return std::visit(
        [](const auto& c) -> long {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, change::DByte>) return 100000L + c.index;
            if constexpr (std::is_same_v<T, change::KByte>) return 200000L + c.index;
            if constexpr (std::is_same_v<T, change::DataWord>)
                return (c.timer ? 400000L : 300000L) + c.index;
            if constexpr (std::is_same_v<T, change::Comment>) return 500000L + c.row;
            return -1;
        },
        change);
}

}  // namespace

PlcEditCommand::PlcEditCommand(PlcDocument& doc, std::string text, std::vector<PlcChange> changes,
                               bool compile)
    : UndoCommand(std::move(text)), m_doc(doc), m_changes(std::move(changes)), m_compile(compile) {}

void PlcEditCommand::redo() {
    m_doc.applyChanges(m_changes, true, m_compile);
}

void PlcEditCommand::undo() {
    m_doc.applyChanges(m_changes, false, m_compile);
}

int PlcEditCommand::mergeId() const noexcept {
    return m_changes.size() == 1 && recordKey(m_changes.front()) >= 0 ? kMergeRecord : -1;
}

bool PlcEditCommand::mergeWith(const common::UndoCommand& next) {
    const auto* other = dynamic_cast<const PlcEditCommand*>(&next);
    if (other == nullptr || other->text() != text() || other->m_changes.size() != 1) return false;
    const PlcChange& mine = m_changes.front();
    const PlcChange& theirs = other->m_changes.front();
    if (mine.index() != theirs.index() || recordKey(mine) != recordKey(theirs)) return false;
    // Keep the oldest "before" and take the newest "after".
    std::visit(
        [&](auto& c) {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, change::DByte> || std::is_same_v<T, change::KByte> ||
                          std::is_same_v<T, change::DataWord> || std::is_same_v<T, change::Comment>)
                c.after = std::get<T>(theirs).after;
        },
        m_changes.front());
    return true;
}

std::size_t PlcEditCommand::bytes() const noexcept {
    std::size_t total = UndoCommand::bytes() + sizeof(*this) - sizeof(UndoCommand) +
                        m_changes.capacity() * sizeof(PlcChange);
    for (const PlcChange& change : m_changes) {
        total += std::visit(
            [](const auto& c) -> std::size_t {
                using T = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<T, change::Cell>)
                    return c.before.text.capacity() + c.after.text.capacity();
                if constexpr (std::is_same_v<T, change::RowsInserted>) return rowBytes(c.lost);
                if constexpr (std::is_same_v<T, change::RowsDeleted>) return rowBytes(c.removed);
                if constexpr (std::is_same_v<T, change::RowsReplaced>)
                    return rowBytes(c.before) + rowBytes(c.after);
                if constexpr (std::is_same_v<T, change::Comment>)
                    return c.before.capacity() + c.after.capacity();
                if constexpr (std::is_same_v<T, change::DByte>)
                    return c.before.commentZh.capacity() + c.before.commentEn.capacity() +
                           c.after.commentZh.capacity() + c.after.commentEn.capacity();
                if constexpr (std::is_same_v<T, change::DataWord>)
                    return c.before.commentZh.capacity() + c.before.commentEn.capacity() +
                           c.after.commentZh.capacity() + c.after.commentEn.capacity();
                if constexpr (std::is_same_v<T, change::TextList>)
                    return textBytes(c.before) + textBytes(c.after);
                if constexpr (std::is_same_v<T, change::Program>)
                    return ilBytes(c.beforeIl) + ilBytes(c.afterIl) +
                           (c.beforeNetworkSteps.capacity() + c.afterNetworkSteps.capacity()) *
                               sizeof(NetworkSteps) +
                           (c.beforeNetworkRows.capacity() + c.afterNetworkRows.capacity()) *
                               sizeof(NetworkRows);
                return 0;
            },
            change);
    }
    return total;
}

DocumentChange PlcEditCommand::scopeOf(const std::vector<PlcChange>& changes) {
    DocumentChange scope;
    constexpr int kLast = plc::LadderGrid::kRows;
    for (const PlcChange& change : changes) {
        std::visit(
            [&](const auto& c) {
                using T = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<T, change::Cell>) {
                    scope.add(DocumentChange::Cells, c.row, c.row);
                } else if constexpr (std::is_same_v<T, change::RowsInserted> ||
                                     std::is_same_v<T, change::RowsDeleted>) {
                    scope.add(DocumentChange::Cells | DocumentChange::Comments |
                                  DocumentChange::RowsMoved,
                              c.first, kLast);
                } else if constexpr (std::is_same_v<T, change::RowsReplaced>) {
                    for (const RowContent& row : c.before)
                        scope.add(DocumentChange::Cells | DocumentChange::Comments, row.row,
                                  row.row);
                } else if constexpr (std::is_same_v<T, change::Comment>) {
                    scope.add(DocumentChange::Comments, c.row, c.row);
                } else if constexpr (std::is_same_v<T, change::Program>) {
                    scope.add(DocumentChange::Program, 0, 0);
                } else {
                    scope.add(DocumentChange::Tables, 0, 0);
                }
            },
            change);
    }
    return scope;
}

}  // namespace kelcc::core::plc
