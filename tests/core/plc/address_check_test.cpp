#include "plc/address_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plc/plc_address.h"

namespace kelcc::core::plc {
namespace {

using enum AddressCheckResult;
using enum AddressClass;

struct AddressCase {
    std::string text;
    AddressClass addressClass;
    bool byteOperand;
    bool dcDt;
    AddressCheckResult result;
    std::string canonical;
};

void PrintTo(const AddressCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class AddressEdgeCases : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressEdgeCases, GiveTheDocumentedResultAndCanonicalText) {
    const AddressCase& c = GetParam();
    const CheckedOperand checked = AddressCheck(c.text, c.addressClass, c.byteOperand, c.dcDt);
    EXPECT_EQ(checked.result, c.result);
    EXPECT_EQ(checked.canonical, c.canonical);
}

INSTANTIATE_TEST_SUITE_P(
    Bits, AddressEdgeCases,
    ::testing::Values(AddressCase{"X5", BitIn, false, false, CheckOk, "X0005.0"},
                      AddressCase{"X5.", BitIn, false, false, CheckOk, "X0005.0"},
                      AddressCase{"X5.8", BitIn, false, false, CheckBadBit, ""},
                      AddressCase{"X5.3 ", BitIn, false, false, CheckOk, "X0005.3"},
                      AddressCase{"X5.34", BitIn, false, false, CheckBadBit, ""},
                      AddressCase{"X5. ", BitIn, false, false, CheckBadBit, ""},
                      AddressCase{"X5.3.1", BitIn, false, false, CheckBadBit, ""},
                      // A blank is allowed only after the bit number.
                      AddressCase{"X5 ", BitIn, false, false, CheckBadType, ""},
                      AddressCase{"X256.9", BitIn, false, false, CheckBadRange, ""},
                      AddressCase{"X0000000005.1", BitIn, false, false, CheckOk, "X0005.1"},
                      AddressCase{"", BitIn, false, false, CheckEmpty, ""},
                      AddressCase{"X", BitIn, false, false, CheckBadType, ""},
                      AddressCase{"X1A", BitIn, false, false, CheckBadType, ""},
                      AddressCase{"x1", BitIn, false, false, CheckBadType, ""},
                      AddressCase{"X.1", BitIn, false, false, CheckBadType, ""},
                      AddressCase{" X1", BitIn, false, false, CheckBadType, ""},
                      AddressCase{"X1.0", BitOut, false, false, CheckBadType, ""}));

INSTANTIATE_TEST_SUITE_P(
    Bytes, AddressEdgeCases,
    ::testing::Values(AddressCase{"R5.0", ByteIn, true, false, CheckOk, "R0005"},
                      AddressCase{"R5.", ByteIn, true, false, CheckOk, "R0005"},
                      AddressCase{"R5.1", ByteIn, true, false, CheckBadRange, ""},
                      AddressCase{"R5.00", ByteIn, true, false, CheckBadRange, ""},
                      AddressCase{"R5.A", ByteIn, true, false, CheckBadRange, ""},
                      AddressCase{"R5 ", ByteIn, true, false, CheckBadType, ""},
                      AddressCase{"DC5", ByteIn, true, false, CheckBadType, ""},
                      AddressCase{"DT5", MoveIn, true, false, CheckBadType, ""},
                      // The range is judged before the DC/DT rule, the bit part too.
                      AddressCase{"DC100", ByteIn, true, false, CheckBadRange, ""},
                      AddressCase{"DC5.1", ByteIn, true, false, CheckBadRange, ""},
                      AddressCase{"DX5", ByteSource, true, true, CheckBadType, ""},
                      AddressCase{"DC", ByteSource, true, true, CheckBadType, ""},
                      AddressCase{"DC5", DCOnly, true, true, CheckOk, "DC0005"},
                      AddressCase{"DT5", DCOnly, true, true, CheckBadType, ""},
                      AddressCase{"D5", DCOnly, true, true, CheckBadType, ""},
                      AddressCase{"DT99", DTOnly, true, true, CheckOk, "DT0099"},
                      AddressCase{"DC1", DTOnly, true, true, CheckBadType, ""},
                      AddressCase{"D1", DTOnly, true, true, CheckBadType, ""},
                      AddressCase{"D5", DOnly, true, false, CheckOk, "D0005"},
                      AddressCase{"DC5", DOnly, true, false, CheckBadType, ""},
                      AddressCase{"D5", ConstOnly, true, false, CheckBadType, ""}));

// Huge numbers must neither wrap round nor be read past.
INSTANTIATE_TEST_SUITE_P(
    HugeNumbers, AddressEdgeCases,
    ::testing::Values(
        AddressCase{"X" + std::string(30, '9'), BitIn, false, false, CheckBadRange, ""},
        AddressCase{"R18446744073709551616", ByteIn, true, false, CheckBadRange, ""},
        AddressCase{"R4294967296", ByteIn, true, false, CheckBadRange, ""},
        AddressCase{"R4294967301", ByteIn, true, false, CheckBadRange, ""},
        AddressCase{"X" + std::string(30, '9') + "A", BitIn, false, false, CheckBadType, ""},
        AddressCase{"X" + std::string(40, '0') + "7.2", BitIn, false, false, CheckOk, "X0007.2"}));

// Every class against every letter: the letters each class accepts and the
// count of each letter, transcribed from the address tables.
struct ClassLetters {
    AddressClass addressClass;
    bool byteOperand;
    std::string letters;  // one-letter words accepted
    bool dcDt;            // DC/DT forms allowed
};

void PrintTo(const ClassLetters& c, std::ostream* os) {
    *os << c.letters << (c.byteOperand ? " byte" : " bit") << (c.dcDt ? " dc/dt" : "");
}

class AddressTable : public ::testing::TestWithParam<ClassLetters> {};

TEST_P(AddressTable, AcceptsItsLettersUpToOneBelowTheCount) {
    const std::vector<std::pair<std::string, int>> counts = {
        {"X", 256}, {"Y", 256}, {"F", 256}, {"G", 256},   {"R", 1000},  {"D", 1000}, {"K", 40},
        {"A", 25},  {"C", 100}, {"T", 100}, {"L", 10000}, {"P", 10000}, {"DC", 100}, {"DT", 100}};
    const ClassLetters& c = GetParam();
    const bool hasD = c.letters.find('D') != std::string::npos;
    for (const auto& [letter, count] : counts) {
        SCOPED_TRACE(letter);
        const bool accepted =
            letter.size() == 1 ? c.letters.find(letter) != std::string::npos : hasD && c.dcDt;
        const std::string bit = c.byteOperand ? "" : ".7";
        const auto last = AddressCheck(letter + std::to_string(count - 1) + bit, c.addressClass,
                                       c.byteOperand, c.dcDt);
        const auto over = AddressCheck(letter + std::to_string(count) + bit, c.addressClass,
                                       c.byteOperand, c.dcDt);
        if (!accepted) {
            EXPECT_EQ(last.result, CheckBadType);
            // A DC/DT form where it is not allowed is judged by range first.
            EXPECT_EQ(over.result, letter.size() == 2 && hasD ? CheckBadRange : CheckBadType);
            continue;
        }
        char number[16];
        std::snprintf(number, sizeof number, "%04d", count - 1);
        EXPECT_EQ(last.result, CheckOk);
        EXPECT_EQ(last.canonical, letter + number + bit);
        EXPECT_EQ(over.result, CheckBadRange);
        EXPECT_EQ(AddressCheck(letter + "0" + bit, c.addressClass, c.byteOperand, c.dcDt).canonical,
                  letter + "0000" + bit);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, AddressTable,
    ::testing::Values(
        ClassLetters{BitIn, false, "XYFGRKA", false}, ClassLetters{BitOut, false, "YGRKA", false},
        ClassLetters{BitFlag, false, "YGRK", false}, ClassLetters{BitFlag, true, "YGRK", false},
        ClassLetters{ByteIn, true, "XYFGRKDA", false}, ClassLetters{ByteIn, true, "XYFGRKDA", true},
        ClassLetters{ByteSource, true, "XYFGRKDACT", true},
        ClassLetters{ByteDest, true, "YGRKDACT", true},
        ClassLetters{MoveIn, true, "XYFGRKAD", false}, ClassLetters{MoveOut, true, "YGDRKA", false},
        ClassLetters{FindByte, true, "CTD", true}, ClassLetters{LabelL, true, "L", false},
        ClassLetters{SubP, true, "P", false}, ClassLetters{DOnly, true, "D", false},
        ClassLetters{ConstOnly, true, "", false}));

struct ConstantCase {
    std::string text;
    int length;
    AddressCheckResult result;
    std::string canonical;
};

void PrintTo(const ConstantCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" L" << c.length;
}

class Constants : public ::testing::TestWithParam<ConstantCase> {};

TEST_P(Constants, AreDecimalAndLimitedByTheDataLength) {
    const ConstantCase& c = GetParam();
    const CheckedOperand checked = OperandCheck(c.text, ByteSource, c.length, true, true);
    EXPECT_EQ(checked.result, c.result);
    EXPECT_EQ(checked.canonical, c.canonical);
}

INSTANTIATE_TEST_SUITE_P(
    Operands, Constants,
    ::testing::Values(
        ConstantCase{"127", 1, CheckOk, "127"}, ConstantCase{"128", 1, CheckBadValue, ""},
        ConstantCase{"32767", 2, CheckOk, "32767"}, ConstantCase{"32768", 2, CheckBadValue, ""},
        ConstantCase{"2147483647", 4, CheckOk, "2147483647"},
        ConstantCase{"2147483648", 4, CheckBadValue, ""},
        ConstantCase{"9999999999", 4, CheckBadValue, ""}, ConstantCase{"0", 1, CheckOk, "0"},
        ConstantCase{"007", 1, CheckOk, "7"}, ConstantCase{"0000000001", 1, CheckOk, "1"},
        ConstantCase{"00000000001", 4, CheckBadValue, ""},
        ConstantCase{std::string(30, '9'), 4, CheckBadValue, ""},
        ConstantCase{"12A", 4, CheckBadValue, ""}, ConstantCase{"1 ", 4, CheckBadValue, ""},
        ConstantCase{"", 4, CheckBadValue, ""}, ConstantCase{"5", 0, CheckBadValue, ""},
        ConstantCase{"5", 8, CheckBadValue, ""},
        // Anything not starting with a digit is an address.
        ConstantCase{"R5", 1, CheckOk, "R0005"}, ConstantCase{"DC1", 1, CheckOk, "DC0001"},
        ConstantCase{"-5", 4, CheckBadType, ""}, ConstantCase{"R1000", 4, CheckBadRange, ""}));

TEST(OperandCheck, ConstOnlyRefusesEveryAddress) {
    EXPECT_EQ(OperandCheck("D0001", ConstOnly, 4, true, false).result, CheckBadType);
    EXPECT_EQ(OperandCheck("300", ConstOnly, 2, true, false).canonical, "300");
}

TEST(PlcAddress, TakesApartValidAddressesOnly) {
    const auto bit = ParsePlcAddress("X0005.3");
    ASSERT_TRUE(bit);
    EXPECT_EQ(*bit, (PlcAddress{"X", 5, 3}));
    EXPECT_EQ(bit->text(), "X0005.3");
    const auto dc = ParsePlcAddress("DC0010");
    ASSERT_TRUE(dc);
    EXPECT_EQ(*dc, (PlcAddress{"DC", 10, std::nullopt}));
    EXPECT_EQ(dc->text(), "DC0010");
    EXPECT_EQ(ParsePlcAddress("L9999")->text(), "L9999");
    EXPECT_EQ(ParsePlcAddress("R5.3 ")->text(), "R0005.3");
    for (const char* bad : {"", "Q1", "X256", "L10000", "X5.8", "X5A", "D", "DC100", "X5.3x",
                            "R99999999999999999999999"}) {
        EXPECT_FALSE(ParsePlcAddress(bad)) << bad;
    }
}

TEST(PlcAddress, SplitsLettersNumberAndBitPart) {
    const AddressParts dc = SplitAddress("DC10.2");
    EXPECT_EQ(dc.letters, "DC");
    EXPECT_EQ(dc.number, "10");
    EXPECT_TRUE(dc.hasPoint);
    EXPECT_EQ(dc.bitPart, "2");
    const AddressParts d = SplitAddress("DX5");
    EXPECT_EQ(d.letters, "D");
    EXPECT_EQ(d.number, "X5");
    EXPECT_FALSE(d.hasPoint);
    EXPECT_EQ(AddressCount("DT"), 100u);
    EXPECT_EQ(AddressCount("Q"), 0u);
    EXPECT_EQ(DecimalValue(std::string(25, '9')), kDecimalSaturated);
    EXPECT_FALSE(DecimalValue(""));
}

}  // namespace
}  // namespace kelcc::core::plc
