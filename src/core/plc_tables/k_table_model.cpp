#include "plc_tables/k_table_model.h"

#include <cstdio>

#include "plc_tables/cell_rules.h"
#include "plc_tables/io_comment_model.h"

namespace kelcc::core::plc_tables {

namespace {

std::string addressOf(int row) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "K%04d", row);
    return buffer;
}

}  // namespace

std::string KTableModel::header(int column) const {
    return column == kAddress ? "K地址" : column == kValue ? "数据值(十进制)" : "";
}

std::string KTableModel::text(int row, int column) const {
    if (row < 0 || row >= kRows) return {};
    if (column == kAddress) return addressOf(row);
    if (column == kValue) return std::to_string(m_doc.kTable()[static_cast<std::size_t>(row)]);
    return {};
}

CellEditor KTableModel::editor(int, int column) const {
    if (column == kValue) return {CellEditor::Kind::Number, 3, 255};
    return {};
}

CommitResult KTableModel::commit(int row, int column, std::string_view text, Mode) {
    plc::PlcDocument::Edit step(m_doc, stepText(column));
    CommitResult result;
    std::string message;
    const CellEditor edit = editor(row, column);
    const auto value = edit.editable() && row >= 0 && row < kRows
                           ? CellRules::number(text, edit.maxChars, edit.maxValue, message)
                           : std::nullopt;
    if (!value) {
        result.status = CommitResult::Status::Refused;
        if (!message.empty()) result.messages.push_back({message, kStepText});
    } else {
        m_doc.setK(row, static_cast<std::uint8_t>(*value));
    }
    result.shown = this->text(row, column);
    return result;
}

std::string KTableModel::comment(const std::string& address, bool english) const {
    IoCommentModel comments(m_doc);
    const int row = comments.find(IoCommentModel::FindBy::Address, address, -1);
    if (row < 0) return {};
    return comments.text(row, english ? IoCommentModel::kEn : IoCommentModel::kZh);
}

std::string KTableModel::byteText(int row, bool english) const {
    return addressOf(row) + "  " + comment(addressOf(row), english);
}

std::string KTableModel::bitText(int row, int bit, bool english) const {
    return "BIT" + std::to_string(bit) + "   " +
           comment(addressOf(row) + '.' + std::to_string(bit), english);
}

bool KTableModel::store(const std::array<std::uint8_t, kRows>& values) {
    plc::PlcDocument::Edit edit(m_doc, kStepText);
    bool changed = false;
    for (int i = 0; i < kRows; ++i)
        changed = m_doc.setK(i, values[static_cast<std::size_t>(i)]) || changed;
    return changed;
}

}  // namespace kelcc::core::plc_tables
