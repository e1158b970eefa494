#pragma once

namespace kelcc::core::compiler {

// Outcome of the open check and of the rebuild: the error code (0 = none)
// and the IL step where it was found.
struct StepError {
    int step = -1;
    int code = 0;
    bool ok() const noexcept { return code == 0; }
};

}  // namespace kelcc::core::compiler
