#include "cnc_data/bit_value_control.h"

namespace kelcc::core::cnc_data {

void BitValueControl::changed() const {
    if (m_observer) m_observer();
}

bool BitValueControl::setValue(std::uint8_t value) {
    if (value == m_value) return false;
    m_value = value;
    changed();
    return true;
}

bool BitValueControl::setText(std::string_view text) {
    const auto value = parse(text);
    if (!value) return false;
    setValue(*value);
    return true;
}

void BitValueControl::setCursor(int cursor) {
    if (cursor < 0 || cursor >= kBits || cursor == m_cursor) return;
    m_cursor = cursor;
    changed();
}

void BitValueControl::click(int character) {
    setCursor(kBits - 1 - character);
}

void BitValueControl::doubleClick(int character) {
    click(character);
    if (character >= 0 && character < kBits) toggle();
}

void BitValueControl::toggle() {
    m_value = static_cast<std::uint8_t>(m_value ^ (1u << m_cursor));
    changed();
}

BitValueControl::Move BitValueControl::key(Key key) {
    switch (key) {
        case Key::Left:
            if (m_cursor == kBits - 1) return Move::PreviousCell;
            setCursor(m_cursor + 1);
            return Move::None;
        case Key::Right:
            if (m_cursor == 0) return Move::NextCell;
            setCursor(m_cursor - 1);
            return Move::None;
        case Key::Enter:
            toggle();
            return Move::None;
        case Key::Up:
            return Move::PreviousRow;
        case Key::Down:
            return Move::NextRow;
        case Key::PageUp:
            return Move::PreviousPage;
        case Key::PageDown:
            return Move::NextPage;
        case Key::Tab:
            return Move::NextCell;
    }
    return Move::None;
}

std::string BitValueControl::format(std::uint8_t value) {
    std::string text(kBits, '0');
    for (int bit = 0; bit < kBits; ++bit) {
        if (value & (1u << bit)) text[static_cast<std::size_t>(kBits - 1 - bit)] = '1';
    }
    return text;
}

std::optional<std::uint8_t> BitValueControl::parse(std::string_view text) noexcept {
    if (text.empty() || text.size() > kBits) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (c != '0' && c != '1') return std::nullopt;
        value = (value << 1) | static_cast<unsigned>(c - '0');
    }
    return static_cast<std::uint8_t>(value);
}

bool BitValueControl::acceptsTextKey(char key) noexcept {
    return key == '0' || key == '1' || key == kBackspace;
}

std::string BitValueControl::padText(std::string_view text) {
    std::string padded(text);
    if (padded.size() < kBits) padded.insert(0, kBits - padded.size(), '0');
    return padded;
}

}  // namespace kelcc::core::cnc_data
