#pragma once

#include <memory>

#include "app/document_window.h"
#include "compiler/plc_document_file.h"
#include "ladder_editor/ladder_dialogs.h"
#include "plc/plc_document.h"

class QToolBar;

namespace kelcc::core::ladder_editor {
class CopyBuffer;
}

namespace kelcc::ui {

class LadderView;

// The window of the project's PLC program: a view of the project's shared
// PLC document in the ladder view under a toolbar; saves it through the
// document's save command (compile first, the failure question on a failed
// compile).
class LadderWindow final : public DocumentWindow {
    Q_OBJECT

public:
    LadderWindow(Workbench& workbench, const std::string& path,
                 core::ladder_editor::CopyBuffer& copyBuffer,
                 std::unique_ptr<LadderDialogs> dialogs = nullptr, QWidget* parent = nullptr,
                 core::app::ProjectItemType type = core::app::ProjectItemType::PlcProgram);
    ~LadderWindow() override;

    bool load() override;
    bool reload() override;
    bool isModified() const override;
    void setModified(bool modified) override;
    bool saveSilently() override;
    bool queryClose() override;
    std::optional<RecoveryCopy> recoveryCopy() const override;
    bool restoreRecovery(std::string_view content, std::string& error) override;
    // The Edit and PLC menus of the main window while this window is active.
    QList<QAction*> menuActions(MenuSlot slot) const override;

    // The save command with its outcome (the close and save paths map it).
    core::compiler::PlcDocumentFile::SaveOutcome save();

    // The save command of the PLC document, for every window that shows
    // it: compile first, the output pane lines, the question on a failed
    // compile.
    static core::compiler::PlcDocumentFile::SaveOutcome saveDocument(Workbench& workbench,
                                                                     core::plc::PlcDocument& doc,
                                                                     const std::string& path);
    // The close question of the document's last window; true when the
    // window may close.
    static bool confirmClose(Workbench& workbench, core::plc::PlcDocument& doc,
                             const std::string& path);

    core::plc::PlcDocument& document() noexcept { return *m_doc; }
    LadderView& view() noexcept { return *m_view; }
    QToolBar* toolBar() const noexcept { return m_toolBar; }

private:
    void onPlaceRequested(int row, int column);
    // A draft newer than the program file is offered after the open.
    void offerDraft();
    void buildMenuActions();

    std::unique_ptr<LadderDialogs> m_dialogs;
    std::shared_ptr<core::plc::PlcDocument> m_doc;
    LadderView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QList<QAction*> m_editActions;
    QList<QAction*> m_plcActions;
    QList<QAction*> m_viewActions;
};

}  // namespace kelcc::ui
