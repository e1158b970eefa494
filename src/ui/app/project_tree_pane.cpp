#include "app/project_tree_pane.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <map>

#include "app/document_kinds.h"
#include "app/message_translator.h"
#include "app/project.h"
#include "app/project_item_type.h"
#include "app/tree_icons.h"
#include "app/workbench.h"

namespace kelcc::ui {

using core::app::ProjectItemType;

namespace {

constexpr int kProgramEntry = -1;

// The window kind an entry's "打开" opens.
std::optional<ProjectItemType> typeOf(ProjectTreePane::Entry entry) {
    using Entry = ProjectTreePane::Entry;
    switch (entry) {
        case Entry::LadderProgram:
        case Entry::ProgramInformation:
        case Entry::KValues:  // a dialog over the program's document
            return ProjectItemType::PlcProgram;
        case Entry::InformationTable:
            return ProjectItemType::PlcInformation;
        case Entry::DataTables:
            return ProjectItemType::PlcDataTables;
        case Entry::Parameters:
            return ProjectItemType::Parameters;
        case Entry::ToolOffsets:
            return ProjectItemType::ToolOffsets;
        case Entry::PitchCompensation:
            return ProjectItemType::PitchCompensation;
        default:
            return std::nullopt;
    }
}

}  // namespace

ProjectTreePane::ProjectTreePane(Workbench& workbench, QWidget* parent)
    : QTreeWidget(parent), m_workbench(workbench) {
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { activate(item); });
}

void ProjectTreePane::rebuild() {
    clear();
    const core::app::ProjectTree& tree = m_workbench.project().tree();
    if (!tree.built()) return;
    std::map<Entry, QTreeWidgetItem*> items;
    for (const auto& fixed : core::app::ProjectTree::fixedEntries()) {
        QTreeWidgetItem* item = fixed.entry == Entry::Root
                                    ? new QTreeWidgetItem(this)
                                    : new QTreeWidgetItem(items[fixed.parent]);
        item->setText(0, MessageTranslator::translate(fixed.entry == Entry::Root ? tree.rootText()
                                                                                 : fixed.text));
        item->setIcon(0, TreeIcons::icon(fixed.image));
        item->setData(0, kEntryRole, static_cast<int>(fixed.entry));
        items[fixed.entry] = item;
    }
    for (const auto& program : tree.enumeratePrograms()) {
        auto* item = new QTreeWidgetItem(items[Entry::PartProgramBranch]);
        item->setText(0, QString::fromStdString(program.name));
        item->setIcon(0, TreeIcons::icon(core::app::ProjectTree::kProgramImage));
        item->setData(0, kEntryRole, kProgramEntry);
        item->setData(0, kProgramRole, QString::fromStdString(program.name));
    }
    expandAll();
}

QTreeWidgetItem* ProjectTreePane::itemFor(Entry entry) const {
    for (QTreeWidgetItemIterator it(const_cast<ProjectTreePane*>(this)); *it; ++it)
        if ((*it)->data(0, kEntryRole).toInt() == static_cast<int>(entry)) return *it;
    return nullptr;
}

QTreeWidgetItem* ProjectTreePane::programItem(const QString& name) const {
    for (QTreeWidgetItemIterator it(const_cast<ProjectTreePane*>(this)); *it; ++it)
        if ((*it)->data(0, kEntryRole).toInt() == kProgramEntry &&
            (*it)->data(0, kProgramRole).toString() == name)
            return *it;
    return nullptr;
}

bool ProjectTreePane::canOpen(Entry entry) const {
    const auto type = typeOf(entry);
    return type && DocumentKinds::has(*type);
}

QMenu* ProjectTreePane::contextMenuFor(QTreeWidgetItem* item) {
    if (item == nullptr) return nullptr;
    const int role = item->data(0, kEntryRole).toInt();
    auto* menu = new QMenu(this);
    if (role == kProgramEntry) {
        const QString name = item->data(0, kProgramRole).toString();
        QAction* open = menu->addAction(tr("打开(&O)"), this,
                                        [this, name] { emit openProgramRequested(name); });
        open->setEnabled(m_partPrograms && DocumentKinds::has(ProjectItemType::PartProgram));
        menu->addSeparator();
        menu->addAction(tr("删除(&D)"), this, [this, name] { emit deleteProgramRequested(name); })
            ->setEnabled(m_partPrograms);
        menu->addSeparator();
        menu->addAction(tr("属性(&A)..."))->setEnabled(false);
        return menu;
    }
    const auto entry = static_cast<Entry>(role);
    switch (entry) {
        case Entry::PartProgramBranch:
            menu->addAction(tr("新建文件(&N)..."), this, [this] { emit newProgramRequested(); })
                ->setEnabled(m_partPrograms);
            menu->addSeparator();
            menu->addAction(tr("导入文件(&A)..."), this, [this] { emit importProgramRequested(); })
                ->setEnabled(m_partPrograms);
            return menu;
        case Entry::LadderProgram:
        case Entry::ProgramInformation: {
            menu->addAction(tr("打开(&O)"), this, [this, entry] { emit openEntryRequested(entry); })
                ->setEnabled(canOpen(entry));
            menu->addSeparator();
            menu->addAction(tr("删除(&D)"))->setEnabled(false);
            menu->addSeparator();
            const core::app::Project& project = m_workbench.project();
            const bool plcOpen =
                project.hasProject() && project.host().isDocumentOpen(project.plcProgramPath());
            menu->addAction(tr("属性(&A)..."), this, [this] { emit plcPropertiesRequested(); })
                ->setEnabled(plcOpen);
            return menu;
        }
        case Entry::InformationTable:
        case Entry::DataTables:
        case Entry::Parameters:
        case Entry::ToolOffsets:
        case Entry::PitchCompensation:
            menu->addAction(tr("打开(&O)"), this, [this, entry] { emit openEntryRequested(entry); })
                ->setEnabled(canOpen(entry));
            return menu;
        default:
            delete menu;
            return nullptr;
    }
}

void ProjectTreePane::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* item = itemAt(viewport()->mapFrom(this, event->pos()));
    if (item == nullptr) return;
    setCurrentItem(item);
    QMenu* menu = contextMenuFor(item);
    if (menu == nullptr) return;
    menu->exec(event->globalPos());
    menu->deleteLater();
}

void ProjectTreePane::activate(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    const int role = item->data(0, kEntryRole).toInt();
    if (role == kProgramEntry) {
        if (m_partPrograms && DocumentKinds::has(ProjectItemType::PartProgram))
            emit openProgramRequested(item->data(0, kProgramRole).toString());
        return;
    }
    const auto entry = static_cast<Entry>(role);
    if (canOpen(entry)) emit openEntryRequested(entry);
}

}  // namespace kelcc::ui
