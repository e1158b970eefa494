#include "plc/ladder_image.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../common/case_file.h"
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

TEST(LadderImage, GridsGiveTheirImageBytes) {
    for (const test::Case& c : test::ReadCases("core/plc/cases/ladder_images.txt")) {
        LadderGrid grid;
        for (std::size_t i = 2; i < c.fields.size(); ++i) {
            std::istringstream cell(c[i]);
            std::string first;
            int row = 0, column = 0, kind = 0;
            cell >> first >> row >> column;
            if (first == "link") {
                grid.setVerticalLink(row, column);
            } else if (first == "place") {
                grid.placeVerticalLink(row, column);
            } else {
                kind = column;
                column = row;
                std::string text;
                std::getline(cell >> std::ws, text);
                grid.setElement(std::stoi(first), column, kind, text);
            }
        }
        std::vector<Network> table;
        std::istringstream ranges(c[1] == "-" ? "" : c[1]);
        for (std::string range; ranges >> range;)
            table.push_back({std::stoi(range), std::stoi(range.substr(range.find(',') + 1))});
        EXPECT_EQ(c[1] == "-" ? LadderImage::build(grid) : LadderImage::build(grid, table),
                  hex(c[0]))
            << c.where;
    }
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
