#include "element_placement.h"

#include <algorithm>

#include "plc/instruction_code.h"

namespace kelcc::core::ladder_editor {

using plc::InstructionCode;
using plc::kCellKindLine;
using plc::kCellKindVerticalLink;
using plc::LadderGrid;

namespace {

constexpr int kFirstFunctionKind = static_cast<int>(InstructionCode::END1);

int placementColumn(int kind) noexcept {
    if (kind < 0 || kind > 255) return 0;
    return plc::PlacementColumnOf(static_cast<InstructionCode>(kind));
}

void setCell(plc::PlcDocument& doc, int row, int column, int kind, std::string text,
             EditResult& result) {
    if (doc.setCell(row, column, kind, std::move(text))) result.touch(row);
}

}  // namespace

ElementShape ElementPlacement::shapeOf(int kind) noexcept {
    if (kind == kCellKindLine) return ElementShape::Line;
    if (kind == kCellKindVerticalLink) return ElementShape::VerticalLink;
    if (kind == static_cast<int>(InstructionCode::LD) ||
        kind == static_cast<int>(InstructionCode::LDI))
        return ElementShape::Contact;
    switch (placementColumn(kind)) {
        case 8:
            return ElementShape::Coil;
        case 1:
            return ElementShape::Structure;
        case 5:
        case 6:
        case 7:
            return ElementShape::Block;
        default:
            return ElementShape::Unknown;
    }
}

int ElementPlacement::widthOf(int kind) noexcept {
    return shapeOf(kind) == ElementShape::Block ? LadderGrid::kColumns + 1 - placementColumn(kind)
                                                : 1;
}

int ElementPlacement::placeColumnOf(int kind) noexcept {
    const ElementShape shape = shapeOf(kind);
    if (shape == ElementShape::Coil || shape == ElementShape::Structure ||
        shape == ElementShape::Block)
        return placementColumn(kind);
    return 0;
}

bool ElementPlacement::blockedByFunction(const LadderGrid& grid, int row, int column,
                                         int replacing) noexcept {
    const int last = std::min(column, LadderGrid::kColumns);
    for (int c = 1; c <= last; ++c) {
        if (c == replacing) continue;
        const plc::LadderCell* cell = grid.cell(row, c);
        if (cell && cell->element && cell->kind >= kFirstFunctionKind) return true;
    }
    return false;
}

bool ElementPlacement::rowHasElement(const LadderGrid& grid, int row, int replacing) noexcept {
    for (int c = 1; c <= LadderGrid::kColumns; ++c) {
        if (c == replacing) continue;
        const plc::LadderCell* cell = grid.cell(row, c);
        if (cell && cell->element) return true;
    }
    return false;
}

bool ElementPlacement::mayEnter(const LadderGrid& grid, CellPos at, int kind,
                                int replacing) noexcept {
    if (at.row < 1 || at.row > LadderGrid::kRows || at.column < 1) return false;
    switch (shapeOf(kind)) {
        case ElementShape::Contact:
            return at.column <= LadderGrid::kColumns &&
                   !blockedByFunction(grid, at.row, at.column, replacing);
        case ElementShape::Line:
            return at.column < LadderGrid::kColumns &&
                   !blockedByFunction(grid, at.row, at.column, replacing);
        case ElementShape::Coil:
            return !blockedByFunction(grid, at.row, at.column, replacing);
        case ElementShape::Block:
            return at.column <= placementColumn(kind) &&
                   !blockedByFunction(grid, at.row, at.column, replacing);
        case ElementShape::Structure:
            return !rowHasElement(grid, at.row, replacing);
        default:
            return false;
    }
}

void ElementPlacement::placeContact(plc::PlcDocument& doc, CellPos at, int kind, std::string text,
                                    EditResult& result) {
    setCell(doc, at.row, at.column, kind, std::move(text), result);
}

void ElementPlacement::placeLine(plc::PlcDocument& doc, CellPos at, EditResult& result) {
    setCell(doc, at.row, at.column, kCellKindLine, {}, result);
}

void ElementPlacement::placeCoil(plc::PlcDocument& doc, CellPos at, std::string text,
                                 EditResult& result) {
    for (int c = at.column; c < LadderGrid::kColumns; ++c)
        setCell(doc, at.row, c, kCellKindLine, {}, result);
    setCell(doc, at.row, LadderGrid::kColumns, static_cast<int>(InstructionCode::OUT),
            std::move(text), result);
}

void ElementPlacement::placeBlock(plc::PlcDocument& doc, CellPos at, int kind, std::string text,
                                  EditResult& result) {
    const int start = placementColumn(kind);
    for (int c = at.column; c < start; ++c)
        setCell(doc, at.row, c, kCellKindLine, {}, result);
    for (int c = start; c <= LadderGrid::kColumns; ++c) {
        if (doc.clearVerticalLink(at.row, c)) result.touch(at.row);
        // The box covers the columns right of its start: an element left
        // there could be neither seen nor selected, and the program would
        // not compile.
        if (c > start && doc.deleteCell(at.row, c)) result.touch(at.row);
    }
    setCell(doc, at.row, start, kind, std::move(text), result);
}

void ElementPlacement::placeStructure(plc::PlcDocument& doc, int row, int kind, std::string text,
                                      EditResult& result) {
    setCell(doc, row, 1, kind, std::move(text), result);
}

bool ElementPlacement::pastable(const CopiedCell& cell) noexcept {
    if (!cell.element) return cell.kind == kCellKindVerticalLink && cell.verticalLink;
    const ElementShape shape = shapeOf(cell.kind);
    return shape != ElementShape::Unknown && shape != ElementShape::VerticalLink;
}

ElementPlacement::PasteOutcome ElementPlacement::pasteCell(plc::PlcDocument& doc, CellPos at,
                                                           const CopiedCell& cell,
                                                           EditResult& result) {
    if (!pastable(cell)) return PasteOutcome::BadKind;
    const LadderGrid& grid = doc.grid();
    if (at.row < 1 || at.row > LadderGrid::kRows || at.column < 1) return PasteOutcome::NotHere;

    const ElementShape shape = cell.element ? shapeOf(cell.kind) : ElementShape::VerticalLink;
    int landing = at.column;
    switch (shape) {
        case ElementShape::Contact:
        case ElementShape::Line:
            if (at.column >= LadderGrid::kColumns || blockedByFunction(grid, at.row, at.column))
                return PasteOutcome::NotHere;
            setCell(doc, at.row, at.column, cell.kind, cell.text, result);
            break;
        case ElementShape::VerticalLink:
            // A bare link keeps column 8 as well: it may join the inputs of
            // coils there, and dropping it would break the copied circuit.
            if (at.column > LadderGrid::kColumns || blockedByFunction(grid, at.row, at.column))
                return PasteOutcome::NotHere;
            break;
        case ElementShape::Coil:
            if (!mayEnter(grid, at, cell.kind)) return PasteOutcome::NotHere;
            placeCoil(doc, at, cell.text, result);
            landing = LadderGrid::kColumns;
            break;
        case ElementShape::Block:
            if (!mayEnter(grid, at, cell.kind)) return PasteOutcome::NotHere;
            placeBlock(doc, at, cell.kind, cell.text, result);
            landing = placementColumn(cell.kind);
            break;
        case ElementShape::Structure:
            if (!mayEnter(grid, at, cell.kind)) return PasteOutcome::NotHere;
            placeStructure(doc, at.row, cell.kind, cell.text, result);
            for (int c = 2; c <= LadderGrid::kColumns && at.row > 1; ++c) {
                if (doc.clearVerticalLink(at.row - 1, c)) result.touch(at.row - 1);
            }
            landing = 1;
            break;
        case ElementShape::Unknown:
            return PasteOutcome::BadKind;
    }
    if (cell.verticalLink) setCell(doc, at.row, landing, kCellKindVerticalLink, {}, result);
    return PasteOutcome::Placed;
}

}  // namespace kelcc::core::ladder_editor
