#pragma once

#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "plc/ladder_grid.h"
#include "plc/ladder_image_model.h"
#include "plc/network.h"

namespace kelcc::core::plc {

// The binary image of the ladder written beside every saved program file
// (name + ".bin"): networks of rows of elements with parsed operands. Built
// from the grid, never read back by the workbench.
class LadderImage final {
public:
    // The image bytes for a grid, divided by the grid's image division.
    static std::string build(const plc::LadderGrid& grid);
    // The image bytes for the given network table; an entry with a negative
    // first row ends the table.
    static std::string build(const plc::LadderGrid& grid,
                             const std::vector<plc::Network>& networks);
    // The in-memory image the bytes are written from.
    static LadderImageModel model(const plc::LadderGrid& grid,
                                  const std::vector<plc::Network>& networks);
    // Writes the image atomically; on failure the file is left as it was and
    // the result carries the system's error text.
    static common::FileResult writeFile(const std::string& path, const plc::LadderGrid& grid);
};

}  // namespace kelcc::core::plc
