#include "plc/il_store.h"

#include <gtest/gtest.h>

#include "common/crc16.h"
#include "plc/instruction_code.h"

namespace kelcc::core::plc {
namespace {

TEST(IlStore, ReportsCapacityByRefusingTheInstructionAfterTheLast) {
    IlStore il;
    for (std::size_t i = 0; i < IlStore::kCapacity; ++i) ASSERT_TRUE(il.append(1, "LD      X0000.0"));
    EXPECT_TRUE(il.full());
    EXPECT_EQ(il.remaining(), 0u);
    EXPECT_FALSE(il.append(19, "END1    "));
    EXPECT_EQ(il.size(), IlStore::kCapacity);
    // The end mark is never stored as an instruction.
    IlStore other;
    EXPECT_FALSE(other.append(0, "NOP"));
    EXPECT_TRUE(other.empty());
}

TEST(IlStore, CompactionKeepsOrderAndChecksumCoversTextsOnly) {
    IlStore il;
    ASSERT_TRUE(il.append(1, "LD      X0000.0"));
    ASSERT_TRUE(il.append(6, "OUT     Y0000.0"));
    ASSERT_TRUE(il.append(19, "END1"));
    ASSERT_TRUE(il.append(20, "END2"));
    il[0].text.clear();
    il[1].text.clear();
    EXPECT_EQ(il.compact(), 2u);
    ASSERT_EQ(il.size(), 2u);
    EXPECT_EQ(il[0].text, "END1");
    EXPECT_EQ(il[1].opcode, 20u);
    EXPECT_EQ(il.checksum(), common::Crc16::of("END1END2"));
}

TEST(InstructionCode, LookupIsExactAndCaseSensitive) {
    EXPECT_EQ(InstructionCodeOf("LD"), InstructionCode::LD);
    EXPECT_EQ(InstructionCodeOf("ALT"), InstructionCode::ALT);
    EXPECT_EQ(InstructionCodeOf("SPE"), InstructionCode::SPE);
    EXPECT_EQ(InstructionCodeOf("ld"), InstructionCode::Unknown);
    EXPECT_EQ(InstructionCodeOf("LD "), InstructionCode::Unknown);
    EXPECT_EQ(InstructionCodeOf("NOP"), InstructionCode::Unknown);
    EXPECT_EQ(InstructionCodeOf(""), InstructionCode::Unknown);
    for (auto name : kFunctionInstructionList) {
        auto code = InstructionCodeOf(name);
        ASSERT_NE(code, InstructionCode::Unknown) << name;
        EXPECT_GE(static_cast<int>(code), 19);
        EXPECT_EQ(MnemonicOf(code), name);
    }
}

}  // namespace
}  // namespace kelcc::core::plc
