#include "plc_tables/plc_table_window.h"

#include <QAction>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/message_translator.h"
#include "app/project.h"
#include "app/undo_actions.h"
#include "app/workbench.h"
#include "compiler/plc_document_file.h"
#include "ladder_editor/ladder_recovery.h"
#include "ladder_editor/ladder_window.h"
#include "plc_tables/alarm_table_model.h"
#include "plc_tables/io_comment_model.h"
#include "tables/table_item_model.h"
#include "tables/table_view.h"

namespace kelcc::ui {

using core::compiler::PlcDocumentFile;

PlcTableWindow::PlcTableWindow(Workbench& workbench, const std::string& path,
                               core::app::ProjectItemType type, QWidget* parent)
    : DocumentWindow(workbench, path, type, parent),
      m_doc(workbench.project().documents().open<core::plc::PlcDocument>(path, [&workbench] {
          return std::make_shared<core::plc::PlcDocument>(workbench.project());
      })) {
    if (!m_doc) m_doc = std::make_shared<core::plc::PlcDocument>(workbench.project(), path);
    setDocument(m_doc);
    MessageTranslator::addTemplates({core::plc_tables::AlarmTableModel::kDuplicateFormat,
                                     core::plc_tables::IoCommentModel::kDuplicateFormat,
                                     PlcDocumentFile::kSaveQuestionFormat});

    m_pages = new QTabWidget(this);
    m_pages->setDocumentMode(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);

    const auto make = [this](const QString& text, const QKeySequence& key) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        return action;
    };
    m_undoActions = new UndoActions(this);
    m_undoActions->setStack(&m_doc->undoStack());
    QAction* copy = make(tr("复制(&C)"), QKeySequence::Copy);
    QAction* paste = make(tr("粘贴(&P)"), QKeySequence::Paste);
    connect(copy, &QAction::triggered, this, [this] {
        if (TableView* table = currentTable()) table->copySelection();
    });
    connect(paste, &QAction::triggered, this, [this] {
        if (TableView* table = currentTable()) table->paste();
    });
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_editActions = {m_undoActions->undo(), m_undoActions->redo(), separator, copy, paste};
}

PlcTableWindow::~PlcTableWindow() = default;

QAction* PlcTableWindow::undoAction() const noexcept {
    return m_undoActions->undo();
}

QAction* PlcTableWindow::redoAction() const noexcept {
    return m_undoActions->redo();
}

TableView* PlcTableWindow::addTablePage(std::unique_ptr<core::common::TableModel> table,
                                        const QString& title) {
    auto* model = new TableItemModel(*m_doc, std::move(table), workbench().interaction());
    auto* view = new TableView(model, m_pages);
    m_pages->addTab(view, title);
    return view;
}

TableView* PlcTableWindow::currentTable() const {
    return qobject_cast<TableView*>(m_pages->currentWidget());
}

QList<QAction*> PlcTableWindow::menuActions(MenuSlot slot) const {
    return slot == MenuSlot::Edit ? m_editActions : QList<QAction*>{};
}

bool PlcTableWindow::load() {
    if (m_doc->loaded()) return true;
    return PlcDocumentFile::open(*m_doc, path(), workbench().interaction());
}

bool PlcTableWindow::reload() {
    return PlcDocumentFile::reload(*m_doc, path(), workbench().interaction());
}

bool PlcTableWindow::isModified() const {
    return m_doc->modified();
}

void PlcTableWindow::setModified(bool modified) {
    m_doc->setModified(modified);
}

bool PlcTableWindow::saveSilently() {
    return LadderWindow::saveDocument(workbench(), *m_doc, path()) ==
           PlcDocumentFile::SaveOutcome::Saved;
}

bool PlcTableWindow::queryClose() {
    if (documentShownElsewhere()) return true;
    return LadderWindow::confirmClose(workbench(), *m_doc, path());
}

void PlcTableWindow::undoStateChanged() {
    updateUndoActions();
}

void PlcTableWindow::updateUndoActions() {
    m_undoActions->update();
}

std::optional<DocumentWindow::RecoveryCopy> PlcTableWindow::recoveryCopy() const {
    // Any window of the program opens it again as its ladder.
    return RecoveryCopy{core::app::ProjectItemType::PlcProgram,
                        core::ladder_editor::LadderRecovery::content(*m_doc)};
}

bool PlcTableWindow::restoreRecovery(std::string_view content, std::string& error) {
    return core::ladder_editor::LadderRecovery::restore(*m_doc, content, error);
}

}  // namespace kelcc::ui
