#include "cnc_data/cnc_data_window.h"

#include <QAction>

#include "app/message_translator.h"
#include "app/undo_actions.h"
#include "app/workbench.h"
#include "common/interaction.h"

namespace kelcc::ui {

CncDataWindow::CncDataWindow(Workbench& workbench, const std::string& path,
                             core::app::ProjectItemType type, QWidget* parent)
    : DocumentWindow(workbench, path, type, parent) {
    m_undoActions = new UndoActions(this);
}

CncDataWindow::~CncDataWindow() = default;

QAction* CncDataWindow::undoAction() const noexcept {
    return m_undoActions->undo();
}

QAction* CncDataWindow::redoAction() const noexcept {
    return m_undoActions->redo();
}

void CncDataWindow::attach(std::shared_ptr<core::common::Document> doc) {
    m_doc = doc;
    m_undoActions->setStack(m_doc ? &m_doc->undoStack() : nullptr);
    setDocument(std::move(doc));
}

void CncDataWindow::tell(const std::string& text) {
    workbench().interaction().inform(text, core::common::kMessageCaption,
                                     core::common::MessageIcon::Warning);
}

bool CncDataWindow::isModified() const {
    return m_doc && m_doc->modified();
}

void CncDataWindow::setModified(bool modified) {
    if (m_doc) m_doc->setModified(modified);
}

QList<QAction*> CncDataWindow::menuActions(MenuSlot slot) const {
    return slot == MenuSlot::Edit ? QList<QAction*>{undoAction(), redoAction()} : QList<QAction*>{};
}

void CncDataWindow::undoStateChanged() {
    updateUndoActions();
}

void CncDataWindow::updateUndoActions() {
    m_undoActions->update();
}

}  // namespace kelcc::ui
