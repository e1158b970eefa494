#pragma once

#include <QList>
#include <memory>

#include "app/document_window.h"

namespace kelcc::ui {

class UndoActions;

// A window over one of the project's shared CNC data documents (the
// parameters, the tool offsets, the pitch compensation): its edits are the
// document's undo steps, and Undo and Redo act on them from any pane.
class CncDataWindow : public DocumentWindow {
    Q_OBJECT

public:
    CncDataWindow(Workbench& workbench, const std::string& path, core::app::ProjectItemType type,
                  QWidget* parent = nullptr);
    ~CncDataWindow() override;

    bool isModified() const override;
    void setModified(bool modified) override;
    QList<QAction*> menuActions(MenuSlot slot) const override;
    QAction* undoAction() const noexcept;
    QAction* redoAction() const noexcept;

    void undoStateChanged() override;

protected:
    // Attaches the window to its shared document.
    void attach(std::shared_ptr<core::common::Document> doc);
    // Tells the user of a file that could not be saved or read.
    void tell(const std::string& text);

private:
    void updateUndoActions();

    std::shared_ptr<core::common::Document> m_doc;
    UndoActions* m_undoActions = nullptr;
};

}  // namespace kelcc::ui
