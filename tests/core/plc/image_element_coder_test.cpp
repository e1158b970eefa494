#include "plc/image_element_coder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

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

struct AddressCase {
    const char* text;
    std::uint32_t contact;
    std::uint32_t coil;
};

void PrintTo(const AddressCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class LadderImageAddressWord : public ::testing::TestWithParam<AddressCase> {};

TEST_P(LadderImageAddressWord, FollowsLetterSetsLimitsAndBit) {
    EXPECT_EQ(ImageElementCoder::contactWord(GetParam().text), GetParam().contact);
    EXPECT_EQ(ImageElementCoder::coilWord(GetParam().text), GetParam().coil);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LadderImageAddressWord,
    ::testing::Values(AddressCase{"X0010.2", 0xD802000Au, 0},  // X is no coil letter
                      AddressCase{"Y0255.7", word('Y', 255, 7), word('Y', 255, 7)},
                      AddressCase{"Y0256.0", 0, 0},
                      AddressCase{"A0024.1", word('A', 24, 1), word('A', 24, 1)},
                      AddressCase{"A0025.1", 0, 0},
                      AddressCase{"K0039.3", word('K', 39, 3), word('K', 39, 3)},
                      AddressCase{"R0999.0", word('R', 999, 0), word('R', 999, 0)},
                      AddressCase{"F0000.5", word('F', 0, 5), 0},
                      AddressCase{"G0001.4", word('G', 1, 4), word('G', 1, 4)},
                      AddressCase{"R0001.8", 0, 0},   // bit out of range
                      AddressCase{"R0001", 0, 0},     // no bit
                      AddressCase{"R0A01.1", 0, 0},   // non-digit in the number
                      AddressCase{"R0001.12", 0, 0},  // more after the bit
                      AddressCase{"R0001.1  ", word('R', 1, 1), word('R', 1, 1)},
                      AddressCase{"D0001.1", 0, 0},   // letter not in either set
                      AddressCase{"X99999.1", 0, 0},  // past the 16-bit field
                      AddressCase{"X000000000000000000000000001.1", word('X', 1, 1), 0},
                      AddressCase{"R99999999999999999999999.1", 0, 0}, AddressCase{"", 0, 0}));

struct OperandCase {
    const char* text;
    std::vector<Operand> operands;
};

void PrintTo(const OperandCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class LadderImageOperands : public ::testing::TestWithParam<OperandCase> {};

TEST_P(LadderImageOperands, ParsesTokensAfterTheMnemonic) {
    EXPECT_EQ(ImageElementCoder::operands(GetParam().text), GetParam().operands);
}

// Well-formed operands of every instruction are in the golden image files.
INSTANTIATE_TEST_SUITE_P(
    Texts, LadderImageOperands,
    ::testing::Values(
        // Commas separate tokens just like blanks.
        OperandCase{"CODB    0001 0001 X0010 R0020,5,9",
                    {{kNum, 1},
                     {kNum, 1},
                     {kAddr, word('X', 10)},
                     {kAddr, word('R', 20)},
                     {kNum, 5},
                     {kNum, 9}}},
        // Letters are not checked; the first character is the letter.
        OperandCase{"MOVN    0001 Z0003 D0004",
                    {{kNum, 1}, {kAddr, word('Z', 3)}, {kAddr, word('D', 4)}}},
        // A lone D before something other than C or T is the letter D.
        OperandCase{"MOVN    0001 DX12 D",
                    {{kNum, 1}, {kAddr, 0xFFFFu | word('D', 0)}, {kAddr, word('D', 0)}}},
        // A non-digit in the number gives 65535; the bit still counts.
        OperandCase{"SET     R01A0.3", {{kAddr, word('R', 0xFFFF, 3)}}},
        // Only a bit 0-7 sets the bit fields.
        OperandCase{"SET     R0100.8", {{kAddr, word('R', 100)}}},
        // Numbers beyond the 16-bit field read as 65535.
        OperandCase{"SET     R99999.1", {{kAddr, word('R', 0xFFFF, 1)}}},
        // Constants take their leading digits and stop at 32 bits.
        OperandCase{"CMP     0004 12AB 99999999999999999999 4294967295",
                    {{kNum, 4}, {kNum, 12}, {kNum, 0xFFFFFFFFu}, {kNum, 0xFFFFFFFFu}}},
        OperandCase{"END1    ", {}}, OperandCase{"", {}},
        OperandCase{"  JMPB L0002 ,,  ", {{kAddr, word('L', 2)}}}));

TEST(LadderImageCoder, LetterKeepsSevenBitsOfAByteAboveAscii) {
    const auto ops = ImageElementCoder::operands("SET \xB2\x35");
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].value, (0x32u << 24) | 5u);
}

TEST(LadderImageCoder, IlOnlyAndUnknownKindsHaveNoElementCode) {
    // IL-only codes and unknown kinds have no element of their own.
    for (int kind : {3, 4, 7, 8, 14, 16, 24, 43, -1, 255})
        EXPECT_EQ(ImageElementCoder::typeCode(kind), 0) << kind;
}

struct CellCase {
    const char* name;
    plc::LadderCell cell;
    int column;
    std::uint8_t code;
    std::uint8_t flags;
};

void PrintTo(const CellCase& c, std::ostream* os) {
    *os << c.name;
}

class LadderImageCellElement : public ::testing::TestWithParam<CellCase> {};

TEST_P(LadderImageCellElement, GetsCodeAndLinkMark) {
    const auto element = ImageElementCoder::element(GetParam().cell, GetParam().column);
    EXPECT_EQ(element.code, GetParam().code);
    EXPECT_EQ(element.flags, GetParam().flags);
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

INSTANTIATE_TEST_SUITE_P(
    Cells, LadderImageCellElement,
    ::testing::Values(
        CellCase{"ContactWithLinkInColumn2", makeCell(1, 1, 1, "X0001.0"), 2, 1, 0x02},
        CellCase{"LineWithLink", makeCell(1, 1, 0), 4, 5, 0x02},
        CellCase{"LineWithoutElementFlagIsALink", makeCell(0, 1, 0), 4, 6, 0},
        CellCase{"LineWithoutElementOrLink", makeCell(0, 0, 0), 4, 5, 0},
        CellCase{"BareLink", makeCell(0, 1, 15), 4, 6, 0},
        CellCase{"FunctionBoxWithLink", makeCell(1, 1, 21, "SET     R0001.0"), 7, 22, 0x02},
        CellCase{"UnknownKindWithLink", makeCell(1, 1, 3, "X0001.0"), 2, 0, 0x02}));

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
