#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cnc_data/value_constraint.h"

namespace kelcc::core::cnc_data {

enum class ParameterKind { Empty, Bit, Data };

// Where a ParameterNumber (0001-0200) lives: bit parameters 0001-0014,
// 0164, 0168 and 0172-0185; data parameters 0015-0163; the rest are empty
// rows of the table.
struct ParameterSlot {
    ParameterKind kind = ParameterKind::Empty;
    int index = -1;  // BitParameterIndex or DataParameterIndex
    bool operator==(const ParameterSlot&) const = default;
};

// Numbering, value rules and texts of all parameters, over the catalogue
// tables (BitParameterTexts, DataParameterTexts, ValueRules).
class ParameterCatalogue final {
public:
    static constexpr int kFirstNumber = 1;
    static constexpr int kLastNumber = 200;
    static constexpr int kBitCount = 30;
    static constexpr int kDataCount = 149;
    // Data parameters past this index have no value rule and are not
    // written to ParaW.par.
    static constexpr int kDataWithRules = 140;
    static constexpr int kFirstDataNumber = 15;

    static ParameterSlot slot(int number) noexcept;
    // 0 for an index out of range.
    static int bitNumber(int bitIndex) noexcept;
    static int dataNumber(int dataIndex) noexcept;

    // Bit rows: kind 1, 8 digits, 0-255. Data rows 0015-0154: their rule.
    // Data rows 0155-0163 and empty rows have none.
    static std::optional<ValueConstraint> constraint(int number) noexcept;

    // The table's "数据类型" and "设定范围" columns; empty where the row has
    // no rule (the range is also empty for bit rows).
    static std::string typeText(int number);
    static std::string rangeText(int number);

    // The "说明" column: the description of a data row or the mnemonic row
    // of a bit row; empty for empty rows.
    static std::string_view description(int number, common::Language language) noexcept;
    // The value a row shows when the document holds nothing for it.
    static std::string_view defaultValue(int number) noexcept;
};

}  // namespace kelcc::core::cnc_data
