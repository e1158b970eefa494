#include "plc/ladder_image.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "../common/temp_folder.h"

namespace kelcc::core::plc {
namespace {

namespace fs = std::filesystem;
using plc::LadderGrid;
using plc::Network;

// "01 0a ..." to bytes; whitespace between bytes is free.
std::string hex(std::string_view text) {
    std::string out;
    std::string digits;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        digits.push_back(c);
        if (digits.size() == 2) {
            out.push_back(static_cast<char>(std::stoi(digits, nullptr, 16)));
            digits.clear();
        }
    }
    return out;
}

TEST(LadderImage, EmptyGridHasNoNetworks) {
    EXPECT_EQ(LadderImage::build(LadderGrid()), hex("00"));
}

// The bytes of whole ladders, every element code and operand form among
// them, are golden corpus cases (the .ldx.bin files of golden/compile); here
// what a compiled program never holds.
TEST(LadderImage, LinkMarkOnlyFromColumnTwo) {
    LadderGrid column3;
    column3.setElement(1, 3, 6, "Y0001.0");
    column3.setVerticalLink(1, 3);
    EXPECT_EQ(LadderImage::build(column3), hex("01 01 03 00 00 00 00 03 02 01 00 00 D9"));
    LadderGrid column1;
    column1.setElement(1, 1, 6, "Y0001.0");
    column1.placeVerticalLink(1, 1);
    EXPECT_EQ(LadderImage::build(column1), hex("01 01 01 03 00 01 00 00 D9"));
}

TEST(LadderImage, ThreeHundredRowNetworkUsesTheEscapedCount) {
    LadderGrid grid;
    grid.setElement(300, 1, 0, "");
    const std::string image = LadderImage::build(grid);
    ASSERT_EQ(image.size(), 1u + 5u + 299u + 3u);
    EXPECT_EQ(image.substr(0, 6), hex("01 FF 2C 01 00 00"));
    EXPECT_EQ(image.substr(6, 299), std::string(299, '\0'));
    EXPECT_EQ(image.substr(305), hex("01 05 00"));
}

TEST(LadderImage, NetworkOfEmptyRowsBeforeOneWithElementsIsWrittenWithoutRows) {
    LadderGrid grid;
    grid.setElement(3, 1, 0, "");
    grid.setElement(9, 2, 0, "");  // beyond the end mark
    const std::vector<Network> table = {{1, 2}, {3, 3}, {-1, -1}, {9, 9}};
    EXPECT_EQ(LadderImage::build(grid, table), hex("02 00 01 01 05 00"));
    // An empty network at the end is not written at all.
    EXPECT_EQ(LadderImage::build(grid, {{3, 3}, {4, 5}}), hex("01 01 01 05 00"));
}

TEST(LadderImage, RowsOutsideTheGridAreIgnored) {
    LadderGrid grid;
    grid.setElement(LadderGrid::kRows, 8, 6, "Y0000.0");
    const std::vector<Network> table = {{LadderGrid::kRows, LadderGrid::kRows + 100}};
    EXPECT_EQ(LadderImage::build(grid, table),
              hex("01 01 08 00 00 00 00 00 00 00 00 00 00 00 00 00 00 03 00 00 00 00 D9"));
}

TEST(LadderImage, UnacceptableAddressesStillWriteTheElement) {
    LadderGrid grid;
    grid.setElement(1, 1, 2, "D0001.0");
    grid.setElement(1, 8, 6, "X0001.0");
    grid.setElement(2, 1, 1, "");
    EXPECT_EQ(LadderImage::build(grid),
              hex("02"
                  "01 08 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 03 00 00 00 00 00"
                  "01 01 01 00 00 00 00 00"));
}

TEST(LadderImageFile, ReplacesAnOldImageAndReportsAFileThatCannotBeCreated) {
    const common::TempFolder folder("kelcc_image_");
    const fs::path& dir = folder.path();
    LadderGrid grid;
    grid.setElement(1, 1, 1, "X0000.0");
    grid.setElement(1, 8, 6, "Y0000.0");
    const std::string path = (dir / "main_demo.ldx.bin").string();
    ASSERT_TRUE(common::AtomicFile::write(path, std::string(1000, 'x')).ok);
    const common::FileResult result = LadderImage::writeFile(path, grid);
    ASSERT_TRUE(result.ok) << result.error;
    std::string read;
    ASSERT_TRUE(common::AtomicFile::read(path, read).ok);
    EXPECT_EQ(read, LadderImage::build(grid));

    const std::string missing = (dir / "missing" / "main_demo.ldx.bin").string();
    const common::FileResult failed = LadderImage::writeFile(missing, LadderGrid());
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find(missing), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));
}

}  // namespace
}  // namespace kelcc::core::plc
