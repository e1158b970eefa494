#include "cnc_data/parameter_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "cnc_data/bit_parameter_texts.h"
#include "cnc_data/data_parameter_texts.h"
#include "cnc_data/function_groups.h"
#include "cnc_data/parameter_table.h"
#include "cnc_data/value_rules.h"
#include "common/text_codec.h"

namespace kelcc::core::cnc_data {
namespace {

constexpr common::Language kLanguages[] = {common::Language::Chinese, common::Language::English};

std::size_t gbkBytes(std::string_view utf8) {
    const auto gbk = common::TextCodec::utf8ToGbk(utf8);
    EXPECT_TRUE(gbk.ok) << utf8;
    return gbk.text.size();
}

TEST(ParameterCatalogueTest, NumbersMapOntoThirtyBitAndHundredFortyNineDataIndices) {
    constexpr ParameterKind kBit = ParameterKind::Bit, kData = ParameterKind::Data;
    const std::pair<int, ParameterSlot> cases[] = {
        {0, {}},           {1, {kBit, 0}}, {14, {kBit, 13}},  {15, {kData, 0}}, {163, {kData, 148}},
        {164, {kBit, 14}}, {165, {}},      {185, {kBit, 29}}, {186, {}}};
    for (const auto& [number, slot] : cases)
        EXPECT_EQ(ParameterCatalogue::slot(number), slot) << number;

    std::set<int> bitIndices, dataIndices;
    for (int number = 1; number <= 200; ++number) {
        const ParameterSlot slot = ParameterCatalogue::slot(number);
        if (slot.kind == ParameterKind::Bit) {
            bitIndices.insert(slot.index);
            EXPECT_EQ(ParameterCatalogue::bitNumber(slot.index), number);
        } else if (slot.kind == ParameterKind::Data) {
            dataIndices.insert(slot.index);
            EXPECT_EQ(ParameterCatalogue::dataNumber(slot.index), number);
        }
    }
    EXPECT_EQ(bitIndices.size(), 30u);
    EXPECT_EQ(*bitIndices.rbegin(), 29);
    EXPECT_EQ(dataIndices.size(), 149u);
    EXPECT_EQ(*dataIndices.rbegin(), 148);
}

TEST(ParameterCatalogueTest, RuleAndColumnTextsOfEachKind) {
    struct Case {
        int number;
        ValueConstraint rule;
        const char* type;
        const char* range;
    };
    const Case cases[] = {
        {1, {ValueKind::BitString, 8, 255, 0}, "BIT", ""},
        {18, {ValueKind::Unsigned, 3, 255, 1}, "WORD", "1 , 255"},
        {21, {ValueKind::Signed, 4, 2000, -2000}, "LONG", "-2000 , 2000"},
        {44, {ValueKind::BaudRate, 6, 115200, 2400}, "DWORD", "2400 , 115200"},
        {97, {ValueKind::Unsigned, 1, 0, 0}, "WORD", "0 , 0"},
        {115, {ValueKind::Unsigned, 6, 99999, -99999}, "DWORD", "-99999 , 99999"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ParameterCatalogue::constraint(c.number), c.rule) << c.number;
        EXPECT_EQ(ParameterCatalogue::typeText(c.number), c.type) << c.number;
        EXPECT_EQ(ParameterCatalogue::rangeText(c.number), c.range) << c.number;
    }
}

TEST(ParameterCatalogueTest, EveryDataParameterHasItsDescriptionAndRule) {
    for (int number = 15; number <= 163; ++number) {
        const auto zh = DataParameterTexts::description(number, common::Language::Chinese);
        const auto en = DataParameterTexts::description(number, common::Language::English);
        EXPECT_FALSE(zh.empty() || en.empty()) << number;
        EXPECT_EQ(zh == "保留", en == "Standby") << number;
        EXPECT_EQ(ValueRules::reserved(number), zh == "保留") << number;
        EXPECT_EQ(ValueRules::forNumber(number).has_value(), number <= 154) << number;
        EXPECT_EQ(ParameterCatalogue::description(number, common::Language::English), en);
    }
    EXPECT_TRUE(DataParameterTexts::description(14, common::Language::English).empty());
    EXPECT_TRUE(DataParameterTexts::description(164, common::Language::Chinese).empty());
    EXPECT_TRUE(ParameterCatalogue::typeText(155).empty());
    EXPECT_TRUE(ParameterCatalogue::rangeText(200).empty());

    // The texts themselves are the golden params/dump_* cases.
}

TEST(ParameterCatalogueTest, BitTablesHaveTheSameShapeInBothLanguages) {
    int described = 0;
    for (int row = 0; row < 30; ++row) {
        for (common::Language language : kLanguages) {
            const auto mnemonics = BitParameterTexts::mnemonics(row, language);
            EXPECT_FALSE(mnemonics.empty()) << row;
            EXPECT_LT(gbkBytes(mnemonics), 80u) << row;
        }
        for (int bit = 0; bit < 8; ++bit) {
            const std::string prefix = "BIT" + std::to_string(bit) + ":1/0:";
            const auto zh = BitParameterTexts::description(row, bit, common::Language::Chinese);
            const auto en = BitParameterTexts::description(row, bit, common::Language::English);
            EXPECT_EQ(zh.substr(0, prefix.size()), prefix) << row << bit;
            EXPECT_EQ(en.substr(0, prefix.size() + 1), prefix + " ") << row << bit;
            EXPECT_EQ(zh == prefix + "保留", en == prefix + " Standby") << row << bit;
            described += zh != prefix + "保留";
        }
    }
    EXPECT_GT(described, 0);
    EXPECT_TRUE(BitParameterTexts::mnemonics(30, common::Language::English).empty());
    EXPECT_TRUE(BitParameterTexts::description(0, 8, common::Language::English).empty());
}

TEST(ParameterCatalogueTest, GroupItemsEditExistingParametersOncePerBit) {
    const auto groups = FunctionGroups::all();
    ASSERT_EQ(groups.size(), 22u);
    std::set<std::pair<int, int>> bits;
    for (const FunctionGroup& group : groups) {
        EXPECT_FALSE(group.items.empty()) << group.nameZh;
        EXPECT_LE(group.items.size(), 20u);
        for (const GroupItem& item : group.items) {
            EXPECT_LT(gbkBytes(item.nameZh), 60u) << item.nameZh;
            EXPECT_LT(item.nameEn.size(), 60u) << item.nameEn;
            const ParameterSlot slot = ParameterCatalogue::slot(item.number);
            if (item.isSwitch()) {
                ASSERT_EQ(slot.kind, ParameterKind::Bit) << item.nameZh;
                ASSERT_LT(item.bit, 8);
                EXPECT_TRUE(bits.insert({item.number, item.bit}).second) << item.nameZh;
                for (common::Language language : kLanguages) {
                    const auto text =
                        BitParameterTexts::description(slot.index, item.bit, language);
                    EXPECT_EQ(text.find("保留"), std::string_view::npos) << item.nameZh;
                    EXPECT_EQ(text.find("Standby"), std::string_view::npos) << item.nameZh;
                    for (int value : {0, 1}) {
                        EXPECT_FALSE(item.option(value, language).empty()) << item.nameZh;
                        EXPECT_LT(gbkBytes(item.option(value, language)), 20u) << item.nameZh;
                    }
                }
            } else {
                ASSERT_EQ(slot.kind, ParameterKind::Data) << item.nameZh;
                EXPECT_TRUE(ValueRules::forNumber(item.number)) << item.nameZh;
                EXPECT_FALSE(ValueRules::reserved(item.number)) << item.nameZh;
            }
        }
    }
    // Every bit with a function can be reached from some group.
    for (int row = 0; row < 30; ++row) {
        for (int bit = 0; bit < 8; ++bit) {
            const bool reserved =
                BitParameterTexts::description(row, bit, common::Language::English)
                    .ends_with("Standby");
            EXPECT_EQ(bits.count({ParameterCatalogue::bitNumber(row), bit}) == 1, !reserved)
                << row << " " << bit;
        }
    }
}

TEST(ParameterTableTest, RangeColumn) {
    // Numbers, values and descriptions: the golden params/dump_* cases.
    ParameterTable table;
    EXPECT_EQ(table.cellText(44, 3, common::Language::English), "2400 , 115200");
    EXPECT_EQ(table.cellText(160, 3, common::Language::English), "");
    EXPECT_EQ(table.cellText(190, 4, common::Language::English), "");
}

TEST(ParameterTableTest, EditsAreNormalisedAndRowsWithoutFileAreReadOnly) {
    ParameterTable table;
    EXPECT_TRUE(table.setValue(44, "40000"));
    EXPECT_EQ(table.value(44), "38400");
    EXPECT_FALSE(table.setValue(44, "38401"));  // normalises to what is there
    EXPECT_FALSE(table.setValue(44, "12a"));
    EXPECT_TRUE(table.setValue(3, "101"));
    EXPECT_EQ(table.value(3), "00000101");
    EXPECT_FALSE(table.setValue(3, "00000201"));
    EXPECT_FALSE(table.editable(155));
    EXPECT_FALSE(table.setValue(155, "5"));
    EXPECT_FALSE(table.setValue(190, "5"));
    EXPECT_TRUE(table.editable(154));
}

TEST(ParameterTableTest, GroupItemsReadAndWriteTheirBitOrValue) {
    ParameterTable table;
    const GroupItem& ready = FunctionGroups::all()[0].items[0];
    EXPECT_EQ(table.itemText(ready, common::Language::Chinese), "低电平");
    EXPECT_TRUE(table.setBit(ready.number, ready.bit, true));
    EXPECT_EQ(table.itemText(ready, common::Language::English), "High");
    EXPECT_EQ(table.bitOf(ready.number, ready.bit), 1);
    EXPECT_FALSE(table.setBit(ready.number, ready.bit, true));
    EXPECT_FALSE(table.setBit(44, 0, true));

    const GroupItem& baud = FunctionGroups::all()[8].items[1];
    ASSERT_EQ(baud.number, 44);
    table.setValue(44, "9600");
    EXPECT_EQ(table.itemText(baud, common::Language::English), "9600");
}

}  // namespace
}  // namespace kelcc::core::cnc_data
