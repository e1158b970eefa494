#include "plc/address_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../common/case_file.h"
#include "plc/plc_address.h"

namespace kelcc::core::plc {
namespace {

using enum AddressCheckResult;
using enum AddressClass;

using test::Case;
using test::ReadCases;

// Names in the case files, in the order of the enums.
AddressClass ClassOf(const std::string& name) {
    static const std::vector<std::string> kNames = {
        "BitIn",  "BitOut", "BitFlag", "ByteIn",    "ByteSource", "ByteDest", "MoveIn", "MoveOut",
        "DCOnly", "DTOnly", "DOnly",   "ConstOnly", "FindByte",   "LabelL",   "SubP"};
    const auto at = std::find(kNames.begin(), kNames.end(), name);
    if (at == kNames.end()) throw std::logic_error("no class " + name);
    return static_cast<AddressClass>(at - kNames.begin());
}

std::string ResultName(AddressCheckResult result) {
    return std::vector<std::string>{"ok", "empty", "type", "range", "bit", "value"}.at(
        static_cast<std::size_t>(result));
}

TEST(AddressCheck, EdgeCasesGiveTheDocumentedResultAndCanonicalText) {
    for (const Case& c : ReadCases("core/plc/cases/address_checks.txt")) {
        const CheckedOperand checked =
            AddressCheck(c[0], ClassOf(c[1]), c[2] == "byte", c[3] == "dcdt");
        EXPECT_EQ(ResultName(checked.result), c[4]) << c.where;
        EXPECT_EQ(checked.canonical, c[5]) << c.where;
    }
}

TEST(OperandCheck, ConstantsAreDecimalAndLimitedByTheDataLength) {
    for (const Case& c : ReadCases("core/plc/cases/operand_constants.txt")) {
        const CheckedOperand checked = OperandCheck(c[0], ByteSource, std::stoi(c[1]), true, true);
        EXPECT_EQ(ResultName(checked.result), c[2]) << c.where;
        EXPECT_EQ(checked.canonical, c[3]) << c.where;
    }
}

// Every class against every letter: the letters each class accepts and the
// count of each letter, transcribed from the address tables.
TEST(AddressCheck, EachClassAcceptsItsLettersUpToOneBelowTheCount) {
    const std::vector<std::pair<std::string, int>> counts = {
        {"X", 256}, {"Y", 256}, {"F", 256}, {"G", 256},   {"R", 1000},  {"D", 1000}, {"K", 40},
        {"A", 25},  {"C", 100}, {"T", 100}, {"L", 10000}, {"P", 10000}, {"DC", 100}, {"DT", 100}};
    for (const Case& c : ReadCases("core/plc/cases/address_classes.txt")) {
        const AddressClass addressClass = ClassOf(c[0]);
        const bool byteOperand = c[1] == "byte";
        const bool dcDt = c[3] == "dcdt";
        const bool hasD = c[2].find('D') != std::string::npos;
        for (const auto& [letter, count] : counts) {
            SCOPED_TRACE(c.where + " " + letter);
            const bool accepted =
                letter.size() == 1 ? c[2].find(letter) != std::string::npos : hasD && dcDt;
            const std::string bit = byteOperand ? "" : ".7";
            const auto check = [&](const std::string& number) {
                return AddressCheck(letter + number + bit, addressClass, byteOperand, dcDt);
            };
            const auto last = check(std::to_string(count - 1));
            const auto over = check(std::to_string(count));
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
            EXPECT_EQ(check("0").canonical, letter + "0000" + bit);
        }
    }
}

TEST(OperandCheck, ConstOnlyRefusesEveryAddress) {
    EXPECT_EQ(OperandCheck("D0001", ConstOnly, 4, true, false).result, CheckBadType);
    EXPECT_EQ(OperandCheck("300", ConstOnly, 2, true, false).canonical, "300");
}

TEST(PlcAddress, TakesApartValidAddressesOnly) {
    for (const Case& c : ReadCases("core/plc/cases/plc_addresses.txt")) {
        const auto address = ParsePlcAddress(c[0]);
        ASSERT_EQ(address.has_value(), c[1] != "none") << c.where;
        if (!address) continue;
        const std::optional<int> bit =
            c[3] == "-" ? std::nullopt : std::optional<int>(std::stoi(c[3]));
        EXPECT_EQ(*address, (PlcAddress{c[1], static_cast<std::uint32_t>(std::stoul(c[2])), bit}))
            << c.where;
        EXPECT_EQ(address->text(), c[4]) << c.where;
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
