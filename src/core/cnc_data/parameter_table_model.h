#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cnc_data/parameter_document.h"
#include "cnc_data/parameter_table.h"
#include "common/table_model.h"

namespace kelcc::core::cnc_data {

// The table by number as a grid over the shared parameter document: one
// row per number 0001-0200 that the filter lets through, the value cell
// edited by the row's rule and collected into the document at once, so
// that every edit is one undo step.
class ParameterTableModel final : public common::TableModel {
public:
    explicit ParameterTableModel(ParameterDocument& doc,
                                 common::Language language = common::Language::Chinese);

    ParameterTable& table() noexcept { return m_table; }
    common::Language language() const noexcept { return m_language; }

    // Rows whose number, value rule or description (in either language)
    // contains `filter`, ignoring ASCII case; empty shows every row.
    void setFilter(std::string filter);
    const std::string& filter() const noexcept { return m_filter; }
    static bool matches(int number, std::string_view filter);

    int numberAt(int row) const;
    // The row showing `number`, or -1 when it is filtered out.
    int rowOfNumber(int number) const;

    // Whether the value differs from the one a new project starts with.
    bool differsFromDefault(int number) const;

    // The by-function pane's edits go the same way as the table's.
    bool setValue(int number, std::string_view text);
    bool setBit(int number, int bit, bool on);

    int rowCount() const override;
    int columnCount() const override;
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    common::CellEditor editor(int row, int column) const override;
    common::CommitResult commit(int row, int column, std::string_view text, Mode mode) override;
    bool acceptsInput(int row, int column, std::string_view text) const override;
    bool marked(int row, int column) const override;
    int rowOf(std::string_view key) const override;
    void refresh() override;

    // What a value field of `number` may hold while it is typed.
    static bool acceptsValueInput(int number, std::string_view text);

private:
    ParameterDocument& m_doc;
    ParameterTable m_table;
    common::Language m_language;
    std::string m_filter;
    std::vector<int> m_numbers;  // the rows shown
};

}  // namespace kelcc::core::cnc_data
