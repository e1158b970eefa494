#pragma once

#include "plc_tables/plc_table_model.h"

namespace kelcc::core::plc_tables {

// The data setting tables: D (one byte per entry) and DC, DT (four bytes,
// with a maximum and a minimum). The maximum is the entry's second word,
// the minimum its third.
class DataTableModel final : public PlcTableModel {
public:
    enum class Table { D, DC, DT };
    enum Column { kAddress = 0, kValue = 1 };
    // DC and DT; D has the comments right after the value.
    enum WordColumn { kMaximum = 2, kMinimum = 3 };

    static constexpr const char* kCaption = "数据设置表";
    static constexpr std::uint32_t kWordMax = 2147483647u;

    DataTableModel(plc::PlcDocument& doc, Table table);

    Table table() const noexcept { return m_table; }
    int zhColumn() const noexcept { return m_table == Table::D ? 2 : 4; }
    int enColumn() const noexcept { return zhColumn() + 1; }

    int rowCount() const override;
    int columnCount() const override { return enColumn() + 1; }
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    CellEditor editor(int row, int column) const override;
    CommitResult commit(int row, int column, std::string_view text, Mode mode) override;
    int rowOf(std::string_view key) const override;
    std::vector<int> commitOrder() const override;

private:
    const plc::DataWordRecord& word(int row) const;
    bool setWord(int row, const plc::DataWordRecord& record);
    bool setComments(int row, std::string zh, std::string en);
    std::pair<std::string, std::string> comments(int row) const;

    Table m_table;
};

}  // namespace kelcc::core::plc_tables
