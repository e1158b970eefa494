#include "ladder_editor/ladder_view.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "app/message_translator.h"
#include "app/project.h"
#include "app/undo_actions.h"
#include "app/workbench.h"
#include "compiler/compile_command.h"
#include "ladder_editor/cross_reference_lookup.h"
#include "ladder_editor/cross_reference_window.h"
#include "ladder_editor/ladder_dialogs.h"
#include "ladder_editor/ladder_find.h"
#include "ladder_editor/ladder_printout.h"

namespace kelcc::ui {

using core::ladder_editor::CellEditRequest;
using core::ladder_editor::CellPos;
using core::ladder_editor::CellRange;
using core::ladder_editor::CrossReferenceLookup;
using core::ladder_editor::EditResult;
using core::ladder_editor::LadderEditor;
using core::ladder_editor::LadderFind;
using core::plc::FormResult;
using core::plc::FormValues;
using core::plc::InstructionCode;
using core::plc::LadderGrid;
using core::plc::OperandForm;

namespace {

// Rows of empty ladder offered below the last used row for drawing on.
constexpr int kSpareRows = 40;

core::common::Language languageOf(const Workbench& workbench) {
    return workbench.language() == 1 ? core::common::Language::English
                                     : core::common::Language::Chinese;
}

// The function-instruction menu, grouped as the controller's manual does.
constexpr std::string_view kFunctionMenuGroups[][12] = {
    {"END1", "END2"},
    {"SET", "RST"},
    {"CMP", "CTRC", "TMRB", "MOVN", "DECB", "CODB", "JMPB", "LBL", "CALL", "SP", "SPE", "ROTB"},
    {"PARI", "ADDB", "SUBB", "DIFU", "DIFD", "MOVE", "ALT"},
};

}  // namespace

LadderView::LadderView(Workbench& workbench, core::plc::PlcDocument& doc,
                       core::ladder_editor::CopyBuffer& copyBuffer, LadderDialogs& dialogs,
                       QWidget* parent)
    : QAbstractScrollArea(parent),
      m_workbench(workbench),
      m_doc(doc),
      m_copyBuffer(copyBuffer),
      m_dialogs(dialogs),
      m_editor(doc, workbench.interaction()),
      m_layout(doc.grid()) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(false);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(palette);

    m_autoScroll = new QTimer(this);
    m_autoScroll->setInterval(60);
    connect(m_autoScroll, &QTimer::timeout, this, [this] {
        // Dragging near the bottom keeps scrolling down.
        if (!m_dragging || m_lastMouse.y() < viewport()->height() - m_geometry.unit) {
            m_autoScroll->stop();
            return;
        }
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() + m_geometry.unit);
        m_dragEnd = toContent(m_lastMouse);
        viewport()->update();
    });

    MessageTranslator::addTemplates({"第%1页/共%2页", "KELCC工程-%1 PLC梯形图程序"});
    createActions();
    updateScrollBars();
    m_doc.addListener(this);
}

LadderView::~LadderView() {
    m_doc.removeListener(this);
}

QAction* LadderView::makeAction(Command command, const QString& text,
                                const QList<QKeySequence>& keys, void (LadderView::*slot)()) {
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (slot != nullptr)
        connect(action, &QAction::triggered, this, [this, slot] {
            (this->*slot)();
            // A dialog or message of the command took the focus with it.
            takeFocusBack();
        });
    addAction(action);
    m_actions[command] = action;
    return action;
}

void LadderView::createActions() {
    using K = QKeySequence;
    makeAction(Command::Contact, tr("触点(&I)"), {K(Qt::Key_F1)}, &LadderView::addContact);
    makeAction(Command::ParallelContact, tr("在光标下方添加并联触点"), {K(Qt::SHIFT | Qt::Key_F1)},
               &LadderView::addParallelContact);
    makeAction(Command::Coil, tr("线圈(&C)"), {K(Qt::Key_F2)}, &LadderView::addCoil);
    makeAction(Command::Function, tr("功能指令(&F)"), {K(Qt::Key_F3)}, &LadderView::chooseFunction);
    makeAction(Command::HorizontalLink, tr("添加连接横线(F4)"), {K(Qt::Key_F4)},
               &LadderView::addHorizontalLink);
    makeAction(Command::VerticalLink, tr("添加连接竖线(F5)"), {K(Qt::Key_F5)},
               &LadderView::addVerticalLink);
    makeAction(Command::DeleteElement, tr("删除选择区域"), {}, &LadderView::deleteElement);
    makeAction(Command::DeleteVerticalLink, tr("删除连接竖线"), {},
               &LadderView::deleteVerticalLink);
    makeAction(Command::Delete, tr("删除(&D)"), {K(Qt::Key_Delete)}, &LadderView::deleteSelection);
    makeAction(Command::Cut, tr("剪切(&X)"),
               {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)}, &LadderView::cut);
    makeAction(Command::Copy, tr("复制(&C)"),
               {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)}, &LadderView::copy);
    makeAction(Command::Paste, tr("粘贴(&P)"),
               {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)}, &LadderView::paste);
    makeAction(Command::InsertRow, tr("插入一行(&I)"), {}, &LadderView::insertRow);
    makeAction(Command::DeleteRow, tr("删除一行"), {K(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
               &LadderView::deleteRow);
    QAction* rowNumbers = makeAction(Command::RowNumbers, tr("梯形图行号"), {}, nullptr);
    rowNumbers->setCheckable(true);
    rowNumbers->setChecked(m_geometry.rowNumbers);
    connect(rowNumbers, &QAction::toggled, this, &LadderView::setShowRowNumbers);
    QAction* comments = makeAction(Command::Comments, tr("显示注释"), {}, nullptr);
    comments->setCheckable(true);
    comments->setChecked(m_geometry.comments);
    connect(comments, &QAction::toggled, this, &LadderView::setShowComments);
    makeAction(Command::Compile, tr("编译(&C)"), {K(Qt::Key_F9)}, &LadderView::compile);
    m_actions[Command::Compile]->setStatusTip(tr("编译梯形图程序"));
    makeAction(Command::Find, tr("查找(&S)..."), {K(Qt::CTRL | Qt::Key_F)}, &LadderView::find);
    makeAction(Command::GoTo, tr("指定行(&L)..."), {K(Qt::CTRL | Qt::Key_G)}, &LadderView::goTo);
    makeAction(Command::ProgramStart, tr("程序开始"), {K(Qt::Key_Home)}, &LadderView::programStart);
    makeAction(Command::ProgramEnd, tr("程序末尾"), {K(Qt::Key_End)}, &LadderView::programEnd);
    makeAction(Command::Print, tr("打印(&P)..."), {K(Qt::CTRL | Qt::Key_P)}, &LadderView::print);
    makeAction(Command::PrintPreview, tr("打印预览(&V)"), {}, &LadderView::printPreview);
    makeAction(Command::ExportPdf, tr("导出PDF..."), {}, &LadderView::exportPdf);
    makeAction(Command::CrossReference, tr("交叉引用..."), {}, &LadderView::showCrossReference);
    makeAction(Command::SaveDraft, tr("保存为草稿"), {}, &LadderView::saveDraft);
    // An open comment editor would write into the row the undo changes.
    m_undoActions = new UndoActions(this);
    m_undoActions->setStack(&m_doc.undoStack());
    m_undoActions->setBefore([this] { closeCommentEditor(); });
    connect(m_undoActions, &UndoActions::applied, this, &LadderView::edited);
    m_actions[Command::Undo] = m_undoActions->undo();
    m_actions[Command::Redo] = m_undoActions->redo();

    m_functionMenu = new QMenu(tr("功能指令(&F)"), this);
    for (const auto& group : kFunctionMenuGroups) {
        if (!m_functionMenu->isEmpty()) m_functionMenu->addSeparator();
        for (const auto mnemonic : group) {
            if (mnemonic.empty()) break;
            const InstructionCode code = core::plc::InstructionCodeOf(mnemonic);
            QAction* entry = m_functionMenu->addAction(
                QString::fromLatin1(mnemonic.data(), static_cast<qsizetype>(mnemonic.size())));
            connect(entry, &QAction::triggered, this, [this, code] { addFunction(code); });
        }
    }
}

QAction* LadderView::action(Command command) const {
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

// --- geometry ---

QPoint LadderView::toContent(const QPoint& point) const {
    return point + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

int LadderView::rowTop(int row) const {
    return m_layout.top(row) * m_geometry.unit;
}

int LadderView::rowAt(int contentY) const {
    return m_layout.rowAt(std::max(0, contentY) / m_geometry.unit);
}

int LadderView::columnAt(int contentX) const {
    const int column = (contentX - m_geometry.leftRail()) / m_geometry.cellWidth + 1;
    return std::clamp(column, 1, LadderGrid::kColumns);
}

LadderView::Area LadderView::areaAt(const QPoint& content) const {
    if (content.y() < 0) return Area::None;
    if (content.x() < m_geometry.leftRail()) return Area::Margin;
    if (content.x() < m_geometry.rightRail()) return Area::Ladder;
    if (m_geometry.comments && content.x() >= m_geometry.commentLeft() &&
        content.x() < m_geometry.width())
        return Area::Comment;
    return Area::None;
}

CellRange LadderView::rangeOf(const QPoint& a, const QPoint& b) const {
    return CellRange{rowAt(a.y()), columnAt(a.x()), rowAt(b.y()), columnAt(b.x())}.normalized();
}

std::optional<CellRange> LadderView::selection() const {
    if (!m_hasSelection) return std::nullopt;
    return rangeOf(m_dragStart, m_dragEnd);
}

void LadderView::setSelection(const CellRange& range) {
    const CellRange r = range.normalized();
    m_dragStart = QPoint(m_geometry.columnLeft(r.firstColumn) + 1, rowTop(r.firstRow) + 1);
    m_dragEnd = QPoint(m_geometry.columnLeft(r.lastColumn) + 1, rowTop(r.lastRow) + 1);
    m_hasSelection = true;
    viewport()->update();
}

// Commands that work on "the selection" take the cursor cell when nothing
// was dragged.
CellRange LadderView::commandRange() const {
    if (auto range = selection()) return *range;
    const CellPos at = m_editor.cursor();
    const int column = std::min(at.column, LadderGrid::kColumns);
    return CellRange{at.row, column, at.row, column};
}

int LadderView::scrollRows() const {
    const int visibleUnits = viewport()->height() / m_geometry.unit + 1;
    const int used = std::max(m_doc.lastUsedRow(), m_editor.cursor().row);
    return std::min(LadderGrid::kRows, used + std::max(kSpareRows, visibleUnits));
}

void LadderView::updateScrollBars() {
    const int height = m_layout.bottom(scrollRows()) * m_geometry.unit;
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(m_geometry.unit);
    horizontalScrollBar()->setRange(0, std::max(0, m_geometry.width() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(m_geometry.cellWidth / 4);
}

void LadderView::scrollToCursor() {
    // One contact row of space above the target row, as the go-to commands
    // leave it.
    const int row = m_editor.cursor().row;
    const int top = m_layout.scrollTopFor(row) * m_geometry.unit;
    updateScrollBars();
    const int value = verticalScrollBar()->value();
    const int rowBottom = m_layout.bottom(row) * m_geometry.unit;
    if (rowTop(row) < value || rowBottom > value + viewport()->height())
        verticalScrollBar()->setValue(top);
}

void LadderView::cursorMoved() {
    scrollToCursor();
    viewport()->update();
}

void LadderView::moveCursorTo(int row, int column) {
    m_editor.moveCursorTo(row, column);
    updateScrollBars();
    const int top = m_layout.scrollTopFor(m_editor.cursor().row) * m_geometry.unit;
    verticalScrollBar()->setValue(top);
    viewport()->update();
}

// --- painting ---

void LadderView::paintLadder(QPainter& painter, const QRect& area) const {
    const int scrollY = verticalScrollBar()->value();
    const int scrollX = horizontalScrollBar()->value();
    // The row above the first visible one is painted too: its vertical
    // links end inside the visible area.
    const int first = std::max(1, rowAt(scrollY + area.top()) - 1);
    const int bottom = scrollY + area.bottom();
    int last = first;
    while (last < LadderGrid::kRows && rowTop(last + 1) <= bottom)
        ++last;
    last = std::min(last, scrollRows());

    painter.save();
    painter.translate(-scrollX, -scrollY);
    LadderPainter ladder(m_doc, m_geometry);
    ladder.paintRows(painter, first, last, rowTop(first),
                     [this](int row) { return m_layout.units(row); });

    if (auto range = selection()) {
        const QRect box(QPoint(m_geometry.columnLeft(range->firstColumn), rowTop(range->firstRow)),
                        QPoint(m_geometry.columnLeft(range->lastColumn + 1) - 1,
                               rowTop(range->lastRow + 1) - 1));
        painter.fillRect(box, QColor(60, 120, 220, 50));
        painter.setPen(QPen(QColor(60, 120, 220), 1, Qt::DashLine));
        painter.drawRect(box);
    }
    const CellPos at = m_editor.cursor();
    const QRect caret = ladder.cellRect(at.column, rowTop(at.row));
    painter.setPen(QPen(QColor(220, 30, 30), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(caret.adjusted(1, 1, -1, -1));
    painter.restore();
}

void LadderView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    paintLadder(painter, event->rect());
}

void LadderView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LadderView::scrollContentsBy(int, int) {
    placeCommentEditor();
    viewport()->update();
}

// --- results of the editing core ---

void LadderView::applied(const EditResult& result) {
    // The row layout follows the document's change notice.
    if (result.changed) emit edited();
    cursorMoved();
}

void LadderView::documentChanged(const core::common::DocumentChange& change) {
    using core::common::DocumentChange;
    if (change.has(DocumentChange::Program)) {
        // A compile (or its undo) redraws the whole ladder.
        m_layout.rebuild(m_doc.grid());
        m_hasSelection = false;
    } else if (change.has(DocumentChange::Cells) || change.has(DocumentChange::Comments)) {
        const int last = change.has(DocumentChange::RowsMoved) ? LadderGrid::kRows : change.last;
        m_layout.update(m_doc.grid(), std::max(1, change.first), std::max(1, last));
    } else {
        return;
    }
    if (m_crossReference != nullptr && m_crossReference->isVisible()) m_crossReference->refresh();
    const CellPos at = m_editor.cursor();
    m_editor.moveCursorTo(at.row, at.column);
    updateScrollBars();
    placeCommentEditor();
    viewport()->update();
}

void LadderView::documentReloaded() {
    documentReplaced();
    updateUndoActions();
}

void LadderView::undoStateChanged() {
    updateUndoActions();
}

void LadderView::updateUndoActions() {
    m_undoActions->update();
}

void LadderView::undo() {
    m_undoActions->undo()->trigger();
}

void LadderView::redo() {
    m_undoActions->redo()->trigger();
}

void LadderView::documentReplaced() {
    closeCommentEditor();
    m_layout.rebuild(m_doc.grid());
    m_editor.setCursor({1, 1});
    m_hasSelection = false;
    if (m_crossReference != nullptr && m_crossReference->isVisible()) m_crossReference->refresh();
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void LadderView::runOperand(const OperandForm& form, const FormValues& initial,
                            const std::function<void(const FormResult&)>& entered) {
    OperandDialog::Lookup lookup;
    if (const auto kind = CrossReferenceLookup::forInstruction(form.code())) {
        auto scan = std::make_shared<CrossReferenceLookup>(*kind);
        lookup = [this, scan](const std::string& number) {
            const auto step = scan->next(m_doc.grid(), number, m_workbench.interaction());
            if (step.row) moveCursorTo(*step.row, 1);
            return step.finished ? OperandDialog::LookupStep::Finished
                                 : OperandDialog::LookupStep::Found;
        };
    }
    const auto result = m_dialogs.operand(form, initial, std::move(lookup),
                                          m_workbench.interaction(), m_workbench.dialogParent());
    if (result && result->ok) entered(*result);
}

// --- entering elements ---

void LadderView::addContact() {
    if (!m_editor.beginContact()) return;
    const OperandForm form = OperandForm::Contact();
    runOperand(form, form.blank(),
               [this](const FormResult& r) { applied(m_editor.addContact(r.text, r.choice)); });
}

void LadderView::addParallelContact() {
    if (!m_editor.beginParallelContact()) return;
    const OperandForm form = OperandForm::Contact();
    runOperand(form, form.blank(), [this](const FormResult& r) {
        applied(m_editor.addParallelContact(r.text, r.choice));
    });
}

void LadderView::addCoil() {
    if (!m_editor.beginCoil()) return;
    const OperandForm form = OperandForm::Coil();
    runOperand(form, form.blank(),
               [this](const FormResult& r) { applied(m_editor.addCoil(r.text)); });
}

void LadderView::chooseFunction() {
    if (m_editor.commentEditorRow() != 0) return;
    const auto code =
        m_dialogs.chooseFunction(m_workbench.interaction(), m_workbench.dialogParent());
    if (code) addFunction(*code);
}

void LadderView::addFunction(InstructionCode code) {
    if (!m_editor.beginFunction(code)) return;
    const auto form = OperandForm::ForInstruction(code);
    if (!form) {
        // END1, END2 and SPE have no operands and no dialog.
        applied(m_editor.addFunction(code, std::string()));
        return;
    }
    runOperand(*form, form->blank(),
               [this, code](const FormResult& r) { applied(m_editor.addFunction(code, r.text)); });
}

void LadderView::addHorizontalLink() {
    applied(m_editor.addHorizontalLink());
}

void LadderView::addVerticalLink() {
    applied(m_editor.addVerticalLink());
}

void LadderView::editCell() {
    const CellEditRequest request = m_editor.editRequest();
    const auto form = request.form();
    if (!form) return;
    FormValues values = form->parse(request.text);
    const int choiceField = form->data().choiceField;
    if (request.kind == CellEditRequest::Kind::Contact && choiceField >= 0) {
        const auto& items = form->fields()[static_cast<std::size_t>(choiceField)].items;
        if (request.choice >= 0 && request.choice < static_cast<int>(items.size()))
            values.fields[static_cast<std::size_t>(choiceField)] =
                std::string(items[static_cast<std::size_t>(request.choice)]);
    }
    runOperand(*form, values,
               [this, request](const FormResult& r) { applied(m_editor.applyEdit(request, r)); });
}

// --- deleting, clipboard, rows ---

void LadderView::deleteSelection() {
    applied(m_editor.deleteSelection(commandRange()));
}

void LadderView::deleteElement() {
    applied(m_editor.deleteElement(commandRange()));
}

void LadderView::deleteVerticalLink() {
    applied(m_editor.deleteVerticalLink(commandRange()));
}

void LadderView::cut() {
    applied(m_editor.cut(commandRange(), m_copyBuffer));
}

void LadderView::copy() {
    m_editor.copy(commandRange(), m_copyBuffer);
}

void LadderView::paste() {
    applied(m_editor.paste(m_copyBuffer));
}

void LadderView::insertRow() {
    applied(m_editor.insertRow(commandRange()));
}

void LadderView::deleteRow() {
    applied(m_editor.deleteRow(commandRange()));
}

// --- compile, find, go to ---

void LadderView::compile() {
    closeCommentEditor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_workbench.clearOutput();
    const auto outcome = core::compiler::CompileCommand::run(
        m_doc, m_workbench.project().name(), languageOf(m_workbench), m_workbench.interaction());
    for (const auto& line : outcome.lines)
        m_workbench.appendOutput(QString::fromStdString(line));
    m_workbench.showOutput();
    QApplication::restoreOverrideCursor();
    // A compile that changed the ladder told the views through the document.
    viewport()->update();
    emit compiled(outcome.success);
}

void LadderView::find() {
    const auto run = [this](const core::ladder_editor::FindRequest& request) {
        const auto outcome = LadderFind::find(m_doc.grid(), m_editor.cursor().row, request,
                                              languageOf(m_workbench), m_workbench.interaction());
        if (!outcome.accepted) return false;
        m_workbench.clearOutput();
        for (const auto& line : outcome.lines)
            m_workbench.appendOutput(QString::fromStdString(line));
        m_workbench.setOutputTitle(tr("查找结果"));
        m_workbench.showOutput();
        return true;
    };
    m_dialogs.find(run, m_workbench.dialogParent());
}

void LadderView::goTo() {
    const auto run = [this](const std::string& row, const std::string& column) {
        if (!m_editor.goTo(row, column)) return false;
        moveCursorTo(m_editor.cursor().row, m_editor.cursor().column);
        return true;
    };
    m_dialogs.goTo(run, m_workbench.dialogParent());
}

void LadderView::programStart() {
    const CellPos at = m_editor.programStart();
    moveCursorTo(at.row, at.column);
}

void LadderView::programEnd() {
    const CellPos at = m_editor.programEnd();
    moveCursorTo(at.row, at.column);
}

// --- switches ---

void LadderView::setShowRowNumbers(bool on) {
    m_geometry.rowNumbers = on;
    if (QAction* a = action(Command::RowNumbers); a != nullptr && a->isChecked() != on)
        a->setChecked(on);
    updateScrollBars();
    placeCommentEditor();
    viewport()->update();
}

void LadderView::setShowComments(bool on) {
    m_geometry.comments = on;
    if (QAction* a = action(Command::Comments); a != nullptr && a->isChecked() != on)
        a->setChecked(on);
    if (!on) closeCommentEditor();
    updateScrollBars();
    viewport()->update();
}

// --- printing ---

void LadderView::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_workbench.dialogParent());
    if (dialog.exec() != QDialog::Accepted) return;
    LadderPrintout printout(m_doc, m_workbench.project().name(), m_geometry);
    printout.print(printer, &m_workbench.interaction());
}

void LadderView::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, m_workbench.dialogParent());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        LadderPrintout printout(m_doc, m_workbench.project().name(), m_geometry);
        printout.print(*target, &m_workbench.interaction());
    });
    dialog.exec();
}

// --- comment editor ---

void LadderView::toggleCommentEditor(int row) {
    m_editor.toggleCommentEditor(row);
    if (m_editor.commentEditorRow() == 0) {
        closeCommentEditor();
        return;
    }
    if (m_commentEdit == nullptr) {
        m_commentEdit = new QLineEdit(viewport());
        m_commentEdit->setMaxLength(static_cast<int>(LadderEditor::kMaxCommentChars));
        m_commentEdit->setFont(QFont(QStringLiteral("Noto Sans CJK SC")));
        connect(m_commentEdit, &QLineEdit::returnPressed, this, [this] {
            applied(m_editor.storeComment(m_commentEdit->text().toStdString()));
            // A text the row comments cannot hold was not stored: the editor
            // stays open with it, for a correction.
            if (m_editor.commentEditorRow() != 0) return;
            closeCommentEditor();
            setFocus();
        });
    }
    m_commentEdit->setText(QString::fromStdString(m_editor.commentText(row)));
    placeCommentEditor();
    m_commentEdit->show();
    m_commentEdit->setFocus();
    m_commentEdit->selectAll();
}

void LadderView::placeCommentEditor() {
    if (m_commentEdit == nullptr || m_editor.commentEditorRow() == 0) return;
    const int row = m_editor.commentEditorRow();
    const QPoint origin(m_geometry.commentLeft() - horizontalScrollBar()->value(),
                        rowTop(row) - verticalScrollBar()->value());
    m_commentEdit->setGeometry(origin.x(), origin.y() + m_geometry.unit / 8,
                               m_geometry.commentWidth, m_geometry.unit * 3 / 4);
}

void LadderView::closeCommentEditor() {
    m_editor.closeCommentEditor();
    if (m_commentEdit != nullptr) m_commentEdit->hide();
    viewport()->update();
}

// --- mouse and keys ---

void LadderView::mousePressEvent(QMouseEvent* event) {
    const QPoint content = toContent(event->position().toPoint());
    if (event->button() != Qt::LeftButton || areaAt(content) != Area::Ladder) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus();
    m_dragging = true;
    m_hasSelection = true;
    m_dragStart = m_dragEnd = content;
    m_lastMouse = event->position().toPoint();
    viewport()->update();
}

void LadderView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    m_lastMouse = event->position().toPoint();
    m_dragEnd = toContent(m_lastMouse);
    if (m_lastMouse.y() >= viewport()->height() - m_geometry.unit && !m_autoScroll->isActive())
        m_autoScroll->start();
    viewport()->update();
}

void LadderView::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) return;
    m_dragging = false;
    m_autoScroll->stop();
    const QPoint content = toContent(event->position().toPoint());
    m_dragEnd = content;
    m_editor.setCursor({rowAt(content.y()), columnAt(content.x())});
    viewport()->update();
}

void LadderView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint content = toContent(event->position().toPoint());
    if (event->button() != Qt::LeftButton) return;
    switch (areaAt(content)) {
        case Area::Ladder:
            m_dragging = false;
            m_editor.setCursor({rowAt(content.y()), columnAt(content.x())});
            editCell();
            takeFocusBack();
            break;
        case Area::Comment:
            toggleCommentEditor(rowAt(content.y()));
            break;
        case Area::Margin:
        case Area::None:
            break;
    }
}

void LadderView::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint content = toContent(event->pos());
    const Area area = areaAt(content);
    QMenu menu(this);
    if (area == Area::Comment) {
        const int row = rowAt(content.y());
        menu.addAction(tr("注释上移一行"), this,
                       [this, row] { applied(m_editor.moveCommentsUp(row)); });
        menu.addAction(tr("插入一行注释"), this,
                       [this, row] { applied(m_editor.insertComment(row)); });
        menu.addAction(tr("删除本行注释"), this,
                       [this, row] { applied(m_editor.deleteComment(row)); });
    } else if (area == Area::Ladder) {
        menu.addAction(action(Command::Delete));
        menu.addAction(action(Command::Cut));
        menu.addAction(action(Command::Copy));
        menu.addAction(action(Command::Paste));
        QMenu* add = menu.addMenu(tr("添加(&A)..."));
        add->addAction(tr("触点"), this, &LadderView::addContact);
        add->addAction(tr("线圈"), this, &LadderView::addCoil);
        add->addAction(tr("功能指令"), this, &LadderView::chooseFunction);
        menu.addAction(action(Command::InsertRow));
        menu.addAction(action(Command::DeleteRow));
        menu.addSeparator();
        menu.addAction(action(Command::Find));
        QMenu* go = menu.addMenu(tr("转到(&G)"));
        go->addAction(tr("指定行"), this, &LadderView::goTo);
        go->addAction(tr("程序开始"), this, &LadderView::programStart);
        go->addAction(tr("程序结束"), this, &LadderView::programEnd);
    } else {
        return;
    }
    menu.exec(event->globalPos());
    takeFocusBack();
}

}  // namespace kelcc::ui
