#pragma once

#include <map>
#include <vector>

#include "plc_tables/plc_table_model.h"

namespace kelcc::core::plc_tables {

// The display information table: one row per alarm bit A0000.0-A0024.7
// with its information number and text. The document's alarm list holds
// the rows that have a number; a text typed into a row without one waits
// here until the row gets a number.
class AlarmTableModel final : public PlcTableModel {
public:
    enum Column { kAddress = 0, kNumber = 1, kText = 2 };
    static constexpr int kRows = 200;
    static constexpr const char* kCaption = "显示信息表";
    static constexpr const char* kTooSmallText =
        "必须设置不小于1000的信息号.\r\n将改为默认最小值1000.";
    static constexpr const char* kDuplicateFormat = "信息号 %1 已存在,请另设置一个.";
    static constexpr const char* kNumberRangeText = "信息号必须为1000～9999.";

    explicit AlarmTableModel(plc::PlcDocument& doc);

    int rowCount() const override { return kRows; }
    int columnCount() const override { return 3; }
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    CellEditor editor(int row, int column) const override;
    CommitResult commit(int row, int column, std::string_view text, Mode mode) override;
    void refresh() override;

private:
    struct Entry {
        std::string number;  // decimal, empty: no display information
        std::string text;    // GBK
    };
    Entry entry(int row) const;
    void store(int row, const Entry& changed);

    std::vector<int> m_index;              // row -> index in the alarm list, -1
    std::map<int, std::string> m_waiting;  // row -> GBK text without a number
};

}  // namespace kelcc::core::plc_tables
