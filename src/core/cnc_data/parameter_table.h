#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cnc_data/function_groups.h"
#include "cnc_data/parameter_catalogue.h"
#include "cnc_data/parameter_document.h"

namespace kelcc::core::cnc_data {

// The table of all parameters by number without its grid:
// rows 0001-0200 below a header row, the value cell of every row, the texts
// of the other columns, and the by-function view's reading and writing of
// single bits and values.
//
// Rows 0155-0163 show their values but cannot be edited: their file is
// written without them, so an edit there would be lost silently on save.
class ParameterTable final {
public:
    static constexpr int kRows = 201;
    static constexpr int kColumns = 5;
    enum Column { kNumberColumn, kValueColumn, kTypeColumn, kRangeColumn, kDescriptionColumn };

    struct ColumnHeader {
        std::string_view textZh;
        std::string_view textEn;
        int width;
    };
    static constexpr std::array<ColumnHeader, kColumns> kHeaders = {{
        {"序号", "No.", 60},
        {"参数值", "Value", 80},
        {"数据类型", "Type", 60},
        {"设定范围", "Range", 140},
        {"说明", "Description", 550},
    }};

    ParameterTable();

    // Shows the document's values; no edit, nothing is marked.
    void load(const ParameterDocument& document);

    // Empty for empty rows and numbers outside 1-200.
    const std::string& value(int number) const;
    bool editable(int number) const noexcept;
    // Row 0 is the header row.
    std::string cellText(int row, int column, common::Language language) const;

    // An edit of a value cell. Bit values take 1-8 characters '0'/'1' and
    // are padded to eight; data values are normalised by the row's rule; an
    // empty cell stays empty (Collect stores the default). Returns whether
    // the cell changed; false also for a refused text or row.
    bool setValue(int number, std::string_view text);

    // Collect into the document; see ParameterDocument::collect.
    bool collect(ParameterDocument& document) const;

    // The by-function grid: a switch item shows the option of its bit, a
    // value item the value of its parameter.
    std::string itemText(const GroupItem& item, common::Language language) const;
    int bitOf(int number, int bit) const;
    bool setBit(int number, int bit, bool on);

private:
    std::vector<std::string> m_values;  // indexed by ParameterNumber
};

}  // namespace kelcc::core::cnc_data
