#include "plc/il_store.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "plc/instruction_code.h"

namespace kelcc::core::plc {
namespace {

// The checksum as a bit loop, independent of the table-driven CRC in common.
std::uint16_t referenceChecksum(const std::vector<std::string>& texts) {
    std::uint16_t value = 0;
    for (const std::string& text : texts) {
        for (char ch : text) {
            value ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(ch) << 8);
            for (int i = 0; i < 8; ++i) {
                value = (value & 0x8000) ? static_cast<std::uint16_t>((value << 1) ^ 0x1021)
                                         : static_cast<std::uint16_t>(value << 1);
            }
        }
    }
    return value;
}

TEST(IlStore, ReportsCapacityByRefusingTheInstructionAfterTheLast) {
    IlStore il;
    for (std::size_t i = 0; i < IlStore::kCapacity; ++i)
        ASSERT_TRUE(il.append(1, "LD      X0000.0"));
    EXPECT_TRUE(il.full());
    EXPECT_EQ(il.remaining(), 0u);
    EXPECT_FALSE(il.append(19, "END1    "));
    EXPECT_EQ(il.size(), IlStore::kCapacity);
    // The end mark is never stored as an instruction.
    IlStore other;
    EXPECT_FALSE(other.append(0, "NOP"));
    EXPECT_TRUE(other.empty());
}

struct CompactionCase {
    std::vector<std::string> texts;  // "" is an entry the editor emptied
    std::vector<std::string> kept;
};

void PrintTo(const CompactionCase& c, std::ostream* os) {
    *os << c.texts.size() << " entries";
}

class IlCompaction : public ::testing::TestWithParam<CompactionCase> {};

TEST_P(IlCompaction, RemovesEntriesWithoutTextAndKeepsOrder) {
    const CompactionCase& c = GetParam();
    IlStore il;
    std::uint32_t opcode = 1;
    for (const std::string& text : c.texts) {
        ASSERT_TRUE(il.append(opcode++, "placeholder"));
        il[il.size() - 1].text = text;
    }
    EXPECT_EQ(il.compact(), c.texts.size() - c.kept.size());
    ASSERT_EQ(il.size(), c.kept.size());
    std::uint32_t lastOpcode = 0;
    for (std::size_t i = 0; i < il.size(); ++i) {
        EXPECT_EQ(il[i].text, c.kept[i]);
        EXPECT_GT(il[i].opcode, lastOpcode);  // opcodes travel with their texts
        lastOpcode = il[i].opcode;
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, IlCompaction,
                         ::testing::Values(CompactionCase{{}, {}}, CompactionCase{{"", ""}, {}},
                                           CompactionCase{{"a", "b"}, {"a", "b"}},
                                           CompactionCase{{"", "a", "", "", "b", ""}, {"a", "b"}}));

class IlChecksum : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(IlChecksum, IsTheCrcOverTheConcatenatedTexts) {
    IlStore il;
    for (const std::string& text : GetParam())
        ASSERT_TRUE(il.append(1, text));
    EXPECT_EQ(il.checksum(), referenceChecksum(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Programs, IlChecksum,
    ::testing::Values(std::vector<std::string>{},
                      std::vector<std::string>{"LD      X0000.0", "OUT     Y0000.0", "END1    ",
                                               "END2    "},
                      // Bytes above 0x7F must not be sign-extended.
                      std::vector<std::string>{"\xB5\xE7\xBB\xFA", "\xFF\x80", "CMP     0001"}));

// A new program is the CRC of the eight bytes END1END2; an entry with
// opcode 0 ends the sum.
TEST(IlChecksum, NoSeparatorsAndStopsAtOpcodeZero) {
    IlStore il;
    ASSERT_TRUE(il.append(19, "END1"));
    ASSERT_TRUE(il.append(20, "END2"));
    ASSERT_TRUE(il.append(1, "LD      X0000.0"));
    il[2].opcode = 0;
    EXPECT_EQ(il.checksum(), referenceChecksum({"END1END2"}));
}

TEST(InstructionCode, LookupIsExactAndCaseSensitive) {
    EXPECT_EQ(InstructionCodeOf("LD"), InstructionCode::LD);
    for (const char* bad : {"ld", "LD ", "NOP", ""})
        EXPECT_EQ(InstructionCodeOf(bad), InstructionCode::Unknown) << bad;
    for (auto name : kFunctionInstructionList) {
        auto code = InstructionCodeOf(name);
        ASSERT_NE(code, InstructionCode::Unknown) << name;
        EXPECT_GE(static_cast<int>(code), 19);
        EXPECT_EQ(MnemonicOf(code), name);
    }
}

// The columns themselves are pinned by the rebuild's drawings and limits.
TEST(InstructionCode, EveryFunctionInstructionAndOnlyThoseHaveAPlacementColumn) {
    for (auto name : kFunctionInstructionList)
        EXPECT_NE(PlacementColumnOf(InstructionCodeOf(name)), 0) << name;
    for (auto code : {InstructionCode::LD, InstructionCode::ORB, InstructionCode::Unknown})
        EXPECT_EQ(PlacementColumnOf(code), 0);
}

}  // namespace
}  // namespace kelcc::core::plc
