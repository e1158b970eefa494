#include <gtest/gtest.h>

#include <string>

#include "cnc_data/bit_value_control.h"
#include "cnc_data/numeric_entry.h"
#include "cnc_data/parameter_catalogue.h"

namespace kelcc::core::cnc_data {
namespace {

ValueConstraint ruleOf(int number) {
    return *ParameterCatalogue::constraint(number);
}

constexpr ValueConstraint kThreadAngle{ValueKind::ThreadAngle, 2, 80, 0};

struct KeyCase {
    int number;
    std::string text;
    bool wholeSelected;
    char key;
    bool accepted;
};

class NumericTypingTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(NumericTypingTest, Filter) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(NumericEntry(ruleOf(c.number)).accepts(c.key, c.text, c.wholeSelected), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NumericTypingTest,
    ::testing::Values(KeyCase{22, "123", false, '4', true},
                      KeyCase{22, "1234", false, '5', false},  // four digits at most
                      KeyCase{22, "1234", true, '5', true}, KeyCase{22, "12", false, '\b', true},
                      KeyCase{22, "", false, '-', false},  // kind 5, range from 10
                      KeyCase{22, "", false, 'a', false}, KeyCase{21, "12", true, '-', true},
                      KeyCase{21, "12", false, '-', false},  // not first
                      KeyCase{21, "-", true, '-', false},    // already signed
                      KeyCase{45, "-999999", false, '9', true},
                      KeyCase{115, "", false, '-', true}));  // kind 5 whose range goes negative

struct NormaliseCase {
    ValueConstraint rule;
    std::string text;
    std::string shown;
};

class NormaliseTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseTest, ValueShownWhenLeavingTheField) {
    const NormaliseCase& c = GetParam();
    EXPECT_EQ(NumericEntry(c.rule).normalise(c.text), c.shown) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NormaliseTest,
    ::testing::Values(
        NormaliseCase{ruleOf(44), "57599", "38400"}, NormaliseCase{ruleOf(44), "100", "2400"},
        NormaliseCase{ruleOf(44), "999999", "115200"}, NormaliseCase{ruleOf(44), "9600", "9600"},
        NormaliseCase{ruleOf(21), "-2500", "-2000"}, NormaliseCase{ruleOf(21), "-", "0"},
        NormaliseCase{ruleOf(21), "", ""}, NormaliseCase{ruleOf(22), "5", "10"},
        NormaliseCase{ruleOf(22), "0012", "12"}, NormaliseCase{ruleOf(27), "9999999999", "8000"},
        NormaliseCase{ruleOf(154), "-99999999999999999999", "-99999999"},
        NormaliseCase{kThreadAngle, "-5", "0"}, NormaliseCase{kThreadAngle, "28", "0"},
        NormaliseCase{kThreadAngle, "29", "29"}, NormaliseCase{kThreadAngle, "54", "30"},
        NormaliseCase{kThreadAngle, "55", "55"}, NormaliseCase{kThreadAngle, "61", "60"},
        NormaliseCase{kThreadAngle, "99", "80"}));

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
}

TEST(BitValueControlTest, PlainTextFieldTakesZerosAndOnesAndPadsOnEnter) {
    for (char key : std::string("01\b"))
        EXPECT_TRUE(BitValueControl::acceptsTextKey(key));
    for (char key : std::string("2a -"))
        EXPECT_FALSE(BitValueControl::acceptsTextKey(key));
    EXPECT_EQ(BitValueControl::padText("101"), "00000101");
    EXPECT_EQ(BitValueControl::padText("11111111"), "11111111");
}

}  // namespace
}  // namespace kelcc::core::cnc_data
