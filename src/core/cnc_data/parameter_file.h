#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cnc_data/parameter_catalogue.h"

namespace kelcc::core::cnc_data {

// The two parameter files, ParaB.par (bit parameters) and ParaW.par (data
// parameters): the four bytes 03 04 05 06, then one ParameterLine
// ("%04d" tab value) per non-empty entry in index order, each ended by
// CR LF.
//
// Reading keeps every accepted line as it stands, so a file this system or
// the controller wrote reads and writes back byte for byte. A line is
// accepted only when its index (the decimal digits before the first tab) is
// below the file's limit and its value is well formed: 1-8 characters '0'
// or '1' for a bit parameter, a decimal number within 32 bits for a data
// parameter. Anything else is ignored, so a damaged file can never put a
// value into the table that the editors could not have produced.
class ParameterFile final {
public:
    static constexpr std::string_view kHeader{"\x03\x04\x05\x06", 4};
    static constexpr const char* kBitFileName = "ParaB.par";
    static constexpr const char* kDataFileName = "ParaW.par";
    // Real files are a few kilobytes; larger ones are refused as unreadable
    // instead of being loaded whole.
    static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

    // Entries read from a file: one slot per index (30 bit or 149 data),
    // empty where the file has no line. Empty optional: the header is not
    // 03 04 05 06.
    static std::optional<std::vector<std::string>> read(std::string_view bytes, ParameterKind kind);

    // Writes the header and the non-empty entries with index below `count`.
    static std::string write(const std::vector<std::string>& lines, std::size_t count);

    // Whether `line` is a ParameterLine this reader accepts; gives its index.
    static std::optional<int> lineIndex(std::string_view line, ParameterKind kind);
    // The value part of a line: the text after its first tab.
    static std::string_view lineValue(std::string_view line);
    static std::string formatLine(int index, std::string_view value);
};

}  // namespace kelcc::core::cnc_data
