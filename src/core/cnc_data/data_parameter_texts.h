#pragma once

#include <string_view>
#include "common/language.h"

#include "cnc_data/value_constraint.h"

namespace kelcc::core::cnc_data {

// One description per data parameter 0015-0163; reserved rows read
// "保留" / "Standby".
class DataParameterTexts final {
public:
    static constexpr int kFirstNumber = 15;
    static constexpr int kCount = 149;
    static constexpr std::string_view kReservedZh = "保留";
    static constexpr std::string_view kReservedEn = "Standby";

    // Empty for a number outside 0015-0163.
    static std::string_view description(int number, common::Language language) noexcept;
};

}  // namespace kelcc::core::cnc_data
