#include "plc_tables/data_table_model.h"

#include <cstdio>

#include "plc/plc_address.h"
#include "plc_tables/cell_rules.h"

namespace kelcc::core::plc_tables {

using Status = CommitResult::Status;

DataTableModel::DataTableModel(plc::PlcDocument& doc, Table table)
    : PlcTableModel(doc), m_table(table) {}

int DataTableModel::rowCount() const {
    return m_table == Table::D ? plc::PlcDocument::kDCount : plc::PlcDocument::kDcCount;
}

std::string DataTableModel::header(int column) const {
    static const char* const kD[] = {"D地址(1字节)", "数据值(十进制)", "中文注释(长度小于15个汉字)",
                                     "英文注释(长度小于30个英文字符)"};
    static const char* const kWord[] = {"",
                                        "数据值(十进制)",
                                        "最大值(十进制)",
                                        "最小值(十进制)",
                                        "中文注释(长度小于15个汉字)",
                                        "英文注释(长度小于30个英文字符)"};
    if (column < 0 || column >= columnCount()) return {};
    if (m_table == Table::D) return kD[column];
    if (column == kAddress) return m_table == Table::DC ? "DC地址(4字节)" : "DT地址(4字节)";
    return kWord[column];
}

const plc::DataWordRecord& DataTableModel::word(int row) const {
    return m_table == Table::DC ? m_doc.dcTable()[static_cast<std::size_t>(row)]
                                : m_doc.dtTable()[static_cast<std::size_t>(row)];
}

bool DataTableModel::setWord(int row, const plc::DataWordRecord& record) {
    return m_table == Table::DC ? m_doc.setDc(row, record) : m_doc.setDt(row, record);
}

std::pair<std::string, std::string> DataTableModel::comments(int row) const {
    if (m_table == Table::D) {
        const auto& rec = m_doc.dTable()[static_cast<std::size_t>(row)];
        return {rec.commentZh, rec.commentEn};
    }
    return {word(row).commentZh, word(row).commentEn};
}

bool DataTableModel::setComments(int row, std::string zh, std::string en) {
    if (m_table == Table::D) return m_doc.setDComments(row, std::move(zh), std::move(en));
    plc::DataWordRecord rec = word(row);
    rec.commentZh = std::move(zh);
    rec.commentEn = std::move(en);
    return setWord(row, rec);
}

std::string DataTableModel::text(int row, int column) const {
    if (row < 0 || row >= rowCount()) return {};
    char buffer[16];
    if (column == kAddress) {
        const char* format =
            m_table == Table::D ? "D%04d" : (m_table == Table::DC ? "DC%04d" : "DT%04d");
        std::snprintf(buffer, sizeof buffer, format, row);
        return buffer;
    }
    if (column == zhColumn()) return CellRules::shown(comments(row).first);
    if (column == enColumn()) return CellRules::shown(comments(row).second);
    std::uint32_t value = 0;
    if (m_table == Table::D) {
        value = m_doc.dTable()[static_cast<std::size_t>(row)].value;
    } else {
        const auto& rec = word(row);
        value = column == kValue ? rec.value : (column == kMaximum ? rec.second : rec.third);
    }
    std::snprintf(buffer, sizeof buffer, "%u", value);
    return buffer;
}

CellEditor DataTableModel::editor(int, int column) const {
    if (column <= kAddress || column >= columnCount()) return {};
    if (column >= zhColumn()) return {CellEditor::Kind::Text, CellRules::kTextChars, 0};
    if (m_table == Table::D) return {CellEditor::Kind::Number, 3, 255};
    return {CellEditor::Kind::Number, 10, kWordMax};
}

CommitResult DataTableModel::commit(int row, int column, std::string_view text, Mode mode) {
    plc::PlcDocument::Edit step(m_doc, stepText(column));
    CommitResult result;
    const CellEditor edit = editor(row, column);
    const auto refuse = [&](const std::string& message, const char* caption) {
        result.status = Status::Refused;
        if (!message.empty()) result.messages.push_back({message, caption});
        result.shown = this->text(row, column);
        return result;
    };
    if (row < 0 || row >= rowCount() || !edit.editable()) return refuse({}, kCaption);
    std::string message;
    if (column == zhColumn()) {
        // The English comment follows the Chinese one; it can be changed
        // on its own afterwards.
        const auto gbk = CellRules::fileText(text, message);
        if (!gbk) return refuse(message, kCaption);
        setComments(row, *gbk, *gbk);
        result.redraw.push_back({row, enColumn()});
    } else if (column == enColumn()) {
        bool cut = false;
        const std::string english = CellRules::englishPart(text, cut);
        if (cut && mode == Mode::Strict)
            return refuse(CellRules::kEnglishText, CellRules::kEnglishCaption);
        const auto gbk = CellRules::fileText(english, message);
        if (!gbk) return refuse(message, kCaption);
        if (cut) {
            result.status = Status::Adjusted;
            result.messages.push_back({CellRules::kEnglishText, CellRules::kEnglishCaption});
        }
        setComments(row, comments(row).first, *gbk);
    } else {
        const auto number = CellRules::number(text, edit.maxChars, edit.maxValue, message);
        if (!number) return refuse(message, kCaption);
        const auto value = static_cast<std::uint32_t>(*number);
        if (m_table == Table::D) {
            m_doc.setD(row, static_cast<std::uint8_t>(value));
        } else {
            plc::DataWordRecord rec = word(row);
            // Only a new limit pulls the value into range; the value itself
            // is not checked against them.
            if (column == kValue) {
                rec.value = value;
            } else if (column == kMaximum) {
                rec.second = value;
                if (rec.value > value) rec.value = value;
            } else {
                rec.third = value;
                if (rec.value < value) rec.value = value;
            }
            if (rec.value != word(row).value && column != kValue)
                result.redraw.push_back({row, kValue});
            setWord(row, rec);
        }
    }
    result.shown = this->text(row, column);
    return result;
}

int DataTableModel::rowOf(std::string_view key) const {
    const std::string letters = m_table == Table::D ? "D" : (m_table == Table::DC ? "DC" : "DT");
    if (key.substr(0, letters.size()) != letters) return -1;
    const std::string_view digits = key.substr(letters.size());
    if (digits.size() != 4) return -1;
    const auto number = plc::DecimalValue(digits);
    if (!number || *number >= static_cast<std::uint64_t>(rowCount())) return -1;
    return static_cast<int>(*number);
}

std::vector<int> DataTableModel::commitOrder() const {
    if (m_table == Table::D) return {kValue, zhColumn(), enColumn()};
    return {kMaximum, kMinimum, kValue, zhColumn(), enColumn()};
}

}  // namespace kelcc::core::plc_tables
