#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "cnc_data/bit_value_control.h"
#include "cnc_data/numeric_entry.h"
#include "cnc_data/parameter_catalogue.h"

namespace kelcc::core::cnc_data {
namespace {

ValueConstraint ruleOf(int number) {
    return *ParameterCatalogue::constraint(number);
}

constexpr ValueConstraint kThreadAngle{ValueKind::ThreadAngle, 2, 80, 0};

TEST(NumericEntryTest, TypingFilter) {
    struct Case {
        int number;
        std::string text;
        bool wholeSelected;
        char key;
        bool accepted;
    };
    const Case cases[] = {{22, "123", false, '4', true},
                          {22, "1234", false, '5', false},  // four digits at most
                          {22, "1234", true, '5', true},
                          {22, "12", false, '\b', true},
                          {22, "", false, '-', false},  // kind 5, range from 10
                          {22, "", false, 'a', false},
                          {21, "12", true, '-', true},
                          {21, "12", false, '-', false},  // not first
                          {21, "-", true, '-', false},    // already signed
                          {45, "-999999", false, '9', true},
                          {115, "", false, '-', true}};  // kind 5 whose range goes negative
    for (const Case& c : cases)
        EXPECT_EQ(NumericEntry(ruleOf(c.number)).accepts(c.key, c.text, c.wholeSelected),
                  c.accepted)
            << c.number << " \"" << c.text << "\" " << c.key;
}

TEST(NumericEntryTest, ValueShownWhenLeavingTheField) {
    const std::tuple<ValueConstraint, std::string, std::string> cases[] = {
        {ruleOf(44), "57599", "38400"},
        {ruleOf(44), "100", "2400"},
        {ruleOf(44), "999999", "115200"},
        {ruleOf(44), "9600", "9600"},
        {ruleOf(21), "-2500", "-2000"},
        {ruleOf(21), "-", "0"},
        {ruleOf(21), "", ""},
        {ruleOf(22), "5", "10"},
        {ruleOf(22), "0012", "12"},
        {ruleOf(27), "9999999999", "8000"},
        {ruleOf(154), "-99999999999999999999", "-99999999"},
        {kThreadAngle, "-5", "0"},
        {kThreadAngle, "28", "0"},
        {kThreadAngle, "29", "29"},
        {kThreadAngle, "54", "30"},
        {kThreadAngle, "55", "55"},
        {kThreadAngle, "61", "60"},
        {kThreadAngle, "99", "80"}};
    for (const auto& [rule, text, shown] : cases)
        EXPECT_EQ(NumericEntry(rule).normalise(text), shown) << text;
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
