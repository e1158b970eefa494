#pragma once

#include <string>

#include "ladder_editor/cell_range.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/edit_result.h"
#include "plc/ladder_grid.h"
#include "plc/plc_document.h"

namespace kelcc::core::ladder_editor {

// How an element of a cell kind takes its place in a row.
enum class ElementShape {
    Line,          // 0: horizontal link, columns 1-7
    Contact,       // 1, 2: any column 1-8
    Coil,          // 6: column 8, links from the entry column up to column 7
    Block,         // function box 2, 3 or 4 columns wide ending in column 8
    Structure,     // END1, END2, LBL, SP, SPE: column 1, alone on the row
    VerticalLink,  // 15: the flag only
    Unknown,
};

// The placement rules shared by entering elements and pasting cells. The
// checks say whether a placement is allowed; the place functions change
// the document (marking it modified through its setters) and report the
// rows they touched in `result`.
class ElementPlacement final {
public:
    static ElementShape shapeOf(int kind) noexcept;
    // Width in columns of an element of the kind (1 for all but blocks).
    static int widthOf(int kind) noexcept;
    // The column a coil, block or structure element stands in; 0 for others.
    static int placeColumnOf(int kind) noexcept;

    // The common guard: a function box (code 19 or above) in the row at or
    // left of the column. The cell in column `replacing` does not count
    // (it is the one being edited again); 0 for none.
    static bool blockedByFunction(const plc::LadderGrid& grid, int row, int column,
                                  int replacing = 0) noexcept;
    // Any element in columns 1-8 of the row, except in column `replacing`.
    static bool rowHasElement(const plc::LadderGrid& grid, int row, int replacing = 0) noexcept;

    // Whether an element of the kind may be entered with the cursor at
    // `at` (contacts, lines, coils, blocks and structure elements; vertical
    // links have their own rule in the editor).
    static bool mayEnter(const plc::LadderGrid& grid, CellPos at, int kind,
                         int replacing = 0) noexcept;

    // Entering, the rules of the editing commands. They assume mayEnter.
    static void placeContact(plc::PlcDocument& doc, CellPos at, int kind, std::string text,
                             EditResult& result);
    static void placeLine(plc::PlcDocument& doc, CellPos at, EditResult& result);
    static void placeCoil(plc::PlcDocument& doc, CellPos at, std::string text, EditResult& result);
    static void placeBlock(plc::PlcDocument& doc, CellPos at, int kind, std::string text,
                           EditResult& result);
    static void placeStructure(plc::PlcDocument& doc, int row, int kind, std::string text,
                               EditResult& result);

    enum class PasteOutcome { Placed, NotHere, BadKind };
    // The single-cell rules of paste: the copied cell entered with its
    // target at `at`; its vertical-link flag is set again where it lands.
    static PasteOutcome pasteCell(plc::PlcDocument& doc, CellPos at, const CopiedCell& cell,
                                  EditResult& result);
    // Whether pasteCell knows the copied cell's kind at all.
    static bool pastable(const CopiedCell& cell) noexcept;
};

}  // namespace kelcc::core::ladder_editor
