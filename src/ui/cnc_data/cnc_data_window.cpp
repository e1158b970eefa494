#include "cnc_data/cnc_data_window.h"

#include <QAction>

#include "app/message_translator.h"
#include "app/workbench.h"
#include "common/interaction.h"

namespace kelcc::ui {

CncDataWindow::CncDataWindow(Workbench& workbench, const std::string& path,
                             core::app::ProjectItemType type, QWidget* parent)
    : DocumentWindow(workbench, path, type, parent) {
    const auto make = [this](const QString& text, const QKeySequence& key) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        return action;
    };
    m_undo = make(tr("撤消(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = make(tr("重做(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(m_undo, &QAction::triggered, this, [this] {
        if (m_doc && m_doc->undoStack().canUndo()) m_doc->undoStack().undo();
    });
    connect(m_redo, &QAction::triggered, this, [this] {
        if (m_doc && m_doc->undoStack().canRedo()) m_doc->undoStack().redo();
    });
}

CncDataWindow::~CncDataWindow() = default;

void CncDataWindow::attach(std::shared_ptr<core::common::Document> doc) {
    m_doc = doc;
    setDocument(std::move(doc));
    updateUndoActions();
}

void CncDataWindow::tell(const std::string& text) {
    workbench().interaction().inform(text, "KELCC", core::common::MessageIcon::Warning);
}

bool CncDataWindow::isModified() const {
    return m_doc && m_doc->modified();
}

void CncDataWindow::setModified(bool modified) {
    if (m_doc) m_doc->setModified(modified);
}

QList<QAction*> CncDataWindow::menuActions(MenuSlot slot) const {
    return slot == MenuSlot::Edit ? QList<QAction*>{m_undo, m_redo} : QList<QAction*>{};
}

void CncDataWindow::undoStateChanged() {
    updateUndoActions();
}

void CncDataWindow::updateUndoActions() {
    if (!m_doc) return;
    const auto& stack = m_doc->undoStack();
    const QString undoStep = MessageTranslator::translate(stack.undoText());
    const QString redoStep = MessageTranslator::translate(stack.redoText());
    m_undo->setEnabled(stack.canUndo());
    m_undo->setText(undoStep.isEmpty() ? tr("撤消(&U)") : tr("撤消 %1(&U)").arg(undoStep));
    m_redo->setEnabled(stack.canRedo());
    m_redo->setText(redoStep.isEmpty() ? tr("重做(&R)") : tr("重做 %1(&R)").arg(redoStep));
}

}  // namespace kelcc::ui
