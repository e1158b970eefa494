#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plc/instruction_code.h"

namespace kelcc::core::plc {

// Width of the mnemonic field at the start of every instruction line.
inline constexpr std::size_t kMnemonicWidth = 8;

inline constexpr std::string_view kEnd1Line = "END1    ";
inline constexpr std::string_view kEnd2Line = "END2    ";
inline constexpr std::string_view kSpeLine = "SPE     ";

// Operands are passed in canonical form; numbers are written "%04d".
// Every builder returns the whole line from the mnemonic on.

// The mnemonic left-justified in its 8-character field, then the operands
// separated by single blanks.
std::string IlLine(std::string_view mnemonic, const std::vector<std::string>& operands);

// "%04d" for any unsigned number (more digits when it needs them).
std::string Pad4(std::uint64_t number);

// The fixed line of END1, END2 and SPE; empty for every other code.
std::string_view FixedLine(InstructionCode code) noexcept;

// SET, RST, ALT, DIFU, DIFD: the mnemonic and one bit address.
std::string BitInstructionText(InstructionCode code, std::string_view bit);

std::string CmpText(int length, std::string_view s1, std::string_view s2, std::string_view out);

// mode: "00", nStart, Up/Down.
std::string CtrcText(std::string_view mode, std::string_view reset, std::uint64_t counter,
                     std::string_view count, std::string_view out);

std::string TmrbText(std::uint64_t timer, std::string_view time, std::string_view out);

std::string MovnText(int length, std::string_view source, std::string_view dest);

std::string DecbText(int length, std::string_view add1, std::string_view data,
                     std::string_view add2);

// The table values follow a lone comma, each preceded by one blank.
std::string CodbText(int length1, int length2, std::string_view in, std::string_view out,
                     const std::vector<std::string>& table);

// JMPB and LBL take a label number (L), CALL and SP a subprogram number (P).
std::string JumpText(InstructionCode code, std::uint64_t number);

// mode: RN0, Dir, Pos, Inc, each "0" or "1".
std::string RotbText(std::string_view mode, std::uint64_t count, int length, std::string_view w,
                     std::string_view d, std::string_view e, std::string_view o);

// oddParity selects O_E "0001", even parity is "0000".
std::string PariText(bool oddParity, std::string_view reset, std::string_view in,
                     std::string_view out);

// ADDB and SUBB share one layout.
std::string ArithmeticText(InstructionCode code, int length, std::string_view first,
                           std::string_view second, std::string_view reset, std::string_view out,
                           std::string_view error);

std::string MoveText(std::string_view high4, std::string_view low4, std::string_view in,
                     std::string_view out);

// The blank-separated words of a line, mnemonic first; runs of blanks count
// as one separator.
std::vector<std::string_view> IlTokens(std::string_view line);

}  // namespace kelcc::core::plc
