#pragma once

#include <optional>
#include <vector>

#include "plc_tables/plc_table_model.h"

namespace kelcc::core::plc_tables {

// The I/O address comment list: rows numbered from 1, each an address of
// X, Y, R, K, C or T with a Chinese and an English comment. The document
// holds the rows that have an address as "%04d\t%s\t%s\t%s" records whose
// number is the row's, so a row left empty in between stays where it was.
// One empty row at the end takes new entries.
class IoCommentModel final : public PlcTableModel {
public:
    enum Column { kNumber = 0, kAddress = 1, kZh = 2, kEn = 3 };
    static constexpr const char* kCaption = "显示信息表";
    static constexpr const char* kBadAddressText = "输入的地址错误!";
    static constexpr const char* kBadRangeText = "输入的地址范围超限!";
    static constexpr const char* kBadBitText = "输入的地址位号错误!(0～7)";
    static constexpr const char* kBadFormatText = "输入的地址格式错误!";
    static constexpr const char* kWrongLetterText = "输入必须为X,Y,R,K,C,T地址!";
    static constexpr const char* kDuplicateFormat = "关于地址 %1 的注释已存在.";
    static constexpr const char* kNoAddressText = "请先输入该行的地址.";
    static constexpr const char* kNotFoundText = "没有找到.";

    struct Row {
        std::string address;  // canonical, empty for an empty row
        std::string zh;       // GBK
        std::string en;
        bool operator==(const Row&) const = default;
    };

    enum class FindBy { Address, Number, Comment };

    explicit IoCommentModel(plc::PlcDocument& doc);

    int rowCount() const override { return static_cast<int>(m_index.size()) + 1; }
    int columnCount() const override { return 4; }
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    CellEditor editor(int row, int column) const override;
    CommitResult commit(int row, int column, std::string_view text, Mode mode) override;
    bool growing() const override { return true; }
    int rowOf(std::string_view key) const override;
    void refresh() override;

    // The checks of an address cell: the canonical address or a message.
    static std::optional<std::string> checkAddress(std::string_view text, std::string& message);

    // Context menu commands; each is one edit and renumbers the rows.
    bool insertRow(int before);
    bool deleteRow(int row);
    // By the address text; empty rows go last.
    bool sortRows();
    // A new row at the end with its address and comments (UTF-8), checked
    // as typed cells are; the row or the refusal's message.
    CommitResult add(std::string_view address, std::string_view zh, std::string_view en);
    // The first row after `from` (wrapping round) that matches, or -1.
    int find(FindBy by, std::string_view query, int from) const;

private:
    Row row(int index) const;
    std::vector<Row> rows() const;
    void store(std::vector<Row> rows);

    std::vector<int> m_index;  // row -> record index, -1 for an empty row
};

}  // namespace kelcc::core::plc_tables
