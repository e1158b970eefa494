#include "app/undo_actions.h"

#include <QAction>
#include <QWidget>

#include "app/message_translator.h"
#include "common/undo_stack.h"

namespace kelcc::ui {

UndoActions::UndoActions(QWidget* owner) : QObject(owner) {
    const auto make = [owner](const QList<QKeySequence>& keys) {
        auto* action = new QAction(owner);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        owner->addAction(action);
        return action;
    };
    m_undo = make({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    m_redo =
        make({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(m_undo, &QAction::triggered, this, [this] { step(false); });
    connect(m_redo, &QAction::triggered, this, [this] { step(true); });
    update();
}

void UndoActions::setStack(core::common::UndoStack* stack) {
    m_stack = stack;
    update();
}

void UndoActions::step(bool forward) {
    if (m_before) m_before();
    if (m_stack == nullptr || !(forward ? m_stack->canRedo() : m_stack->canUndo())) return;
    if (forward)
        m_stack->redo();
    else
        m_stack->undo();
    emit applied();
}

void UndoActions::update() {
    const QString undoStep =
        m_stack ? MessageTranslator::translate(m_stack->undoText()) : QString();
    const QString redoStep =
        m_stack ? MessageTranslator::translate(m_stack->redoText()) : QString();
    m_undo->setEnabled(m_stack && m_stack->canUndo());
    m_undo->setText(undoStep.isEmpty() ? tr("撤消(&U)") : tr("撤消 %1(&U)").arg(undoStep));
    m_redo->setEnabled(m_stack && m_stack->canRedo());
    m_redo->setText(redoStep.isEmpty() ? tr("重做(&R)") : tr("重做 %1(&R)").arg(redoStep));
    // The toolbar keeps short buttons; the step is in the tooltip.
    m_undo->setIconText(tr("撤消"));
    m_redo->setIconText(tr("重做"));
    m_undo->setToolTip((undoStep.isEmpty() ? tr("撤消") : tr("撤消 %1").arg(undoStep)) +
                       QStringLiteral(" (Ctrl+Z)"));
    m_redo->setToolTip((redoStep.isEmpty() ? tr("重做") : tr("重做 %1").arg(redoStep)) +
                       QStringLiteral(" (Ctrl+Y)"));
}

}  // namespace kelcc::ui
