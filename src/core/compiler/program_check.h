#pragma once

#include <vector>

#include "plc/il_store.h"
#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// The structure check of a freshly compiled instruction list: instruction
// counts, END1/END2, subprograms, then the jump and call cross references.
// Its errors carry no position.
class ProgramCheck final {
public:
    // Each counted instruction may appear this many times.
    static constexpr int kMaxCounted = 100;

    // Returns 0 or the first error code; warnings (Q before P) are appended.
    static int run(const plc::IlStore& il, std::vector<plc::ProgramWarning>& warnings);
};

}  // namespace kelcc::core::compiler
