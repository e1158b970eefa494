#pragma once

#include <string>
#include <string_view>

#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// A plain text form of the ladder for tools and tests. One line per occupied
// cell, rows then columns ascending:
//   ROW<TAB>COLUMN<TAB>KIND<TAB>ELEMENT<TAB>VLINK<TAB>TEXT
// and "#ROW<TAB>TEXT" for a row comment (written before the row's cells).
// Empty lines are ignored. Texts are UTF-8 here and GBK in the grid.
class GridText final {
public:
    struct ParseResult {
        bool ok = false;
        int line = 0;  // 1-based line of the first error
        std::string error;
    };

    static std::string format(const plc::PlcDocument& doc);
    // Fills the document's grid and row comments (raw: no modified marks).
    // On an error the document is left as it was.
    static ParseResult parse(std::string_view text, plc::PlcDocument& doc);
};

}  // namespace kelcc::core::compiler
