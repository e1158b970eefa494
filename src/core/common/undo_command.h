#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace kelcc::core::common {

// One step of a document's undo history. A command holds what it changed
// (the cells or records before and after), never a copy of the document.
class UndoCommand {
public:
    explicit UndoCommand(std::string text) : m_text(std::move(text)) {}
    virtual ~UndoCommand() = default;
    UndoCommand(const UndoCommand&) = delete;
    UndoCommand& operator=(const UndoCommand&) = delete;

    virtual void redo() = 0;
    virtual void undo() = 0;

    // Commands with the same id >= 0 may merge: the newer one is offered to
    // the one on top of the stack, which takes it in when it returns true.
    virtual int mergeId() const noexcept { return -1; }
    virtual bool mergeWith(const UndoCommand& next) {
        (void)next;
        return false;
    }

    // Heap and object bytes the step keeps alive (for the memory figures).
    virtual std::size_t bytes() const noexcept { return sizeof(*this) + m_text.capacity(); }

    // The short text of the step for the menu entry ("插入行").
    const std::string& text() const noexcept { return m_text; }

private:
    std::string m_text;
};

}  // namespace kelcc::core::common
