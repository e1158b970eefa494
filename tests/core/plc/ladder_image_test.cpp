#include "plc/ladder_image.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

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

std::string toHex(const std::string& bytes) {
    static const char* kDigits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) out.push_back(' ');
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 0x0F]);
    }
    return out;
}

TEST(LadderImage, EmptyGridHasNoNetworks) {
    EXPECT_EQ(LadderImage::build(LadderGrid()), hex("00"));
}

TEST(LadderImage, GoldenSmallLadder) {
    LadderGrid grid;
    // Row 1 stays empty: the first network still starts there.
    grid.setElement(2, 1, 1, "X0010.2");
    grid.setElement(2, 2, 2, "F0001.1");
    grid.setVerticalLink(2, 2);
    for (int c = 3; c <= 7; ++c)
        grid.setElement(2, c, 0, "");
    grid.setElement(2, 8, 6, "Y0002.7");
    grid.setElement(3, 1, 1, "K0039.3");
    grid.setElement(3, 7, 21, "SET     R0100.1");
    // A link in column 1 (left by the rebuild) joins rows 5 and 6; the bare
    // link of row 6 reaches row 7, which holds nothing and is not written.
    grid.setElement(5, 1, 2, "X0000.0");
    grid.placeVerticalLink(5, 1);
    grid.setElement(5, 5, 23, "CMP     0002 DC0001 DT0010 R0100.1");
    grid.setVerticalLink(6, 3);
    grid.setElement(8, 1, 31, "LBL     L0001");
    grid.setElement(9, 5, 29, "CODB    0001 0001 X0010 R0020 , 5 9");
    grid.setElement(10, 7, 32, "CALL    P0002");
    grid.setElement(11, 1, 19, "END1    ");
    grid.setElement(11, 2, 20, "END2    ");
    grid.setElement(11, 3, 34, "SPE     ");

    const std::string expected =
        hex("06"
            // rows 1-3
            "03"
            "00"
            "08"
            "01 00 0A 00 02 D8"
            "02 02 01 00 01 C6"
            "05 00 05 00 05 00 05 00 05 00"
            "03 00 02 00 07 D9"
            "07"
            "01 00 27 00 03 CB"
            "00 00 00 00 00 00 00 00 00 00"
            "16 00 01 01 64 00 01 D2"
            // rows 5-7
            "02"
            "05"
            "02 00 00 00 00 D8"
            "00 00 00 00 00 00"
            "20 00 04 02 02 00 00 00 01 01 00 00 63 01 0A 00 00 74 01 64 00 01 D2"
            "03 00 00 00 00 06 00"
            // row 8
            "01 01 14 00 01 01 01 00 00 4C"
            // row 9
            "01 05 00 00 00 00 00 00 00 00"
            "22 00 06 02 01 00 00 00 02 01 00 00 00 01 0A 00 00 58 01 14 00 00 52"
            "02 05 00 00 00 02 09 00 00 00"
            // row 10
            "01 07 00 00 00 00 00 00 00 00 00 00 00 00 17 00 01 01 02 00 00 50"
            // row 11
            "01 03 0B 00 0C 00 0D 00");
    EXPECT_EQ(toHex(LadderImage::build(grid)), toHex(expected));
}

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
    const fs::path dir = fs::temp_directory_path() / ("kelcc_image_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
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
    fs::remove_all(dir);
}

}  // namespace
}  // namespace kelcc::core::plc
