// The ladder view's keys: cursor moves and Enter. The commands' keys are
// the shortcuts of its actions.
#include <QKeyEvent>

#include "ladder_editor/ladder_view.h"

namespace kelcc::ui {

void LadderView::keyPressEvent(QKeyEvent* event) {
    if (m_editor.commentEditorRow() != 0 && event->key() == Qt::Key_Escape) {
        closeCommentEditor();
        setFocus();
        return;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    // A key move drops the dragged selection: the commands work on the
    // cursor's cell again.
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (event->key() == Qt::Key_Up)
                m_editor.keyUp();
            else
                m_editor.keyDown();
            m_hasSelection = false;
            moveCursorTo(m_editor.cursor().row, m_editor.cursor().column);
            return;
        case Qt::Key_Left:
        case Qt::Key_Backtab:
        case Qt::Key_Right:
        case Qt::Key_Tab:
            if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Backtab)
                m_editor.keyLeft();
            else
                m_editor.keyRight();
            m_hasSelection = false;
            cursorMoved();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // As a double click on the cursor's cell.
            m_hasSelection = false;
            editCell();
            takeFocusBack();
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
}

bool LadderView::focusNextPrevChild(bool) {
    // Tab and Shift+Tab move the cursor; they are not a way out of the
    // ladder.
    return false;
}

void LadderView::takeFocusBack() {
    if (m_editor.commentEditorRow() != 0 || !isVisible()) return;
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

}  // namespace kelcc::ui
