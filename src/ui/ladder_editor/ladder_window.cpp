#include "ladder_editor/ladder_window.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/message_translator.h"
#include "app/project.h"
#include "app/workbench.h"
#include "ladder_editor/view_plc_ld.h"

namespace kelcc::ui {

using core::common::Answer;
using core::common::MessageIcon;
using core::plc::PlcDocumentFile;
using SaveOutcome = PlcDocumentFile::SaveOutcome;
using Command = CViewPLCLd::Command;

LadderWindow::LadderWindow(Workbench& workbench, const std::string& path,
                           core::ladder_editor::CopyBuffer& copyBuffer,
                           std::unique_ptr<LadderDialogs> dialogs, QWidget* parent)
    : DocumentWindow(workbench, path, core::app::ProjectItemType::PlcProgram, parent),
      m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<LadderDialogs>()),
      m_doc(std::make_unique<core::plc::PlcDocument>(workbench.project())) {
    setWindowTitle(tr("PLC主程序") + QStringLiteral("[*]"));
    MessageTranslator::addTemplates({PlcDocumentFile::kSaveQuestionFormat});
    m_view = new CViewPLCLd(workbench, *m_doc, copyBuffer, *m_dialogs, this);

    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (Command c : {Command::Contact, Command::ParallelContact, Command::Coil, Command::Function,
                      Command::HorizontalLink, Command::VerticalLink, Command::DeleteElement,
                      Command::DeleteVerticalLink})
        m_toolBar->addAction(m_view->action(c));
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_view->action(Command::RowNumbers));
    m_toolBar->addAction(m_view->action(Command::Comments));
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_view->action(Command::Compile));
    m_toolBar->addAction(m_view->action(Command::Find));
    buildMenuActions();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view, 1);
    setFocusProxy(m_view);

    connect(m_view, &CViewPLCLd::edited, this, [this] {
        setWindowModified(true);
        emit modificationChanged(true);
    });
    connect(m_view, &CViewPLCLd::compiled, this, [this](bool) {
        setWindowModified(m_doc->modified());
        emit modificationChanged(m_doc->modified());
    });
    connect(&workbench, &Workbench::ladderPlaceRequested, this, &LadderWindow::onPlaceRequested);
}

LadderWindow::~LadderWindow() = default;

void LadderWindow::buildMenuActions() {
    const auto separator = [this] {
        auto* action = new QAction(this);
        action->setSeparator(true);
        return action;
    };
    // The ladder has no undo; the entry is shown but never enabled.
    auto* undo = new QAction(tr("撤消(&U)"), this);
    undo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    undo->setShortcutContext(Qt::WidgetShortcut);
    undo->setEnabled(false);
    m_editActions = {undo, separator()};
    for (Command c : {Command::Cut, Command::Copy, Command::Paste, Command::Delete})
        m_editActions.append(m_view->action(c));
    m_editActions.append(separator());
    m_editActions.append(m_view->action(Command::InsertRow));
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
    m_viewActions = {m_view->action(Command::RowNumbers), m_view->action(Command::Comments)};
    m_plcActions.append(separator());
    m_plcActions.append(m_view->action(Command::Print));
    m_plcActions.append(m_view->action(Command::PrintPreview));
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
    const bool ok = PlcDocumentFile::open(*m_doc, path(), workbench().interaction());
    m_doc->setModified(false);
    m_view->documentReplaced();
    setWindowModified(false);
    return ok;
}

bool LadderWindow::isModified() const {
    return m_doc->modified();
}

void LadderWindow::setModified(bool modified) {
    if (m_doc->modified() == modified) return;
    m_doc->setModified(modified);
    setWindowModified(modified);
    emit modificationChanged(modified);
}

SaveOutcome LadderWindow::save() {
    auto& bench = workbench();
    const core::compiler::Language language = bench.language() == 1
                                                  ? core::compiler::Language::English
                                                  : core::compiler::Language::Chinese;
    const bool wasModified = m_doc->modified();
    if (wasModified) bench.clearOutput();
    const auto result = PlcDocumentFile::fileSave(*m_doc, path(), bench.project().name(), language,
                                                  bench.interaction());
    for (const auto& line : result.lines)
        bench.appendOutput(QString::fromStdString(line));
    if (!result.lines.empty()) bench.showOutput();
    // A revert read the file again; a successful compile rebuilt the ladder,
    // and the cursor stays where it was as after F9. A failed compile left
    // the ladder alone, so the user returns to the place being edited.
    if (result.outcome == SaveOutcome::Reverted) {
        m_view->documentReplaced();
    } else if (wasModified && result.outcome != SaveOutcome::ReturnToEditing) {
        const auto cursor = m_view->cursor();
        m_view->documentReplaced();
        m_view->moveCursorTo(cursor.row, cursor.column);
    }
    if (result.outcome == SaveOutcome::Reverted) m_doc->setModified(false);
    setWindowModified(m_doc->modified());
    emit modificationChanged(m_doc->modified());
    return result.outcome;
}

bool LadderWindow::saveSilently() {
    return save() == SaveOutcome::Saved;
}

bool LadderWindow::queryClose() {
    if (!isModified()) return true;
    const Answer answer = workbench().interaction().ask("文件数据已被改变,保存文件吗?", "关闭窗口",
                                                        {Answer::Yes, Answer::No, Answer::Cancel},
                                                        MessageIcon::Question);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) {
        setModified(false);
        return true;
    }
    // A failed compile asks again: back to editing keeps the window, the
    // reverted program closes it with the file as it was.
    const SaveOutcome outcome = save();
    return outcome == SaveOutcome::Saved || outcome == SaveOutcome::Reverted;
}

void LadderWindow::onPlaceRequested(int row, int column) {
    m_view->moveCursorTo(row, column == 0 ? 1 : column);
    m_view->setFocus();
}

}  // namespace kelcc::ui
