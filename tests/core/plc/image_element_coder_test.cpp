#include "plc/image_element_coder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "../common/case_file.h"

namespace kelcc::core::plc {
namespace {

using Operand = LadderImageModel::Operand;

constexpr std::uint8_t kAddr = LadderImageModel::kOperandAddress;
constexpr std::uint8_t kNum = LadderImageModel::kOperandNumber;

// Composes a word from its fields the way the format lays them out.
constexpr std::uint32_t word(char letter, std::uint32_t number, int bit = -1) {
    std::uint32_t w = (static_cast<std::uint32_t>(letter) << 24) | number;
    if (bit >= 0) w |= 0x80000000u | (static_cast<std::uint32_t>(bit) << 16);
    return w;
}

using test::Case;
using test::ReadCases;

std::uint32_t Hex(const std::string& text) {
    return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

TEST(LadderImageCoder, AddressWordsFollowLetterSetsLimitsAndBit) {
    for (const Case& c : ReadCases("core/plc/cases/image_address_words.txt")) {
        EXPECT_EQ(ImageElementCoder::contactWord(c[0]), Hex(c[1])) << c.where;
        EXPECT_EQ(ImageElementCoder::coilWord(c[0]), Hex(c[2])) << c.where;
    }
}

TEST(LadderImageCoder, OperandsAreTheTokensAfterTheMnemonic) {
    for (const Case& c : ReadCases("core/plc/cases/image_operands.txt")) {
        std::vector<Operand> expected;
        std::istringstream words(c[1]);
        for (std::string w; words >> w;) {
            expected.push_back(
                w[0] == 'n' ? Operand{kNum, static_cast<std::uint32_t>(std::stoul(w.substr(1)))}
                            : Operand{kAddr, Hex(w.substr(1))});
        }
        EXPECT_EQ(ImageElementCoder::operands(c[0]), expected) << c.where;
    }
}

TEST(LadderImageCoder, IlOnlyAndUnknownKindsHaveNoElementCode) {
    // IL-only codes and unknown kinds have no element of their own.
    for (int kind : {3, 4, 7, 8, 14, 16, 24, 43, -1, 255})
        EXPECT_EQ(ImageElementCoder::typeCode(kind), 0) << kind;
}

plc::LadderCell makeCell(std::uint16_t element, std::uint16_t link, int kind,
                         std::string text = {}) {
    plc::LadderCell c;
    c.element = element;
    c.verticalLink = link;
    c.kind = kind;
    c.text = std::move(text);
    return c;
}

TEST(LadderImageCoder, CellsGetTheirCodeAndLinkMark) {
    for (const Case& c : ReadCases("core/plc/cases/image_cells.txt")) {
        const auto number = [&](std::size_t i) { return std::stoi(c[i]); };
        const auto cell = makeCell(static_cast<std::uint16_t>(number(0)),
                                   static_cast<std::uint16_t>(number(1)), number(2), c[3]);
        const auto element = ImageElementCoder::element(cell, number(4));
        EXPECT_EQ(element.code, number(5)) << c.where;
        EXPECT_EQ(element.flags, number(6)) << c.where;
    }
}

TEST(LadderImageCoder, ElementCarriesThePayloadOfItsCode) {
    const auto contact = ImageElementCoder::element(makeCell(1, 0, 2, "X0010.2"), 1);
    EXPECT_EQ(contact.address, 0xD802000Au);
    EXPECT_TRUE(contact.operands.empty());
    // A coil is checked against the coil letters.
    EXPECT_EQ(ImageElementCoder::element(makeCell(1, 0, 6, "X0010.2"), 8).address, 0u);
    const auto box = ImageElementCoder::element(makeCell(1, 0, 30, "JMPB    L0007"), 7);
    EXPECT_EQ(box.address, 0u);
    EXPECT_EQ(box.operands, (std::vector<Operand>{{kAddr, word('L', 7)}}));
    // END1 and friends have no operands even with text.
    EXPECT_TRUE(ImageElementCoder::element(makeCell(1, 0, 19, "END1    X1"), 1).operands.empty());
}

}  // namespace
}  // namespace kelcc::core::plc
