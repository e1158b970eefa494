#include "plc/il_store.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "common/crc16.h"
#include "plc/instruction_code.h"

namespace kelcc::core::plc {
namespace {

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

// The CRC itself is checked bit by bit in common; here what it is taken
// over: the texts without separators, bytes above 0x7F unchanged, up to an
// entry with opcode 0.
TEST(IlStore, ChecksumIsTheCrcOfTheTextsUpToOpcodeZero) {
    IlStore il;
    EXPECT_EQ(il.checksum(), 0);
    for (const char* text : {"LD      X0000.0", "END1", "\xB5\xE7\xFF\x80", "END2"})
        ASSERT_TRUE(il.append(1, text));
    EXPECT_EQ(il.checksum(), common::Crc16::of("LD      X0000.0END1\xB5\xE7\xFF\x80"
                                               "END2"));
    il[2].opcode = 0;
    EXPECT_EQ(il.checksum(), common::Crc16::of("LD      X0000.0END1"));
}

TEST(InstructionCode, LookupIsExactAndCaseSensitive) {
    EXPECT_EQ(InstructionCodeOf("LD"), InstructionCode::LD);
    for (const char* bad : {"ld", "LD ", "NOP", ""})
        EXPECT_EQ(InstructionCodeOf(bad), InstructionCode::Unknown) << bad;
    for (auto name : kFunctionInstructionList) {
        auto code = InstructionCodeOf(name);
        ASSERT_NE(code, InstructionCode::Unknown) << name;
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
