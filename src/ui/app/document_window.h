#pragma once

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/project_item_type.h"
#include "common/document.h"

class QAction;

namespace kelcc::ui {

class Workbench;

// The widget inside one MDI child window: one file of the project in the
// window kind of its item type. The main window keeps these by path and
// drives them through the project commands. A window with a shared document
// is a view of it: the modified state, the history and the path are the
// document's, and the close question comes with its last window.
class DocumentWindow : public QWidget, public core::common::DocumentListener {
    Q_OBJECT

public:
    DocumentWindow(Workbench& workbench, std::string path, core::app::ProjectItemType type,
                   QWidget* parent = nullptr);
    ~DocumentWindow() override;

    const std::string& path() const noexcept { return m_document ? m_document->path() : m_path; }
    // The file this window reads and saves from now on (Save project as
    // moves the open windows to the project's new folder).
    void setPath(std::string path);
    // The shared document shown, or nullptr for a window that keeps its
    // own content (the part-program editor).
    core::common::Document* document() const noexcept { return m_document.get(); }
    core::app::ProjectItemType type() const noexcept { return m_type; }
    Workbench& workbench() const noexcept { return m_workbench; }

    // Reads the file; false when it could not be loaded (the window is then
    // not shown).
    virtual bool load() = 0;
    // Rereads the file after it was replaced on disk and refreshes.
    virtual bool reload() { return load(); }
    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;
    // Saves to its own file without asking; false when that failed (the
    // user was told).
    virtual bool saveSilently() = 0;
    // The user closes the window. Modified: "文件数据已被改变,保存文件吗?"
    // with caption "关闭窗口", Yes/No/Cancel. Cancel keeps the window, No
    // drops the changes, Yes saves silently on the way.
    virtual bool queryClose();

    // The main window's Edit and PLC menus show the actions of the active
    // window; a window without any leaves that menu disabled.
    enum class MenuSlot { Edit, Plc, View };
    virtual QList<QAction*> menuActions(MenuSlot slot) const {
        (void)slot;
        return {};
    }

    // What a recovery copy keeps of the window's unsaved content, with the
    // window kind that shows it again; none for a window with nothing of
    // its own to keep.
    struct RecoveryCopy {
        core::app::ProjectItemType kind;
        std::string content;
    };
    virtual std::optional<RecoveryCopy> recoveryCopy() const { return std::nullopt; }
    // Puts a copy in place of the content shown, which is then modified;
    // false, with `error` set, when the copy does not fit.
    virtual bool restoreRecovery(std::string_view content, std::string& error);

    void modifiedChanged(bool modified) override;

signals:
    void modificationChanged(bool modified);

protected:
    // Attaches the window to its document as one of its views.
    void setDocument(std::shared_ptr<core::common::Document> document);
    // True when other windows show the same document.
    bool documentShownElsewhere() const noexcept {
        return m_document && m_document->viewCount() > 1;
    }

    // The last window drops the edits: a window opened on the file from now
    // on reads it from disk, even while this one is still being deleted.
    void dropDocument();

private:
    std::shared_ptr<core::common::Document> m_document;
    Workbench& m_workbench;
    std::string m_path;
    core::app::ProjectItemType m_type;
};

}  // namespace kelcc::ui
