#pragma once

#include "compiler/step_error.h"
#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// The check of a program read from a file: walks the IL once, divides it
// into networks (filling the document's network-to-step table), lists
// jumps, labels, calls and subprograms and runs the cross reference checks.
// Warnings go to the document's warning list without being printed.
//
// The network-to-step table is simply the list of networks in step order,
// without a {-1, -1} end entry. On an error it is left empty, and the
// warning list holds only what was found before the error.
class IlCheck final {
public:
    static StepError checkAndDivide(plc::PlcDocument& doc);
};

}  // namespace kelcc::core::compiler
