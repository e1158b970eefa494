#include <gtest/gtest.h>

#include <string>

#include "../common/case_file.h"
#include "cnc_data/bit_value_control.h"
#include "cnc_data/numeric_entry.h"
#include "cnc_data/parameter_catalogue.h"

namespace kelcc::core::cnc_data {
namespace {

ValueConstraint ruleOf(int number) {
    return *ParameterCatalogue::constraint(number);
}

// The thread angle rule of the table's own column.
constexpr ValueConstraint kThreadAngle{ValueKind::ThreadAngle, 2, 80, 0};

TEST(NumericEntryTest, TypingFilterAndValueShownWhenLeavingTheField) {
    for (const test::Case& c : test::ReadCases("core/cnc_data/cases/entry.txt")) {
        if (c[0] == "key") {
            const NumericEntry entry(ruleOf(std::stoi(c[1])));
            EXPECT_EQ(entry.accepts(c[4].at(0), c[2], c[3] == "whole"), c[5] == "true") << c.where;
        } else if (c[0] == "leave") {
            const ValueConstraint rule = c[1] == "angle" ? kThreadAngle : ruleOf(std::stoi(c[1]));
            EXPECT_EQ(NumericEntry(rule).normalise(c[2]), c[3]) << c.where;
        }
    }
}

TEST(BitValueControlTest, ShowsBit7FirstAndToggles) {
    BitValueControl control;
    int reports = 0;
    control.setObserver([&] { ++reports; });
    EXPECT_TRUE(control.setValue(5));
    EXPECT_EQ(control.text(), "00000101");
    control.click(0);
    EXPECT_EQ(control.cursor(), 7);
    EXPECT_EQ(control.key(BitValueControl::Key::Enter), BitValueControl::Move::None);
    EXPECT_EQ(control.text(), "10000101");
    control.doubleClick(7);
    EXPECT_EQ(control.text(), "10000100");
    EXPECT_EQ(reports, 5);  // value, cursor, toggle, cursor, toggle
    EXPECT_FALSE(control.setValue(0x84));
    EXPECT_FALSE(control.setText("2"));
    EXPECT_TRUE(control.setText("11"));
    EXPECT_EQ(control.value(), 3);
}

TEST(BitValueControlTest, KeysMoveTheCursorOrLeaveAtTheEnds) {
    using Key = BitValueControl::Key;
    using Move = BitValueControl::Move;
    BitValueControl control;
    EXPECT_EQ(control.key(Key::Right), Move::NextCell);  // cursor starts at BIT0
    for (int bit = 1; bit < 8; ++bit) {
        EXPECT_EQ(control.key(Key::Left), Move::None);
        EXPECT_EQ(control.cursor(), bit);
    }
    EXPECT_EQ(control.key(Key::Left), Move::PreviousCell);
    EXPECT_EQ(control.key(Key::Right), Move::None);
    EXPECT_EQ(control.cursor(), 6);
    EXPECT_EQ(control.key(Key::Up), Move::PreviousRow);
    EXPECT_EQ(control.key(Key::Down), Move::NextRow);
    EXPECT_EQ(control.key(Key::PageUp), Move::PreviousPage);
    EXPECT_EQ(control.key(Key::PageDown), Move::NextPage);
    EXPECT_EQ(control.key(Key::Tab), Move::NextCell);
    EXPECT_EQ(control.value(), 0);

    // The plain text field takes zeros and ones and pads on Enter.
    for (char key : std::string("01\b"))
        EXPECT_TRUE(BitValueControl::acceptsTextKey(key));
    for (char key : std::string("2a -"))
        EXPECT_FALSE(BitValueControl::acceptsTextKey(key));
    EXPECT_EQ(BitValueControl::padText("101"), "00000101");
    EXPECT_EQ(BitValueControl::padText("11111111"), "11111111");
}

}  // namespace
}  // namespace kelcc::core::cnc_data
