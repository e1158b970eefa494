#pragma once

#include <QTreeWidget>

#include "app/project_tree.h"

class QMenu;

namespace kelcc::ui {

class Workbench;

// The project manager "工程管理器": the core's project tree as a tree
// widget, with the shortcut menus of its entries. Commands leave as signals;
// the main window carries them out.
class ProjectTreePane final : public QTreeWidget {
    Q_OBJECT

public:
    using Entry = core::app::ProjectTree::Entry;

    static constexpr int kEntryRole = Qt::UserRole;
    static constexpr int kProgramRole = Qt::UserRole + 1;

    ProjectTreePane(Workbench& workbench, QWidget* parent = nullptr);

    // Shows the core's tree again (empty while no project is open).
    void rebuild();
    // Whether the part-program commands exist in this build.
    void setPartProgramCommands(bool available) { m_partPrograms = available; }

    QTreeWidgetItem* itemFor(Entry entry) const;
    QTreeWidgetItem* programItem(const QString& name) const;
    // The shortcut menu of an item, or nullptr for entries without one. The
    // caller owns it.
    QMenu* contextMenuFor(QTreeWidgetItem* item);

signals:
    void openEntryRequested(core::app::ProjectTree::Entry entry);
    void plcPropertiesRequested();
    void newProgramRequested();
    void importProgramRequested();
    void openProgramRequested(const QString& name);
    void deleteProgramRequested(const QString& name);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool canOpen(Entry entry) const;
    void activate(QTreeWidgetItem* item);

    Workbench& m_workbench;
    bool m_partPrograms = false;
};

}  // namespace kelcc::ui
