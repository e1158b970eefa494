#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelcc::core::plc {

// Sets of letters an operand accepts.
enum class AddressClass : std::uint8_t {
    BitIn,       // X Y F G R K A
    BitOut,      // Y G R K A
    BitFlag,     // Y G R K
    ByteIn,      // X Y F G R K D A
    ByteSource,  // X Y F G R K D A C T
    ByteDest,    // Y G R K D A C T
    MoveIn,      // X Y F G R K A D
    MoveOut,     // Y G D R K A
    DCOnly,      // DC
    DTOnly,      // DT
    DOnly,       // D
    ConstOnly,   // no letter: a constant is required
    FindByte,    // C T D
    LabelL,      // L
    SubP,        // P
};

enum class AddressCheckResult : std::uint8_t {
    CheckOk = 0,
    CheckEmpty = 1,
    CheckBadType = 2,
    CheckBadRange = 3,
    CheckBadBit = 4,
    CheckBadValue = 5,
};

struct CheckedOperand {
    AddressCheckResult result = AddressCheckResult::CheckEmpty;
    std::string canonical;  // set only with CheckOk

    bool ok() const noexcept { return result == AddressCheckResult::CheckOk; }
};

// The letters of a class, each one character; DCOnly and DTOnly give "DC"
// and "DT", which must both be present at the start of the text.
std::string_view LettersOf(AddressClass addressClass) noexcept;

// The one validator of addresses. Letters are compared as typed: entry
// fields upper-case what the user types, so "x1" is a wrong type here.
CheckedOperand AddressCheck(std::string_view text, AddressClass addressClass, bool byteOperand,
                            bool dcDtAllowed);

// Largest constant of a data length in bytes: 127, 32767 or 2147483647.
// Lengths other than 1 to 4 accept no constant at all (0 is returned and
// OperandCheck refuses every constant).
std::uint64_t ConstantLimit(int lengthBytes) noexcept;

// A text that starts with a digit (or is empty) is a constant limited by
// the data length; anything else goes to AddressCheck unchanged.
CheckedOperand OperandCheck(std::string_view text, AddressClass addressClass, int lengthBytes,
                            bool byteOperand, bool dcDtAllowed);

}  // namespace kelcc::core::plc
