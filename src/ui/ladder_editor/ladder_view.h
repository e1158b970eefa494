#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <map>
#include <optional>

#include "common/document_listener.h"
#include "ladder_editor/cell_range.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/edit_result.h"
#include "ladder_editor/ladder_editor.h"
#include "ladder_editor/ladder_painter.h"
#include "ladder_editor/row_layout.h"
#include "plc/plc_document.h"

class QAction;
class QLineEdit;
class QMenu;
class QTimer;

namespace kelcc::ui {

class CrossReferenceWindow;
class LadderDialogs;
class UndoActions;
class Workbench;

// The ladder view: draws the document's ladder grid, keeps the caret and
// the mouse selection and turns commands, keys and mouse actions into the
// editing core's operations. Only the visible rows are painted; the row
// positions come from the core's row layout.
// It is a listener of its document: edits made through another view of the
// same document, undo and redo all reach it the same way.
class LadderView final : public QAbstractScrollArea, public core::common::DocumentListener {
    Q_OBJECT

public:
    enum class Command {
        Contact,
        ParallelContact,
        Coil,
        Function,
        HorizontalLink,
        VerticalLink,
        DeleteElement,
        DeleteVerticalLink,
        Delete,
        Cut,
        Copy,
        Paste,
        InsertRow,
        DeleteRow,
        RowNumbers,
        Comments,
        Compile,
        Find,
        GoTo,
        ProgramStart,
        ProgramEnd,
        Print,
        PrintPreview,
        ExportPdf,
        CrossReference,
        SaveDraft,
        Undo,
        Redo,
    };

    LadderView(Workbench& workbench, core::plc::PlcDocument& doc,
               core::ladder_editor::CopyBuffer& copyBuffer, LadderDialogs& dialogs,
               QWidget* parent = nullptr);
    ~LadderView() override;

    QAction* action(Command command) const;
    // "FuncMenu": one entry per function instruction.
    QMenu* functionMenu() const noexcept { return m_functionMenu; }

    core::ladder_editor::LadderEditor& editor() noexcept { return m_editor; }
    const core::ladder_editor::RowLayout& rowLayout() const noexcept { return m_layout; }
    LadderPainter::Geometry geometry() const noexcept { return m_geometry; }
    core::ladder_editor::CellPos cursor() const noexcept { return m_editor.cursor(); }
    std::optional<core::ladder_editor::CellRange> selection() const;
    // Selects a cell range as a drag over it would.
    void setSelection(const core::ladder_editor::CellRange& range);

    // The document was read again (open, or a save that dropped the edits).
    void documentReplaced();

    // Moves the cursor as go-to does and scrolls to it.
    void moveCursorTo(int row, int column);
    // The rows to paint and their position for the current scroll offset.
    void paintLadder(QPainter& painter, const QRect& area) const;

    // Commands (also bound to the actions).
    void addContact();
    void addParallelContact();
    void addCoil();
    void chooseFunction();
    void addFunction(core::plc::InstructionCode code);
    void addHorizontalLink();
    void addVerticalLink();
    void editCell();
    void deleteSelection();
    void deleteElement();
    void deleteVerticalLink();
    void cut();
    void copy();
    void paste();
    void insertRow();
    void deleteRow();
    void compile();
    void find();
    void goTo();
    void programStart();
    void programEnd();
    void setShowRowNumbers(bool on);
    void setShowComments(bool on);
    void print();
    void printPreview();
    void exportPdf();
    void showCrossReference();
    // "保存为草稿": the ladder and comments beside the program file, which
    // stays as it is; the document stays modified.
    void saveDraft();
    // The cross-reference window, once opened.
    CrossReferenceWindow* crossReferenceWindow() const noexcept { return m_crossReference; }
    void undo();
    void redo();

    // Document listener.
    void documentChanged(const core::common::DocumentChange& change) override;
    void documentReloaded() override;
    void undoStateChanged() override;

    // The in-place comment editor, when open.
    QLineEdit* commentEditor() const noexcept { return m_commentEdit; }
    void toggleCommentEditor(int row);

signals:
    // Cells or comments changed (the document is modified).
    void edited();
    // A compile ran (the document may be modified by it).
    void compiled(bool success);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum class Area { None, Margin, Ladder, Comment };

    void createActions();
    QAction* makeAction(Command command, const QString& text, const QList<QKeySequence>& keys,
                        void (LadderView::*slot)());
    void applied(const core::ladder_editor::EditResult& result);
    void updateScrollBars();
    void updateUndoActions();
    void scrollToCursor();
    void cursorMoved();
    void placeCommentEditor();
    void closeCommentEditor();
    // Focus back on the view after a command's dialog, unless the comment
    // editor took it.
    void takeFocusBack();
    void runOperand(const core::plc::OperandForm& form, const core::plc::FormValues& initial,
                    const std::function<void(const core::plc::FormResult&)>& entered);

    // Content coordinates: pixels from the top left of the ladder.
    QPoint toContent(const QPoint& viewportPoint) const;
    Area areaAt(const QPoint& content) const;
    int rowAt(int contentY) const;
    int columnAt(int contentX) const;
    int rowTop(int row) const;
    core::ladder_editor::CellRange rangeOf(const QPoint& a, const QPoint& b) const;
    core::ladder_editor::CellRange commandRange() const;
    int scrollRows() const;

    Workbench& m_workbench;
    core::plc::PlcDocument& m_doc;
    core::ladder_editor::CopyBuffer& m_copyBuffer;
    LadderDialogs& m_dialogs;
    core::ladder_editor::LadderEditor m_editor;
    core::ladder_editor::RowLayout m_layout;
    LadderPainter::Geometry m_geometry;

    std::map<Command, QAction*> m_actions;
    QMenu* m_functionMenu = nullptr;
    QLineEdit* m_commentEdit = nullptr;
    CrossReferenceWindow* m_crossReference = nullptr;
    QTimer* m_autoScroll = nullptr;
    UndoActions* m_undoActions = nullptr;

    bool m_dragging = false;
    bool m_hasSelection = false;
    QPoint m_dragStart;
    QPoint m_dragEnd;
    QPoint m_lastMouse;
};

}  // namespace kelcc::ui
