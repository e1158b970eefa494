#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/undo_command.h"

namespace kelcc::core::common {

// The unlimited undo history of one document. The clean index marks the
// state last saved: the document is modified whenever the index differs
// from it. A clean state that can no longer be reached (it was undone and
// then other steps were pushed) leaves the document modified until the next
// save.
class UndoStack final {
public:
    UndoStack() = default;
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    // Applies the command and puts it on top; steps that were undone are
    // dropped. A command may be merged into the one on top instead.
    void push(std::unique_ptr<UndoCommand> command);
    // The same for a command whose change has already been made.
    void pushApplied(std::unique_ptr<UndoCommand> command);

    bool canUndo() const noexcept { return m_index > 0; }
    bool canRedo() const noexcept { return m_index < count(); }
    void undo();
    void redo();
    // Texts of the steps undo and redo would take; empty when there is none.
    std::string undoText() const;
    std::string redoText() const;

    int count() const noexcept { return static_cast<int>(m_commands.size()); }
    int index() const noexcept { return m_index; }
    int cleanIndex() const noexcept { return m_clean; }
    bool isClean() const noexcept { return m_clean == m_index; }
    void setClean();
    // Modified until the next setClean, whatever is undone or redone.
    void resetClean();
    // Drops every step; the state becomes the clean one.
    void clear();

    // Bytes held by all steps.
    std::size_t bytes() const noexcept;

    // Called after every change of index, count or clean state.
    void setOnChanged(std::function<void()> callback) { m_onChanged = std::move(callback); }

private:
    void add(std::unique_ptr<UndoCommand> command);
    void changed() const {
        if (m_onChanged) m_onChanged();
    }

    std::vector<std::unique_ptr<UndoCommand>> m_commands;
    int m_index = 0;
    int m_clean = 0;  // -1: the saved state is not on the stack
    std::function<void()> m_onChanged;
};

}  // namespace kelcc::core::common
