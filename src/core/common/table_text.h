#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelcc::core::common {

// Rows of cell texts as the clipboard (TAB-separated, one row per line, as
// spreadsheets copy them) and as CSV files (comma-separated, RFC 4180
// quoting) carry them. A final line break does not make an empty row.
class TableText final {
public:
    using Rows = std::vector<std::vector<std::string>>;

    static Rows parseTsv(std::string_view text);
    static std::string writeTsv(const Rows& rows);
    // Each row also carries the number of the line it starts on (from 1).
    static Rows parseCsv(std::string_view text, std::vector<int>* lines = nullptr);
    static std::string writeCsv(const Rows& rows);
};

}  // namespace kelcc::core::common
