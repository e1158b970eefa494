#include "ladder_editor.h"

#include <algorithm>

#include "common/text_codec.h"
#include "ladder_editor/element_placement.h"
#include "plc/plc_address.h"

namespace kelcc::core::ladder_editor {

using plc::InstructionCode;
using plc::kCellKindVerticalLink;
using plc::LadderGrid;

namespace {

constexpr int kContactOpen = static_cast<int>(InstructionCode::LD);
constexpr int kContactClosed = static_cast<int>(InstructionCode::LDI);

bool isContact(const plc::LadderCell* cell) noexcept {
    return cell && cell->element && (cell->kind == kContactOpen || cell->kind == kContactClosed);
}

// The fixed lines of the instructions without a dialog.
const char* fixedLineOf(InstructionCode code) noexcept {
    switch (code) {
        case InstructionCode::END1:
            return "END1    ";
        case InstructionCode::END2:
            return "END2    ";
        case InstructionCode::SPE:
            return "SPE     ";
        default:
            return nullptr;
    }
}

bool isFunction(InstructionCode code) noexcept {
    const auto value = static_cast<int>(code);
    return value >= static_cast<int>(InstructionCode::END1) &&
           value <= static_cast<int>(InstructionCode::ALT) && !plc::MnemonicOf(code).empty();
}

// Digits of a dialog field; an empty field reads as 0 and a number too
// large for an int as the largest one.
int numberOf(std::string_view text) noexcept {
    if (text.empty()) return 0;
    const auto value = plc::DecimalValue(text);
    if (!value) return 0;
    return static_cast<int>(std::min<std::uint64_t>(*value, INT32_MAX));
}

EditResult done() noexcept {
    EditResult result;
    result.status = EditStatus::Done;
    return result;
}

EditResult refused() noexcept {
    EditResult result;
    result.status = EditStatus::Refused;
    return result;
}

}  // namespace

std::optional<plc::OperandForm> CellEditRequest::form() const {
    switch (kind) {
        case Kind::Contact:
            return plc::OperandForm::Contact();
        case Kind::Coil:
            return plc::OperandForm::Coil();
        case Kind::Function:
            return plc::OperandForm::ForInstruction(code);
        case Kind::None:
            break;
    }
    return std::nullopt;
}

plc::FormValues CellEditRequest::values() const {
    const auto dialog = form();
    if (!dialog) return {};
    plc::FormValues values = dialog->parse(text);
    const int choiceField = dialog->data().choiceField;
    if (choiceField != plc::kNoField) {
        const auto& items = dialog->fields()[static_cast<std::size_t>(choiceField)].items;
        if (choice >= 0 && static_cast<std::size_t>(choice) < items.size())
            values.fields[static_cast<std::size_t>(choiceField)] = std::string(items[choice]);
    }
    return values;
}

LadderEditor::LadderEditor(plc::PlcDocument& doc, common::Interaction& interaction)
    : m_doc(doc), m_ui(interaction) {}

bool LadderEditor::refuse(const char* text) {
    m_ui.inform(text, common::kMessageCaption, common::MessageIcon::Warning);
    return false;
}

// --- cursor ---

void LadderEditor::setCursor(CellPos at) noexcept {
    m_cursor = {std::clamp(at.row, 1, LadderGrid::kRows),
                std::clamp(at.column, 1, LadderGrid::kColumns)};
}

CellPos LadderEditor::moveCursorTo(int row, int column) noexcept {
    const int limit = std::min(m_doc.lastUsedRow() + 1, LadderGrid::kRows);
    row = std::clamp(row, 1, limit);
    column = std::clamp(column, 1, LadderGrid::kColumns);
    if (ElementPlacement::blockedByFunction(m_doc.grid(), row, column)) column = 1;
    m_cursor = {row, column};
    return m_cursor;
}

CellPos LadderEditor::keyUp() noexcept {
    m_cursor = {std::max(m_cursor.row - 1, 1), 1};
    return m_cursor;
}

CellPos LadderEditor::keyDown() noexcept {
    const int row = m_cursor.row < m_doc.lastUsedRow() ? m_cursor.row + 1 : m_cursor.row;
    m_cursor = {row, 1};
    return m_cursor;
}

CellPos LadderEditor::keyLeft() noexcept {
    // From inside a function box to the box's own cell.
    int column = std::max(m_cursor.column - 1, 1);
    while (column > 1 &&
           ElementPlacement::blockedByFunction(m_doc.grid(), m_cursor.row, column - 1))
        --column;
    m_cursor.column = column;
    return m_cursor;
}

CellPos LadderEditor::keyRight() noexcept {
    // A function box ends the row.
    if (!ElementPlacement::blockedByFunction(m_doc.grid(), m_cursor.row, m_cursor.column))
        m_cursor.column = std::min(m_cursor.column + 1, LadderGrid::kColumns);
    return m_cursor;
}

CellPos LadderEditor::programStart() noexcept {
    return moveCursorTo(1, 1);
}

CellPos LadderEditor::programEnd() noexcept {
    return moveCursorTo(std::max(m_doc.lastUsedRow(), 1), 1);
}

bool LadderEditor::goTo(std::string_view rowText, std::string_view columnText) {
    const int column = numberOf(columnText);
    if (column > LadderGrid::kColumns) return refuse(kOutOfRangeText);
    moveCursorTo(numberOf(rowText), column);
    return true;
}

// --- checks before the dialogs ---

bool LadderEditor::checkContact(int replacing) {
    if (!ElementPlacement::mayEnter(m_doc.grid(), m_cursor, kContactOpen, replacing))
        return refuse(kCannotEditHereText);
    return true;
}

bool LadderEditor::checkParallelContact() {
    if (m_cursor.column > LadderGrid::kColumns ||
        ElementPlacement::blockedByFunction(m_doc.grid(), m_cursor.row, m_cursor.column))
        return refuse(kCannotEditHereText);
    if (!isContact(m_doc.cell(m_cursor.row - 1, m_cursor.column))) return refuse(kBadElementText);
    return true;
}

bool LadderEditor::checkFunction(InstructionCode code, int replacing) {
    if (!isFunction(code)) return false;
    if (!ElementPlacement::mayEnter(m_doc.grid(), m_cursor, static_cast<int>(code), replacing))
        return refuse(kCannotEditHereText);
    return true;
}

bool LadderEditor::beginContact() {
    return !editingLocked() && checkContact(0);
}

bool LadderEditor::beginParallelContact() {
    return !editingLocked() && checkParallelContact();
}

bool LadderEditor::beginCoil() {
    if (editingLocked()) return false;
    if (!ElementPlacement::mayEnter(m_doc.grid(), m_cursor, static_cast<int>(InstructionCode::OUT)))
        return refuse(kCannotEditHereText);
    return true;
}

bool LadderEditor::beginFunction(InstructionCode code) {
    return !editingLocked() && checkFunction(code, 0);
}

// --- entering ---

void LadderEditor::nextRow() noexcept {
    m_cursor = {std::min(m_cursor.row + 1, LadderGrid::kRows), 1};
}

EditResult LadderEditor::enterContact(const std::string& address, int form, int replacing) {
    if (editingLocked() || address.empty()) return {};
    if (!checkContact(replacing)) return refused();
    EditResult result = done();
    ElementPlacement::placeContact(m_doc, m_cursor, form == 1 ? kContactClosed : kContactOpen,
                                   address, result);
    ++m_cursor.column;
    return result;
}

EditResult LadderEditor::enterCoil(const std::string& address, int replacing) {
    if (editingLocked() || address.empty()) return {};
    if (!ElementPlacement::mayEnter(m_doc.grid(), m_cursor, static_cast<int>(InstructionCode::OUT),
                                    replacing)) {
        refuse(kCannotEditHereText);
        return refused();
    }
    EditResult result = done();
    ElementPlacement::placeCoil(m_doc, m_cursor, address, result);
    nextRow();
    return result;
}

EditResult LadderEditor::enterFunction(InstructionCode code, const std::string& line,
                                       int replacing) {
    if (editingLocked() || !isFunction(code)) return {};
    std::string text;
    if (const char* fixed = fixedLineOf(code)) {
        text = fixed;
    } else {
        // The dialog's line starts with the instruction's own mnemonic.
        const std::string_view mnemonic = plc::MnemonicOf(code);
        if (line.compare(0, mnemonic.size(), mnemonic) != 0 ||
            (line.size() > mnemonic.size() && line[mnemonic.size()] != ' '))
            return {};
        text = line;
    }
    if (!checkFunction(code, replacing)) return refused();
    EditResult result = done();
    const int kind = static_cast<int>(code);
    if (ElementPlacement::shapeOf(kind) == ElementShape::Structure) {
        ElementPlacement::placeStructure(m_doc, m_cursor.row, kind, std::move(text), result);
    } else {
        ElementPlacement::placeBlock(m_doc, m_cursor, kind, std::move(text), result);
    }
    nextRow();
    return result;
}

EditResult LadderEditor::addContact(const std::string& address, int form) {
    plc::PlcDocument::Edit edit(m_doc, kStepContact);
    return enterContact(address, form, 0);
}

EditResult LadderEditor::addParallelContact(const std::string& address, int form) {
    plc::PlcDocument::Edit edit(m_doc, kStepParallelContact);
    if (editingLocked() || address.empty()) return {};
    if (!checkParallelContact()) return refused();
    EditResult result = done();
    const CellPos at = m_cursor;
    ElementPlacement::placeContact(m_doc, at, form == 1 ? kContactClosed : kContactOpen, address,
                                   result);
    // Links at both ends of the contact above join the new one in parallel;
    // the grid ignores the one in column 1, where the rail joins them.
    for (int c = at.column; c <= at.column + 1 && c <= LadderGrid::kColumns; ++c) {
        if (m_doc.setCell(at.row - 1, c, kCellKindVerticalLink, {})) result.touch(at.row - 1);
    }
    m_cursor.row = std::min(at.row + 1, LadderGrid::kRows);
    return result;
}

EditResult LadderEditor::addCoil(const std::string& address) {
    plc::PlcDocument::Edit edit(m_doc, kStepCoil);
    return enterCoil(address, 0);
}

EditResult LadderEditor::addFunction(InstructionCode code, const std::string& line) {
    plc::PlcDocument::Edit edit(m_doc, kStepFunction);
    return enterFunction(code, line, 0);
}

EditResult LadderEditor::addHorizontalLink() {
    plc::PlcDocument::Edit edit(m_doc, kStepHorizontalLink);
    if (editingLocked()) return {};
    if (!ElementPlacement::mayEnter(m_doc.grid(), m_cursor, plc::kCellKindLine)) {
        refuse(kCannotEditHereText);
        return refused();
    }
    EditResult result = done();
    ElementPlacement::placeLine(m_doc, m_cursor, result);
    ++m_cursor.column;
    return result;
}

EditResult LadderEditor::addVerticalLink() {
    plc::PlcDocument::Edit edit(m_doc, kStepVerticalLink);
    if (editingLocked() || m_cursor.column == 1) return {};
    if (m_cursor.column > LadderGrid::kColumns || m_cursor.row >= LadderGrid::kRows ||
        ElementPlacement::blockedByFunction(m_doc.grid(), m_cursor.row, m_cursor.column)) {
        refuse(kCannotEditHereText);
        return refused();
    }
    EditResult result = done();
    if (m_doc.setCell(m_cursor.row, m_cursor.column, kCellKindVerticalLink, {}))
        result.touch(m_cursor.row);
    ++m_cursor.row;
    return result;
}

// --- editing an existing cell ---

CellEditRequest LadderEditor::editRequest() const {
    CellEditRequest request;
    request.at = m_cursor;
    // No dialog opens while the comment editor is: its OK would be ignored.
    if (editingLocked()) return request;
    const plc::LadderCell* cell = m_doc.cell(m_cursor.row, m_cursor.column);
    if (!cell || !cell->element) return request;
    if (isContact(cell)) {
        request.kind = CellEditRequest::Kind::Contact;
        request.choice = cell->kind == kContactClosed ? 1 : 0;
    } else if (cell->kind == static_cast<int>(InstructionCode::OUT)) {
        request.kind = CellEditRequest::Kind::Coil;
    } else if (cell->kind >= static_cast<int>(InstructionCode::END1) && cell->kind <= 255 &&
               plc::OperandForm::ForInstruction(static_cast<InstructionCode>(cell->kind))) {
        request.kind = CellEditRequest::Kind::Function;
        request.code = static_cast<InstructionCode>(cell->kind);
    } else {
        return request;
    }
    request.text = cell->text;
    return request;
}

EditResult LadderEditor::applyEdit(const CellEditRequest& request, const plc::FormResult& result) {
    plc::PlcDocument::Edit edit(m_doc, kStepChange);
    if (!result.ok || editingLocked()) return {};
    m_cursor = request.at;
    // The element being replaced does not stand in its own way: the guard
    // and the empty-row rule look past its column.
    const int replacing = request.at.column;
    switch (request.kind) {
        case CellEditRequest::Kind::Contact:
            return enterContact(result.text, result.choice, replacing);
        case CellEditRequest::Kind::Coil:
            return enterCoil(result.text, replacing);
        case CellEditRequest::Kind::Function:
            return enterFunction(request.code, result.text, replacing);
        case CellEditRequest::Kind::None:
            break;
    }
    return {};
}

// --- deleting ---

CellRange LadderEditor::clip(const CellRange& selection) const noexcept {
    CellRange r = selection.normalized();
    r.firstRow = std::clamp(r.firstRow, 1, LadderGrid::kRows);
    r.lastRow = std::clamp(r.lastRow, 1, LadderGrid::kRows);
    r.firstColumn = std::clamp(r.firstColumn, 1, LadderGrid::kColumns);
    r.lastColumn = std::clamp(r.lastColumn, 1, LadderGrid::kColumns);
    return r;
}

bool LadderEditor::clearCell(int row, int column) {
    const bool element = m_doc.deleteCell(row, column);
    const bool link = m_doc.clearVerticalLink(row, column);
    return element || link;
}

EditResult LadderEditor::clearRange(const CellRange& range) {
    EditResult result = done();
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            if (clearCell(row, column)) result.touch(row);
        }
    }
    return result;
}

EditResult LadderEditor::deleteSelection(const CellRange& selection) {
    plc::PlcDocument::Edit edit(m_doc, kStepDelete);
    if (editingLocked()) return {};
    CellRange r = clip(selection);
    if (r.lastColumn - r.firstColumn < LadderGrid::kColumns - 1) {
        r.lastRow = r.firstRow;
        r.lastColumn = r.firstColumn;
    }
    return clearRange(r);
}

EditResult LadderEditor::deleteElement(const CellRange& selection) {
    plc::PlcDocument::Edit edit(m_doc, kStepDeleteElement);
    if (editingLocked()) return {};
    const CellRange r = clip(selection);
    EditResult result = done();
    if (m_doc.deleteCell(r.firstRow, r.firstColumn)) result.touch(r.firstRow);
    return result;
}

EditResult LadderEditor::deleteVerticalLink(const CellRange& selection) {
    plc::PlcDocument::Edit edit(m_doc, kStepDeleteVerticalLink);
    if (editingLocked()) return {};
    const CellRange r = clip(selection);
    EditResult result = done();
    if (m_doc.clearVerticalLink(r.firstRow, r.firstColumn)) result.touch(r.firstRow);
    return result;
}

// --- clipboard ---

EditResult LadderEditor::copy(const CellRange& selection, CopyBuffer& buffer) const {
    if (editingLocked()) return {};
    buffer.copy(m_doc.grid(), clip(selection));
    return done();
}

EditResult LadderEditor::cut(const CellRange& selection, CopyBuffer& buffer) {
    plc::PlcDocument::Edit edit(m_doc, kStepCut);
    if (editingLocked()) return {};
    const CellRange r = clip(selection);
    buffer.copy(m_doc.grid(), r);
    return clearRange(r);
}

bool LadderEditor::insertLosesRows(int first, int count) const {
    for (int row = std::max(first, LadderGrid::kRows - count + 1); row <= LadderGrid::kRows;
         ++row) {
        if (!m_doc.rowComment(row).empty()) return true;
        for (int column = 1; column <= LadderGrid::kColumns; ++column) {
            if (m_doc.cell(row, column)) return true;
        }
    }
    return false;
}

EditResult LadderEditor::paste(const CopyBuffer& buffer) {
    plc::PlcDocument::Edit edit(m_doc, kStepPaste);
    if (editingLocked() || buffer.empty()) return {};
    const CellRange& copied = buffer.range();
    if (m_cursor.column + copied.columns() - 1 > LadderGrid::kColumns) {
        refuse(kCannotDoText);
        return refused();
    }
    for (const CopiedCell& cell : buffer.cells()) {
        if (!ElementPlacement::pastable(cell)) {
            refuse(kBadClipboardText);
            return refused();
        }
    }

    EditResult result = done();
    if (buffer.singleCell()) {
        if (buffer.cells().empty()) return result;
        const auto outcome =
            ElementPlacement::pasteCell(m_doc, m_cursor, buffer.cells().front(), result);
        if (outcome == ElementPlacement::PasteOutcome::NotHere) {
            refuse(kCannotEditHereText);
            return refused();
        }
        return result;
    }

    // Rows are inserted for the copied rows, so the rows at and after the
    // cursor keep their contents and comments below the pasted ones. Rows
    // that would be pushed past the end refuse the paste instead of being
    // lost.
    const int rows = copied.rows();
    const CellPos at = m_cursor;
    if (at.row + rows - 1 > LadderGrid::kRows || insertLosesRows(at.row, rows)) {
        refuse(kCannotDoText);
        return refused();
    }
    const bool moved = m_doc.insertRows(at.row, rows);
    for (const CopiedCell& cell : buffer.cells()) {
        // A cell that may not stand at its new place is left out.
        ElementPlacement::pasteCell(m_doc, {at.row + cell.rowOffset, at.column + cell.columnOffset},
                                    cell, result);
    }
    if (moved || result.changed) {
        result.touch(at.row);
        result.touch(at.row + rows - 1);
    }
    result.rowsMoved = moved;
    return result;
}

// --- rows and comments ---

EditResult LadderEditor::insertRow(const CellRange& selection) {
    plc::PlcDocument::Edit edit(m_doc, kStepInsertRow);
    if (editingLocked()) return {};
    const int row = clip(selection).firstRow;
    if (insertLosesRows(row, 1)) {
        refuse(kCannotDoText);
        return refused();
    }
    EditResult result = done();
    if (m_doc.insertRows(row, 1)) {
        result.rowsMoved = true;
        result.touch(row);
    }
    return result;
}

EditResult LadderEditor::deleteRow(const CellRange& selection) {
    plc::PlcDocument::Edit edit(m_doc, kStepDeleteRow);
    if (editingLocked()) return {};
    const int row = clip(selection).firstRow;
    EditResult result = done();
    if (m_doc.deleteRows(row, 1)) {
        result.rowsMoved = true;
        result.touch(row);
    }
    return result;
}

namespace {

int lastCommentedRow(const plc::PlcDocument& doc) noexcept {
    for (int row = LadderGrid::kRows; row >= 1; --row) {
        if (!doc.rowComment(row).empty()) return row;
    }
    return 0;
}

}  // namespace

EditResult LadderEditor::insertComment(int row) {
    plc::PlcDocument::Edit edit(m_doc, kStepInsertComment);
    if (row < 1 || row > LadderGrid::kRows) return {};
    if (!m_doc.rowComment(LadderGrid::kRows).empty()) {
        // The last row's comment has nowhere to go.
        refuse(kCannotDoText);
        return refused();
    }
    EditResult result = done();
    for (int r = lastCommentedRow(m_doc); r >= row; --r) {
        if (m_doc.setRowComment(r + 1, m_doc.rowComment(r))) result.touch(r + 1);
    }
    if (m_doc.setRowComment(row, {})) result.touch(row);
    return result;
}

EditResult LadderEditor::moveCommentsUp(int row) {
    plc::PlcDocument::Edit edit(m_doc, kStepMoveCommentsUp);
    if (row < 1 || row > LadderGrid::kRows) return {};
    EditResult result = done();
    const int last = lastCommentedRow(m_doc);
    for (int r = row; r <= last; ++r) {
        if (m_doc.setRowComment(r, m_doc.rowComment(r + 1))) result.touch(r);
    }
    return result;
}

EditResult LadderEditor::deleteComment(int row) {
    plc::PlcDocument::Edit edit(m_doc, kStepDeleteComment);
    if (row < 1 || row > LadderGrid::kRows) return {};
    EditResult result = done();
    if (m_doc.setRowComment(row, {})) result.touch(row);
    return result;
}

void LadderEditor::toggleCommentEditor(int row) noexcept {
    if (m_commentRow != 0 || row < 1 || row > LadderGrid::kRows) {
        m_commentRow = 0;
        return;
    }
    m_commentRow = row;
}

std::string LadderEditor::commentText(int row) const {
    const std::string& gbk = m_doc.rowComment(row);
    auto converted = common::TextCodec::gbkToUtf8(gbk);
    return converted.ok ? converted.text : gbk;
}

EditResult LadderEditor::storeComment(const std::string& text) {
    plc::PlcDocument::Edit edit(m_doc, kStepComment);
    if (m_commentRow == 0) return {};
    // At most 36 characters: cut after the 36th UTF-8 lead byte.
    std::size_t chars = 0;
    std::size_t cut = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (chars == kMaxCommentChars) {
            cut = i;
            break;
        }
        ++chars;
    }
    auto gbk = common::TextCodec::utf8ToGbk(std::string_view(text).substr(0, cut));
    // A character the code page cannot hold would be written as garbage:
    // the text is not stored and the editor stays open for a correction.
    if (!gbk.ok) return {};
    EditResult result = done();
    const int row = m_commentRow;
    if (m_doc.setRowComment(row, gbk.text)) result.touch(row);
    m_commentRow = 0;
    return result;
}

}  // namespace kelcc::core::ladder_editor
