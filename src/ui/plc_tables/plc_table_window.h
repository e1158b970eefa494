#pragma once

#include <QList>
#include <memory>

#include "app/document_window.h"
#include "common/table_model.h"
#include "plc/plc_document.h"

class QTabWidget;

namespace kelcc::ui {

class UndoActions;

class TableView;

// A window of tables over the project's shared PLC document: its edits go
// onto the document's undo stack, and saving it is the document's save
// command (compile first), as from the ladder window.
class PlcTableWindow : public DocumentWindow {
    Q_OBJECT

public:
    PlcTableWindow(Workbench& workbench, const std::string& path, core::app::ProjectItemType type,
                   QWidget* parent = nullptr);
    ~PlcTableWindow() override;

    bool load() override;
    bool reload() override;
    bool isModified() const override;
    void setModified(bool modified) override;
    bool saveSilently() override;
    bool queryClose() override;
    std::optional<RecoveryCopy> recoveryCopy() const override;
    bool restoreRecovery(std::string_view content, std::string& error) override;
    QList<QAction*> menuActions(MenuSlot slot) const override;

    core::plc::PlcDocument& plcDocument() noexcept { return *m_doc; }
    QTabWidget* pages() const noexcept { return m_pages; }
    // The table of the page shown.
    TableView* currentTable() const;
    QAction* undoAction() const noexcept;
    QAction* redoAction() const noexcept;

    void undoStateChanged() override;

protected:
    // A page of one table of the document.
    TableView* addTablePage(std::unique_ptr<core::common::TableModel> table, const QString& title);

private:
    void updateUndoActions();

    std::shared_ptr<core::plc::PlcDocument> m_doc;
    QTabWidget* m_pages = nullptr;
    UndoActions* m_undoActions = nullptr;
    QList<QAction*> m_editActions;
};

}  // namespace kelcc::ui
