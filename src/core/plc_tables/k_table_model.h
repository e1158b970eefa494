#pragma once

#include <array>
#include <cstdint>

#include "plc_tables/plc_table_model.h"

namespace kelcc::core::plc_tables {

// The 40 K bytes as a table (byte values, for the clipboard and the
// command-line tool), and the row texts of the K value dialog, which edits
// them bit by bit. The description of a byte or bit is its I/O address
// comment.
class KTableModel final : public PlcTableModel {
public:
    enum Column { kAddress = 0, kValue = 1 };
    static constexpr int kRows = plc::PlcDocument::kKCount;
    static constexpr const char* kStepText = "K值设置";

    explicit KTableModel(plc::PlcDocument& doc) : PlcTableModel(doc) {}

    int rowCount() const override { return kRows; }
    int columnCount() const override { return 2; }
    std::string header(int column) const override;
    std::string text(int row, int column) const override;
    CellEditor editor(int row, int column) const override;
    CommitResult commit(int row, int column, std::string_view text, Mode mode) override;

    // "K%04d  %s" and "BIT%d   %s" with the comment (Chinese, or English
    // when `english`).
    std::string byteText(int row, bool english) const;
    std::string bitText(int row, int bit, bool english) const;

    // The dialog's OK: all 40 bytes as one edit; false when none changed.
    bool store(const std::array<std::uint8_t, kRows>& values);

private:
    std::string comment(const std::string& address, bool english) const;
};

}  // namespace kelcc::core::plc_tables
