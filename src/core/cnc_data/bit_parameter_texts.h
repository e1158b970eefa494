#pragma once

#include <string_view>
#include "common/language.h"

#include "cnc_data/value_constraint.h"

namespace kelcc::core::cnc_data {

// The mnemonic rows and bit descriptions of the 30 bit parameters. Each
// mnemonic row lists BIT7 first; descriptions are "BITn:1/0:" followed by
// the meaning of 1 and of 0.
class BitParameterTexts final {
public:
    static constexpr int kRows = 30;
    static constexpr int kBits = 8;
    // The controller's tables keep a mnemonic row in an 80-byte field.
    static constexpr int kMnemonicFieldBytes = 80;

    // Empty for an index out of range.
    static std::string_view mnemonics(int bitIndex, common::Language language) noexcept;
    static std::string_view description(int bitIndex, int bit, common::Language language) noexcept;
};

}  // namespace kelcc::core::cnc_data
