#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelcc::core::plc {

// Rules of the CODB conversion table as its list edits it: one entry per
// possible input, each a decimal number not above the table maximum.
inline constexpr std::string_view kCodbTooLongMessage =
    "数据设置错误!请输入小于或等于10个数字字符的数字.";
inline constexpr std::string_view kCodbMaxMessage = "转换表数据设置错误!(最大值为%1!d!)";

// M = 2^(8*length1-1)-2: 126, 32766 or 2147483646. The table stays one
// below the largest constant of its data length. 0 for any other length.
std::uint64_t CodbTableMax(int length1Bytes) noexcept;

// The list line of an entry: "%03d  %s".
std::string CodbTableLine(std::size_t index, std::string_view value);

// Replaces the placeholder "%1!d!" of a message with a number.
std::string WithNumber(std::string_view message, std::uint64_t number);

// 2^length2 entries, each "0" (length2 is clamped to 1-8).
std::vector<std::string> CodbFreshTable(int length2);

// Takes a typed entry. On success the entry holds the plain decimal value
// and nothing is returned; otherwise the entry becomes "0" and the message
// to show is returned.
std::optional<std::string> CodbEditEntry(std::string& entry, std::string_view typed,
                                         int length1Bytes);

// After a change of the data length: entries above the new maximum become
// the maximum. Entries that are no number at all are left for OK to refuse.
void CodbLowerToMax(std::vector<std::string>& entries, int length1Bytes);

// Whether an entry is 1-10 digits and not above the maximum.
bool CodbEntryValid(std::string_view entry, int length1Bytes) noexcept;

}  // namespace kelcc::core::plc
