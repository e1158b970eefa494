#pragma once

#include <string>
#include <vector>

#include "plc/ladder_grid.h"

namespace kelcc::core::compiler::test {

// Ladders written as text in tests, one string per row, cells separated by
// '|' (columns 1-8, missing cells are empty):
//   "." or ""   empty            "-"    horizontal line
//   "a".."z"    open contact     "!a"   closed contact (operand X0000.0 ...)
//   "Y3"        coil Y0000.3     "=SET     Y0000.1"  function box (whole text)
//   "#24:TEXT"  any kind with that text
// A trailing '+' puts a vertical link on the cell (column 1 included, as the
// rebuild leaves it); "+" alone is a bare link.
class LadderDrawing final {
public:
    static void draw(plc::LadderGrid& grid, int firstRow, const std::vector<std::string>& rows);
    static plc::LadderGrid grid(const std::vector<std::string>& rows);
    // Operand of the contact letter ('a' -> "X0000.0", 'i' -> "X0001.0").
    static std::string contactOperand(char letter);
    static std::string coilOperand(int number);
};

}  // namespace kelcc::core::compiler::test
