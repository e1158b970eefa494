#pragma once

#include <string>

#include "common/atomic_file.h"
#include "compiler/ladder_grid.h"

namespace kelcc::core::plc {

// The binary image of the ladder written beside every saved program file
// (name + ".bin"): networks of rows of elements with parsed operands. Built
// from the grid, never read back by the workbench.
class LadderImage final {
public:
    // The image bytes for a grid.
    static std::string build(const compiler::LadderGrid& grid);
    // Writes the image atomically.
    static common::FileResult writeFile(const std::string& path, const compiler::LadderGrid& grid);
};

}  // namespace kelcc::core::plc
