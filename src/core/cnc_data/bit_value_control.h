#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kelcc::core::cnc_data {

// The bit value control of a bit parameter (CBitEdit) without its drawing:
// one byte shown as eight characters, BIT7 first, and a cursor on one bit.
// The owner hears of every change of value or cursor and is told when a key
// leaves the control for a neighbouring cell or row.
class BitValueControl final {
public:
    static constexpr int kBits = 8;
    static constexpr char kBackspace = '\b';

    enum class Key { Left, Right, Up, Down, PageUp, PageDown, Tab, Enter };
    enum class Move { None, PreviousCell, NextCell, PreviousRow, NextRow, PreviousPage, NextPage };

    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

    std::uint8_t value() const noexcept { return m_value; }
    int cursor() const noexcept { return m_cursor; }  // bit number 0-7
    std::string text() const { return format(m_value); }

    bool setValue(std::uint8_t value);
    // Takes 1-8 characters '0' or '1'; returns false for anything else.
    bool setText(std::string_view text);
    // A click on character 0-7 of the text (character 0 is BIT7).
    void click(int character);
    // A double click: toggles the bit under the mouse.
    void doubleClick(int character);
    void toggle();
    Move key(Key key);

    static std::string format(std::uint8_t value);
    static std::optional<std::uint8_t> parse(std::string_view text) noexcept;

    // The plain text field for a bit value takes '0', '1' and backspace;
    // Enter pads its text on the left with '0' to eight characters.
    static bool acceptsTextKey(char key) noexcept;
    static std::string padText(std::string_view text);

private:
    void setCursor(int cursor);
    void changed() const;

    std::uint8_t m_value = 0;
    int m_cursor = 0;
    std::function<void()> m_observer;
};

}  // namespace kelcc::core::cnc_data
