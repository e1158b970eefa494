#pragma once

#include <string>
#include <string_view>

#include "plc/plc_document.h"

namespace kelcc::core::ladder_editor {

// The recovery copy of a PLC program: what its program file would hold
// (instruction list, tables, texts) and the ladder as drawn, which need not
// compile yet.
class LadderRecovery final {
public:
    static std::string content(const plc::PlcDocument& doc);
    // The copy in place of the document's content, which is then modified;
    // false with the document unchanged when the copy cannot be read.
    static bool restore(plc::PlcDocument& doc, std::string_view content, std::string& error);
};

}  // namespace kelcc::core::ladder_editor
