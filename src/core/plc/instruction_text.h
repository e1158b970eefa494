#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelcc::core::plc {

// Width of the mnemonic field at the start of every instruction line.
inline constexpr std::size_t kMnemonicWidth = 8;

// The mnemonic left-justified in its 8-character field, then the operands
// separated by single blanks.
std::string IlLine(std::string_view mnemonic, const std::vector<std::string>& operands);

// "%04d" for any unsigned number (more digits when it needs them).
std::string Pad4(std::uint64_t number);

// The blank-separated words of a line, mnemonic first; runs of blanks count
// as one separator.
std::vector<std::string_view> IlTokens(std::string_view line);

}  // namespace kelcc::core::plc
