#include "ladder_image.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "plc/image_element_coder.h"

namespace kelcc::core::plc {

using plc::LadderCell;
using plc::LadderGrid;
using plc::Network;

LadderImageModel LadderImage::model(const LadderGrid& grid, const std::vector<Network>& networks) {
    LadderImageModel image;
    for (std::size_t n = 0; n < networks.size(); ++n) {
        const Network& network = networks[n];
        if (network.firstRow < 0) break;  // end mark of a network table
        const int last = std::min(network.lastRow, LadderGrid::kRows);
        for (int r = std::max(network.firstRow, 1); r <= last; ++r) {
            for (int c = 1; c <= LadderGrid::kColumns; ++c) {
                const LadderCell* cell = grid.cell(r, c);
                if (!cell) continue;
                image.file(n, static_cast<std::size_t>(r - network.firstRow),
                           static_cast<std::size_t>(c - 1), ImageElementCoder::element(*cell, c));
            }
        }
    }
    return image;
}

std::string LadderImage::build(const LadderGrid& grid, const std::vector<Network>& networks) {
    return model(grid, networks).serialize();
}

std::string LadderImage::build(const LadderGrid& grid) {
    return build(grid, grid.divideNetworksForImage());
}

common::FileResult LadderImage::writeFile(const std::string& path, const LadderGrid& grid) {
    std::string bytes;
    try {
        bytes = build(grid);
    } catch (const std::bad_alloc&) {
        return {false, path + ": " + std::strerror(ENOMEM)};
    } catch (const std::length_error&) {
        return {false, path + ": " + std::strerror(EFBIG)};
    }
    return common::AtomicFile::write(path, bytes);
}

}  // namespace kelcc::core::plc
