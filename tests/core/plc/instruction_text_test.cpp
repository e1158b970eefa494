#include "plc/instruction_text.h"

#include <gtest/gtest.h>

namespace kelcc::core::plc {
namespace {

using IC = InstructionCode;

TEST(InstructionText, FixedLinesAreTheBareMnemonicField) {
    EXPECT_EQ(FixedLine(IC::END1), "END1    ");
    EXPECT_EQ(FixedLine(IC::END2), "END2    ");
    EXPECT_EQ(FixedLine(IC::SPE), "SPE     ");
    EXPECT_EQ(FixedLine(IC::SET), "");
    EXPECT_EQ(IlLine("ANB", {}), "ANB     ");
}

TEST(InstructionText, EveryFormatPutsOperandsAfterTheEightCharacterField) {
    EXPECT_EQ(BitInstructionText(IC::SET, "Y0001.2"), "SET     Y0001.2");
    EXPECT_EQ(CmpText(2, "D0010", "1000", "R0001.3"), "CMP     0002 D0010 1000 R0001.3");
    EXPECT_EQ(CtrcText("0001", "R0010.1", 5, "100", "Y0001.2"),
              "CTRC    0001 R0010.1 C0005 100 Y0001.2");
    EXPECT_EQ(CodbText(1, 1, "X0010", "R0020", {"5", "9"}), "CODB    0001 0001 X0010 R0020 , 5 9");
    EXPECT_EQ(JumpText(IC::LBL, 9999), "LBL     L9999");
    EXPECT_EQ(JumpText(IC::SP, 123), "SP      P0123");
    EXPECT_EQ(RotbText("1011", 12, 1, "D0001", "D0002", "D0003", "Y0001.0"),
              "ROTB    1011 0012 0001 D0001 D0002 D0003 Y0001.0");
    EXPECT_EQ(PariText(true, "X0001.0", "X0002", "Y0003.4"), "PARI    0001 X0001.0 X0002 Y0003.4");
    EXPECT_EQ(PariText(false, "X0001.0", "X0002", "Y0003.4"), "PARI    0000 X0001.0 X0002 Y0003.4");
    EXPECT_EQ(ArithmeticText(IC::SUBB, 4, "DC0001", "D0002", "R0001.0", "DT0003", "Y0000.1"),
              "SUBB    0004 DC0001 D0002 R0001.0 DT0003 Y0000.1");
}

TEST(InstructionText, NumbersKeepAllTheirDigits) {
    EXPECT_EQ(Pad4(0), "0000");
    EXPECT_EQ(Pad4(12345), "12345");
    EXPECT_EQ(RotbText("0000", 2147483647, 4, "DC0001", "DT0002", "R0003", "R0004.7"),
              "ROTB    0000 2147483647 0004 DC0001 DT0002 R0003 R0004.7");
}

TEST(InstructionText, TokensSplitOnRunsOfBlanks) {
    const auto tokens = IlTokens("CODB    0001 0001 X0010 R0020 , 5 9 ");
    ASSERT_EQ(tokens.size(), 8u);
    EXPECT_EQ(tokens[0], "CODB");
    EXPECT_EQ(tokens[5], ",");
    EXPECT_EQ(tokens[7], "9");
    EXPECT_TRUE(IlTokens("   ").empty());
}

}  // namespace
}  // namespace kelcc::core::plc
