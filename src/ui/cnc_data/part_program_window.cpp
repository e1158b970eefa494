#include "cnc_data/part_program_window.h"

#include <QAction>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/project.h"
#include "app/workbench.h"
#include "cnc_data/text_find_dialog.h"
#include "common/atomic_file.h"
#include "common/interaction.h"
#include "common/text_codec.h"

namespace kelcc::ui {

namespace {

using core::common::MessageIcon;
using core::common::TextCodec;

std::string replaceAll(const std::string& text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(from, start)) != std::string::npos;
         start = at + from.size()) {
        out.append(text, start, at - start);
        out.append(to);
    }
    out.append(text, start, std::string::npos);
    return out;
}

std::string withArgument(const char* pattern, const std::string& argument) {
    return replaceAll(pattern, "%1", argument);
}

}  // namespace

PartProgramWindow::PartProgramWindow(Workbench& workbench, std::string path, QWidget* parent)
    : DocumentWindow(workbench, std::move(path), core::app::ProjectItemType::PartProgram, parent),
      m_edit(new QPlainTextEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_position = new QLabel(status);
    status->addPermanentWidget(m_position);
    layout->addWidget(status);
    m_edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &PartProgramWindow::textEdited);
    connect(m_edit, &QPlainTextEdit::cursorPositionChanged, this, &PartProgramWindow::showPosition);
    setFocusProxy(m_edit);
    createEditActions();
    showPosition();
}

void PartProgramWindow::showPosition() {
    const QTextCursor cursor = m_edit->textCursor();
    m_position->setText(
        tr("行 %1, 列 %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

TextFindDialog& PartProgramWindow::findDialog() {
    if (m_findDialog == nullptr) m_findDialog = new TextFindDialog(*m_edit, this);
    return *m_findDialog;
}

void PartProgramWindow::createEditActions() {
    const auto add = [this](const QString& text, QKeySequence::StandardKey key, auto slot,
                            bool enabled) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        // The editor handles these keys itself while it has the focus.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, m_edit, slot);
        m_editActions.append(action);
        return action;
    };
    QAction* undo = add(tr("撤消(&U)"), QKeySequence::Undo, &QPlainTextEdit::undo, false);
    connect(m_edit, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_editActions.append(separator);
    QAction* cut = add(tr("剪切(&T)"), QKeySequence::Cut, &QPlainTextEdit::cut, false);
    QAction* copy = add(tr("复制(&C)"), QKeySequence::Copy, &QPlainTextEdit::copy, false);
    connect(m_edit, &QPlainTextEdit::copyAvailable, cut, &QAction::setEnabled);
    connect(m_edit, &QPlainTextEdit::copyAvailable, copy, &QAction::setEnabled);
    add(tr("粘贴(&P)"), QKeySequence::Paste, &QPlainTextEdit::paste, true);
    add(tr("全选(&A)"), QKeySequence::SelectAll, &QPlainTextEdit::selectAll, true);

    auto* findSeparator = new QAction(this);
    findSeparator->setSeparator(true);
    m_editActions.append(findSeparator);
    const auto addFind = [this](const QString& text, const QKeySequence& key, auto slot) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        // Also while the editor has the focus: the window holds the action.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [this, slot] { (findDialog().*slot)(); });
        addAction(action);
        m_editActions.append(action);
    };
    addFind(tr("查找(&F)..."), QKeySequence(Qt::CTRL | Qt::Key_F), &TextFindDialog::showFind);
    addFind(tr("替换(&R)..."), QKeySequence(Qt::CTRL | Qt::Key_H), &TextFindDialog::showReplace);
}

QList<QAction*> PartProgramWindow::menuActions(MenuSlot slot) const {
    return slot == MenuSlot::Edit ? m_editActions : QList<QAction*>{};
}

bool PartProgramWindow::load() {
    core::cnc_data::PartProgramDocument loaded;
    const core::common::FileResult read = loaded.open(path());
    core::common::Interaction& ui = workbench().interaction();
    if (!read.ok) {
        ui.inform(read.error, core::common::kMessageCaption, MessageIcon::Stop);
        return false;
    }
    const core::common::ConversionResult text = TextCodec::gbkToUtf8(loaded.text());
    if (!text.ok) {
        // Showing such bytes would replace them, and a save would lose them.
        ui.inform(withArgument(kNotGbkText, path()), core::common::kMessageCaption,
                  MessageIcon::Stop);
        return false;
    }
    m_crlf =
        text.text.find("\r\n") != std::string::npos || text.text.find('\n') == std::string::npos;
    const std::string shown = m_crlf ? replaceAll(text.text, "\r\n", "\n") : text.text;

    m_document.open(path());
    m_loading = true;
    // A reload starts a new undo history; the edits before it are gone.
    m_edit->setPlainText(QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
    m_loading = false;
    setWindowTitle(tr("零件加工程序-%1").arg(QString::fromUtf8(m_document.name())) +
                   QStringLiteral("[*]"));
    setModified(false);
    return true;
}

void PartProgramWindow::setModified(bool modified) {
    const bool changed = modified != m_document.modified();
    m_document.setModified(modified);
    m_edit->document()->setModified(modified);
    setWindowModified(modified);
    if (changed) emit modificationChanged(modified);
}

void PartProgramWindow::textEdited() {
    if (m_loading) return;
    workbench().project().markProjectModified(true);
    if (!m_document.modified()) setModified(true);
}

bool PartProgramWindow::saveSilently() {
    const QByteArray utf8 = m_edit->toPlainText().toUtf8();
    std::string text(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (m_crlf) text = replaceAll(text, "\n", "\r\n");
    const core::common::ConversionResult gbk = TextCodec::utf8ToGbk(text);
    if (!gbk.ok) {
        // Writing '?' for what GBK cannot hold would lose the text; refuse
        // and show where it is.
        const std::string before = text.substr(0, std::min(gbk.errorOffset, text.size()));
        const auto line = std::count(before.begin(), before.end(), '\n') + 1;
        const QTextBlock block = m_edit->document()->findBlockByNumber(static_cast<int>(line) - 1);
        if (block.isValid()) {
            QTextCursor cursor(block);
            m_edit->setTextCursor(cursor);
        }
        workbench().interaction().inform(withArgument(kUnsavableText, std::to_string(line)),
                                         core::common::kMessageCaption, MessageIcon::Warning);
        return false;
    }
    const bool wasModified = m_document.modified();
    m_document.setText(gbk.text);
    // The window's path, which follows the project when it is saved as
    // another one.
    const core::common::FileResult saved = core::common::AtomicFile::write(path(), gbk.text);
    if (!saved.ok) {
        // The file does not hold what is shown.
        m_document.setModified(true);
        workbench().interaction().inform(saved.error, core::common::kMessageCaption,
                                         MessageIcon::Stop);
        return false;
    }
    m_document.setModified(false);
    m_edit->document()->setModified(false);
    setWindowModified(false);
    if (wasModified) emit modificationChanged(false);
    return true;
}

std::optional<DocumentWindow::RecoveryCopy> PartProgramWindow::recoveryCopy() const {
    const QByteArray utf8 = m_edit->toPlainText().toUtf8();
    return RecoveryCopy{type(),
                        std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()))};
}

bool PartProgramWindow::restoreRecovery(std::string_view content, std::string& error) {
    const QString text = QString::fromUtf8(content.data(), static_cast<qsizetype>(content.size()));
    if (text.toUtf8() != QByteArray(content.data(), static_cast<qsizetype>(content.size()))) {
        error = path() + ": not the copy of a text";
        return false;
    }
    // One undoable edit, so that Undo gives the saved text back.
    QTextCursor cursor(m_edit->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    setModified(true);
    workbench().project().markProjectModified(true);
    return true;
}

}  // namespace kelcc::ui
