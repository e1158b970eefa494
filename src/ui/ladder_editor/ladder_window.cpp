#include "ladder_editor/ladder_window.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/message_translator.h"
#include "app/project.h"
#include "app/workbench.h"
#include "ladder_editor/ladder_draft.h"
#include "ladder_editor/ladder_recovery.h"
#include "ladder_editor/ladder_tool_icons.h"
#include "ladder_editor/ladder_view.h"

namespace kelcc::ui {

using core::common::Answer;
using core::common::MessageIcon;
using core::compiler::PlcDocumentFile;
using SaveOutcome = PlcDocumentFile::SaveOutcome;
using Command = LadderView::Command;

LadderWindow::LadderWindow(Workbench& workbench, const std::string& path,
                           core::ladder_editor::CopyBuffer& copyBuffer,
                           std::unique_ptr<LadderDialogs> dialogs, QWidget* parent,
                           core::app::ProjectItemType type)
    : DocumentWindow(workbench, path, type, parent),
      m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<LadderDialogs>()),
      m_doc(workbench.project().documents().open<core::plc::PlcDocument>(path, [&workbench] {
          return std::make_shared<core::plc::PlcDocument>(workbench.project());
      })) {
    // The file is open as another kind of document only through a fault
    // elsewhere; a private document then keeps the window working.
    if (!m_doc) m_doc = std::make_shared<core::plc::PlcDocument>(workbench.project(), path);
    setDocument(m_doc);
    setWindowTitle(tr("PLC主程序") + QStringLiteral("[*]"));
    MessageTranslator::addTemplates(
        {PlcDocumentFile::kSaveQuestionFormat, PlcDocumentFile::kReplacedQuestion});
    m_view = new LadderView(workbench, *m_doc, copyBuffer, *m_dialogs, this);

    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(24, 24));
    const auto addTool = [this](Command command) {
        QAction* action = m_view->action(command);
        action->setIcon(LadderToolIcons::icon(command));
        // Undo and redo name their step in their tooltips themselves.
        if (command != Command::Undo && command != Command::Redo)
            action->setToolTip(LadderToolIcons::toolTip(*action));
        m_toolBar->addAction(action);
    };
    addTool(Command::Undo);
    addTool(Command::Redo);
    m_toolBar->addSeparator();
    for (Command c : {Command::Contact, Command::ParallelContact, Command::Coil, Command::Function,
                      Command::HorizontalLink, Command::VerticalLink, Command::DeleteElement,
                      Command::DeleteVerticalLink})
        addTool(c);
    m_toolBar->addSeparator();
    addTool(Command::RowNumbers);
    addTool(Command::Comments);
    m_toolBar->addSeparator();
    addTool(Command::Compile);
    addTool(Command::Find);
    buildMenuActions();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view, 1);
    setFocusProxy(m_view);

    connect(&workbench, &Workbench::ladderPlaceRequested, this, &LadderWindow::onPlaceRequested);
}

LadderWindow::~LadderWindow() = default;

void LadderWindow::buildMenuActions() {
    const auto separator = [this] {
        auto* action = new QAction(this);
        action->setSeparator(true);
        return action;
    };
    m_editActions = {m_view->action(Command::Undo), m_view->action(Command::Redo), separator()};
    for (Command c : {Command::Cut, Command::Copy, Command::Paste, Command::Delete})
        m_editActions.append(m_view->action(c));
    m_editActions.append(separator());
    m_editActions.append(m_view->action(Command::InsertRow));
    m_editActions.append(m_view->action(Command::DeleteRow));
    m_editActions.append(separator());
    for (Command c : {Command::Find, Command::GoTo, Command::ProgramStart, Command::ProgramEnd})
        m_editActions.append(m_view->action(c));

    for (Command c : {Command::Contact, Command::ParallelContact, Command::Coil})
        m_plcActions.append(m_view->action(c));
    // The submenu carries the same caption as F3's chooser and lists every
    // instruction; F3 itself stays on the view and the toolbar.
    m_plcActions.append(m_view->functionMenu()->menuAction());
    for (Command c : {Command::HorizontalLink, Command::VerticalLink, Command::DeleteElement,
                      Command::DeleteVerticalLink})
        m_plcActions.append(m_view->action(c));
    m_plcActions.append(separator());
    m_plcActions.append(m_view->action(Command::Compile));
    m_plcActions.append(m_view->action(Command::SaveDraft));
    m_plcActions.append(m_view->action(Command::CrossReference));
    m_viewActions = {m_view->action(Command::RowNumbers), m_view->action(Command::Comments)};
    m_plcActions.append(separator());
    m_plcActions.append(m_view->action(Command::Print));
    m_plcActions.append(m_view->action(Command::PrintPreview));
    m_plcActions.append(m_view->action(Command::ExportPdf));
}

QList<QAction*> LadderWindow::menuActions(MenuSlot slot) const {
    switch (slot) {
        case MenuSlot::Edit:
            return m_editActions;
        case MenuSlot::Plc:
            return m_plcActions;
        case MenuSlot::View:
            return m_viewActions;
    }
    return {};
}

bool LadderWindow::load() {
    // A document another window shows is already read, edits included.
    if (m_doc->loaded()) return true;
    if (!PlcDocumentFile::open(*m_doc, path(), workbench().interaction())) return false;
    offerDraft();
    return true;
}

void LadderWindow::offerDraft() {
    using core::ladder_editor::LadderDraft;
    if (!LadderDraft::newerDraftExists(path())) return;
    auto& ui = workbench().interaction();
    if (ui.ask(LadderDraft::kOfferText, LadderDraft::kOfferCaption, {Answer::Yes, Answer::No},
               MessageIcon::Question) != Answer::Yes)
        return;
    std::string error;
    if (!LadderDraft::open(*m_doc, path(), error))
        ui.inform(error, core::common::kMessageCaption, MessageIcon::Stop);
}

bool LadderWindow::reload() {
    return PlcDocumentFile::reload(*m_doc, path(), workbench().interaction());
}

bool LadderWindow::isModified() const {
    return m_doc->modified();
}

void LadderWindow::setModified(bool modified) {
    m_doc->setModified(modified);
}

SaveOutcome LadderWindow::save() {
    return saveDocument(workbench(), *m_doc, path());
}

SaveOutcome LadderWindow::saveDocument(Workbench& bench, core::plc::PlcDocument& doc,
                                       const std::string& path) {
    const core::common::Language language =
        bench.language() == 1 ? core::common::Language::English : core::common::Language::Chinese;
    const bool wasModified = doc.modified();
    if (wasModified) bench.clearOutput();
    const auto result =
        PlcDocumentFile::fileSave(doc, path, bench.project().name(), language, bench.interaction());
    for (const auto& line : result.lines)
        bench.appendOutput(QString::fromStdString(line));
    if (!result.lines.empty()) bench.showOutput();
    // The views follow the document: a revert read the file again, a
    // successful compile redrew the ladder with the cursor kept as after F9,
    // and a failed compile left the ladder where the user was editing.
    return result.outcome;
}

bool LadderWindow::saveSilently() {
    return save() == SaveOutcome::Saved;
}

bool LadderWindow::queryClose() {
    if (documentShownElsewhere()) return true;
    return confirmClose(workbench(), *m_doc, path());
}

bool LadderWindow::confirmClose(Workbench& bench, core::plc::PlcDocument& doc,
                                const std::string& path) {
    if (!doc.modified()) return true;
    const Answer answer =
        bench.interaction().ask("文件数据已被改变,保存文件吗?", "关闭窗口",
                                {Answer::Yes, Answer::No, Answer::Cancel}, MessageIcon::Question);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) {
        // The edits are dropped: a window opened on the file from now on
        // reads it from disk, even while this one is still being deleted.
        doc.setModified(false);
        bench.project().documents().forget(doc.path());
        return true;
    }
    // A failed compile asks again: back to editing keeps the window, the
    // reverted program closes it with the file as it was.
    const SaveOutcome outcome = saveDocument(bench, doc, path);
    return outcome == SaveOutcome::Saved || outcome == SaveOutcome::Reverted;
}

void LadderWindow::onPlaceRequested(int row, int column) {
    m_view->moveCursorTo(row, column == 0 ? 1 : column);
    m_view->setFocus();
}

std::optional<DocumentWindow::RecoveryCopy> LadderWindow::recoveryCopy() const {
    // Any window of the program opens it again as its ladder.
    return RecoveryCopy{core::app::ProjectItemType::PlcProgram,
                        core::ladder_editor::LadderRecovery::content(*m_doc)};
}

bool LadderWindow::restoreRecovery(std::string_view content, std::string& error) {
    return core::ladder_editor::LadderRecovery::restore(*m_doc, content, error);
}

}  // namespace kelcc::ui
