#pragma once

#include <QObject>
#include <functional>

class QAction;
class QWidget;

namespace kelcc::core::common {
class UndoStack;
}

namespace kelcc::ui {

// "撤消(&U)" and "重做(&R)" of one document window, on its document's undo
// stack: the keys, the step's text in the entries and the toolbar tooltip,
// and enabled only when there is something to undo or redo.
class UndoActions final : public QObject {
    Q_OBJECT

public:
    // The actions are added to `owner` (shortcuts while it has the focus).
    explicit UndoActions(QWidget* owner);

    QAction* undo() const noexcept { return m_undo; }
    QAction* redo() const noexcept { return m_redo; }

    // The stack the actions work on; nullptr disables both.
    void setStack(core::common::UndoStack* stack);
    // Runs before each undo or redo (an open in-place editor is closed).
    void setBefore(std::function<void()> before) { m_before = std::move(before); }
    // The stack changed: texts and enabled states again.
    void update();

signals:
    // An undo or redo was applied.
    void applied();

private:
    void step(bool forward);

    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    core::common::UndoStack* m_stack = nullptr;
    std::function<void()> m_before;
};

}  // namespace kelcc::ui
