#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "plc/address_check.h"

namespace kelcc::core::plc {

enum class FieldKind : std::uint8_t {
    Text,    // address or constant; typed letters become upper case
    Digits,  // accepts decimal digits only
    Combo,   // a fixed list of items, one selected
    List,    // the CODB conversion table: one entry per line
};

// How OK judges a field.
enum class FieldCheck : std::uint8_t {
    None,     // a combo that any of its items satisfies
    Address,  // AddressCheck
    Operand,  // OperandCheck with the field's data length
    Range,    // digits, empty reads as 0, value below `limit` (counter, timer)
    Number,   // digits, empty reads as 0, no range (label, subprogram)
    Mask,     // exactly four characters, each "0" or "1"
    Mode,     // combo whose item index is one mode character "0"/"1"
    Count,    // digits, 1 <= value <= largest constant of the data length
    Table,    // every list entry 1-10 digits and at most the table maximum
};

inline constexpr int kNoField = -1;

// One field of an operand form: everything a dialog needs to draw it and
// everything OK needs to judge it.
struct OperandField {
    std::string_view name{};     // operand name as the controller's manual writes it
    std::string_view caption{};  // the caption shown beside the field
    FieldKind kind = FieldKind::Text;
    std::size_t maxChars = 0;               // text and digits fields; per entry for a list
    std::vector<std::string_view> items{};  // combo items, first is the default
    std::string_view prefix{};   // fixed text shown before the field ("C", "T", "L", "P")
    std::string_view initial{};  // text of a new form's field

    FieldCheck check = FieldCheck::None;
    AddressClass addressClass = AddressClass::ConstOnly;
    bool byteOperand = false;
    bool dcDtAllowed = false;
    int lengthField = kNoField;  // combo that gives the data length, or
    int fixedLength = 0;         // a data length of its own
    std::uint32_t limit = 0;     // Range: numbers must stay below it
    int sizeField = kNoField;    // List: combo whose value n gives 2^n entries
    std::string_view message{};  // empty: the form reports the kind of error

    bool upperCase() const noexcept { return kind == FieldKind::Text; }
};

}  // namespace kelcc::core::plc
