#include "common/undo_stack.h"

namespace kelcc::core::common {

void UndoStack::push(std::unique_ptr<UndoCommand> command) {
    if (!command) return;
    command->redo();
    add(std::move(command));
}

void UndoStack::pushApplied(std::unique_ptr<UndoCommand> command) {
    if (!command) return;
    add(std::move(command));
}

void UndoStack::add(std::unique_ptr<UndoCommand> command) {
    if (m_index < count()) {
        m_commands.erase(m_commands.begin() + m_index, m_commands.end());
        if (m_clean > m_index) m_clean = -1;
    }
    // Never merge into the saved state: undoing back to it must stay possible.
    if (m_index > 0 && m_clean != m_index && command->mergeId() >= 0) {
        UndoCommand& top = *m_commands.back();
        if (top.mergeId() == command->mergeId() && top.mergeWith(*command)) {
            changed();
            return;
        }
    }
    m_commands.push_back(std::move(command));
    ++m_index;
    changed();
}

void UndoStack::undo() {
    if (!canUndo()) return;
    --m_index;
    m_commands[static_cast<std::size_t>(m_index)]->undo();
    changed();
}

void UndoStack::redo() {
    if (!canRedo()) return;
    m_commands[static_cast<std::size_t>(m_index)]->redo();
    ++m_index;
    changed();
}

std::string UndoStack::undoText() const {
    return canUndo() ? m_commands[static_cast<std::size_t>(m_index - 1)]->text() : std::string();
}

std::string UndoStack::redoText() const {
    return canRedo() ? m_commands[static_cast<std::size_t>(m_index)]->text() : std::string();
}

void UndoStack::setClean() {
    if (m_clean == m_index) return;
    m_clean = m_index;
    changed();
}

void UndoStack::resetClean() {
    if (m_clean == -1) return;
    m_clean = -1;
    changed();
}

void UndoStack::clear() {
    if (m_commands.empty() && m_index == 0 && m_clean == 0) return;
    m_commands.clear();
    m_index = 0;
    m_clean = 0;
    changed();
}

std::size_t UndoStack::bytes() const noexcept {
    std::size_t total = m_commands.capacity() * sizeof(m_commands[0]);
    for (const auto& command : m_commands)
        total += command->bytes();
    return total;
}

}  // namespace kelcc::core::common
