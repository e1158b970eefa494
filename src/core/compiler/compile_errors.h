#pragma once

#include <string>
#include <string_view>
#include "common/language.h"

namespace kelcc::core::compiler {

// Codes the controller's table has no entry for, used where the program
// would not fit the instruction store or nests blocks too deeply.
inline constexpr int kErrorTooManySteps = 218;
inline constexpr int kErrorBlocksTooDeep = 219;

// The numbered messages shared by the compiler, the ladder rebuild and the
// open check: 1000 entries per language.
class CompileErrors final {
public:
    static constexpr int kTableSize = 1000;

    // The code's text, or the unknown-code text for codes without an entry
    // (and for codes outside 0-999).
    static std::string_view text(int code, common::Language language) noexcept;
    static std::string_view unknownText(common::Language language) noexcept;
    // Whether the table has an entry for the code (an empty English text
    // still counts as an entry).
    static bool hasEntry(int code) noexcept;
};

}  // namespace kelcc::core::compiler
