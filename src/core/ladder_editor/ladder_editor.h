#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/interaction.h"
#include "ladder_editor/cell_range.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/edit_result.h"
#include "plc/instruction_code.h"
#include "plc/operand_form.h"
#include "plc/plc_document.h"

namespace kelcc::core::ladder_editor {

// What a double click on a cell opens: the dialog of the cell's element
// with its current text, or nothing (links, empty cells, END1, END2, SPE).
struct CellEditRequest {
    enum class Kind { None, Contact, Coil, Function };

    Kind kind = Kind::None;
    plc::InstructionCode code = plc::InstructionCode::Unknown;  // Function only
    CellPos at;
    std::string text;  // contact and coil: the address; function: the IL line
    int choice = 0;    // contact: 0 normally open, 1 normally closed

    // The dialog to show, or none.
    std::optional<plc::OperandForm> form() const;
    // Its fields filled from `text`; a contact's form combo shows `choice`.
    plc::FormValues values() const;
};

// The editing operations of the ladder view over a PLC program document:
// the cursor, the commands that enter, delete, copy and paste cells, the
// row and comment commands and the cursor moves. Dialogs stay in the view:
// a command that needs one is split into begin...() (the checks made
// before the dialog opens, with their message) and the entry with the
// dialog's validated result. Messages go through the interaction with the
// caption common::kMessageCaption. Every change goes through the document's setters, and
// each command is one undo step of the document.
class LadderEditor final {
public:
    static constexpr const char* kCannotEditHereText = "不能在此处编辑!";
    static constexpr const char* kBadElementText = "元件设置错误";
    static constexpr const char* kCannotDoText = "不能执行该操作!";
    static constexpr const char* kBadClipboardText = "剪贴板信息错误(PasteSingleCell)!";
    static constexpr const char* kOutOfRangeText = "输入超出范围.";
    static constexpr std::size_t kMaxCommentChars = 36;

    // The texts of the undo steps, one per editing command.
    static constexpr const char* kStepContact = "输入触点";
    static constexpr const char* kStepParallelContact = "添加并联触点";
    static constexpr const char* kStepCoil = "输入线圈";
    static constexpr const char* kStepFunction = "输入功能指令";
    static constexpr const char* kStepHorizontalLink = "添加连接横线";
    static constexpr const char* kStepVerticalLink = "添加连接竖线";
    static constexpr const char* kStepChange = "修改元件";
    static constexpr const char* kStepDelete = "删除";
    static constexpr const char* kStepDeleteElement = "删除选择区域";
    static constexpr const char* kStepDeleteVerticalLink = "删除连接竖线";
    static constexpr const char* kStepCut = "剪切";
    static constexpr const char* kStepPaste = "粘贴";
    static constexpr const char* kStepInsertRow = "插入行";
    static constexpr const char* kStepDeleteRow = "删除一行";
    static constexpr const char* kStepInsertComment = "插入一行注释";
    static constexpr const char* kStepMoveCommentsUp = "注释上移一行";
    static constexpr const char* kStepDeleteComment = "删除本行注释";
    static constexpr const char* kStepComment = "修改注释";

    LadderEditor(plc::PlcDocument& doc, common::Interaction& interaction);

    plc::PlcDocument& document() const noexcept { return m_doc; }

    // --- cursor ---
    CellPos cursor() const noexcept { return m_cursor; }
    // Where the mouse button went up: the cell under the pointer, as is
    // (clipped to rows 1-5000, columns 1-8).
    void setCursor(CellPos at) noexcept;
    // The move shared by go-to, find and the cross references: the row is
    // kept within 1 and the last used row plus one, the column at least 1,
    // and a function box at or left of the place sends the column to 1.
    CellPos moveCursorTo(int row, int column) noexcept;
    CellPos keyUp() noexcept;    // one row up, column 1, not above row 1
    CellPos keyDown() noexcept;  // one row down, column 1, not past the last used row
    // One column left or right within the row; a function box is the
    // row's last stop.
    CellPos keyLeft() noexcept;
    CellPos keyRight() noexcept;
    CellPos programStart() noexcept;  // Home: row 1, column 1
    CellPos programEnd() noexcept;    // End: last used row, column 1
    // The go-to dialog ("行", "列", digits, empty reads as 0): a column of 9
    // or more shows "输入超出范围." and returns false (the dialog stays).
    bool goTo(std::string_view rowText, std::string_view columnText);

    // --- entering elements (F1, Shift+F1, F2, function instructions) ---
    // Checks made before the dialog opens; false after showing the message.
    bool beginContact();
    bool beginParallelContact();
    bool beginCoil();
    bool beginFunction(plc::InstructionCode code);

    // The dialog's result: the canonical address (and for contacts the
    // form, 0 normally open, 1 normally closed) or the IL line. The checks
    // of begin...() are made again.
    EditResult addContact(const std::string& address, int form);
    EditResult addParallelContact(const std::string& address, int form);
    EditResult addCoil(const std::string& address);
    // END1, END2 and SPE take their fixed line; `line` is not used for them.
    EditResult addFunction(plc::InstructionCode code, const std::string& line);
    EditResult addHorizontalLink();  // F4
    EditResult addVerticalLink();    // F5

    // --- editing an existing cell (double click) ---
    // Kind None while the comment editor is open.
    CellEditRequest editRequest() const;
    // The dialog's OK: the element is entered again at its place by the
    // rule of its kind, replacing the old one.
    EditResult applyEdit(const CellEditRequest& request, const plc::FormResult& result);

    // --- deleting ---
    // Delete key: the whole width clears every cell of the range's rows,
    // anything narrower only the range's first cell.
    EditResult deleteSelection(const CellRange& selection);
    // "删除选择区域": the element of the first cell; its vertical link stays.
    EditResult deleteElement(const CellRange& selection);
    // "删除连接竖线": the vertical link of the first cell.
    EditResult deleteVerticalLink(const CellRange& selection);

    // --- clipboard (the buffer is the application's one) ---
    EditResult copy(const CellRange& selection, CopyBuffer& buffer) const;
    EditResult cut(const CellRange& selection, CopyBuffer& buffer);
    EditResult paste(const CopyBuffer& buffer);

    // --- rows and comments ---
    // "插入一行(&I)": an empty row at the row of the selection's start.
    EditResult insertRow(const CellRange& selection);
    // "删除一行": the row of the selection's start with its comment; the
    // rows below move up.
    EditResult deleteRow(const CellRange& selection);
    EditResult insertComment(int row);   // "插入一行注释"
    EditResult moveCommentsUp(int row);  // "注释上移一行"
    EditResult deleteComment(int row);   // "删除本行注释"

    // The in-place comment editor; while it is open the editing commands,
    // delete, cut, copy, paste and insert row do nothing. Row 0 = closed.
    int commentEditorRow() const noexcept { return m_commentRow; }
    // A double click in the comment column: opens the editor for the row,
    // or closes it when it is open.
    void toggleCommentEditor(int row) noexcept;
    void closeCommentEditor() noexcept { m_commentRow = 0; }
    // The row's comment as UTF-8 (row comments are GBK in the document).
    std::string commentText(int row) const;
    // Enter in the editor: stores the text (UTF-8, at most 36 characters
    // kept) as the row's comment and closes the editor.
    EditResult storeComment(const std::string& text);

private:
    bool refuse(const char* text);
    bool editingLocked() const noexcept { return m_commentRow != 0; }
    bool checkContact(int replacing);
    bool checkParallelContact();
    bool checkFunction(plc::InstructionCode code, int replacing);
    EditResult enterContact(const std::string& address, int form, int replacing);
    EditResult enterCoil(const std::string& address, int replacing);
    EditResult enterFunction(plc::InstructionCode code, const std::string& line, int replacing);
    void nextRow() noexcept;
    // Rows that an insert of `count` rows at `first` would push past the
    // last row: true when any of them holds a cell or a comment.
    bool insertLosesRows(int first, int count) const;
    EditResult clearRange(const CellRange& range);
    bool clearCell(int row, int column);
    CellRange clip(const CellRange& selection) const noexcept;

    plc::PlcDocument& m_doc;
    common::Interaction& m_ui;
    CellPos m_cursor;
    int m_commentRow = 0;
};

}  // namespace kelcc::core::ladder_editor
