#pragma once

#include <cstdint>
#include <string_view>

namespace kelcc::core::plc {

// Codes of the controller's instructions; the same numbers are the kinds of
// ladder cells (0 also stands for a horizontal line there, 15 for a cell
// that holds only a vertical link).
enum class InstructionCode : std::uint8_t {
    NOP = 0,  // end mark of the instruction list
    LD = 1,
    LDI = 2,
    AND = 3,
    ANI = 4,
    OUT = 6,
    OR = 7,
    ORI = 8,
    ANB = 14,
    ORB = 16,
    END1 = 19,
    END2 = 20,
    SET = 21,
    RST = 22,
    CMP = 23,
    TMRB = 25,
    CTRC = 26,
    MOVN = 27,
    DECB = 28,
    CODB = 29,
    JMPB = 30,
    LBL = 31,
    CALL = 32,
    SP = 33,
    SPE = 34,
    ROTB = 35,
    PARI = 36,
    ADDB = 37,
    SUBB = 38,
    DIFU = 39,
    DIFD = 40,
    MOVE = 41,
    ALT = 42,
    Unknown = 255,
};

inline constexpr int kCellKindLine = 0;           // horizontal line
inline constexpr int kCellKindVerticalLink = 15;  // no element, vertical link only

// Exact, case-sensitive lookup of a program mnemonic; Unknown for any other
// word, "NOP" included (it is never part of a program).
InstructionCode InstructionCodeOf(std::string_view mnemonic) noexcept;

// The mnemonic of a code, or an empty view for codes that have none.
std::string_view MnemonicOf(InstructionCode code) noexcept;

// The ladder column an element of this code is placed in: 8 for a coil, 1
// for the boxes that stand alone on their row (END1, END2, LBL, SP, SPE),
// 7, 6 or 5 for the other function boxes; 0 for contacts and the rest.
int PlacementColumnOf(InstructionCode code) noexcept;

// Function instructions (codes 19-42) in the order the editor lists them.
inline constexpr std::string_view kFunctionInstructionList[] = {
    "ADDB", "ALT",  "DIFD", "DIFU", "CALL", "CMP", "CODB", "CTRC", "DECB", "END1", "END2", "JMPB",
    "LBL",  "MOVN", "MOVE", "PARI", "ROTB", "RST", "SET",  "SP",   "SPE",  "SUBB", "TMRB"};

}  // namespace kelcc::core::plc
