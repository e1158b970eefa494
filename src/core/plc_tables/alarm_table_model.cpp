#include "plc_tables/alarm_table_model.h"

#include <cstdio>

#include "plc/plc_address.h"
#include "plc_tables/cell_rules.h"

namespace kelcc::core::plc_tables {

using Status = CommitResult::Status;

namespace {

// The row of an alarm list entry ("A0001.3\t1011\ttext"), or -1.
int rowOfEntry(const std::string& entry) {
    const auto tab = entry.find('\t');
    const auto address = plc::ParsePlcAddress(std::string_view(entry).substr(0, tab));
    if (!address || address->letters != "A" || !address->bit) return -1;
    const auto row = static_cast<std::int64_t>(address->number) * 8 + *address->bit;
    return row < AlarmTableModel::kRows ? static_cast<int>(row) : -1;
}

std::string addressOf(int row) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "A%04d.%d", row / 8, row % 8);
    return buffer;
}

}  // namespace

AlarmTableModel::AlarmTableModel(plc::PlcDocument& doc) : PlcTableModel(doc) {
    refresh();
}

void AlarmTableModel::refresh() {
    m_index.assign(kRows, -1);
    const auto& alarms = m_doc.alarms();
    for (std::size_t i = 0; i < alarms.size(); ++i) {
        const int row = rowOfEntry(alarms[i]);
        if (row >= 0 && m_index[static_cast<std::size_t>(row)] < 0)
            m_index[static_cast<std::size_t>(row)] = static_cast<int>(i);
    }
}

std::string AlarmTableModel::header(int column) const {
    static const char* const kHeaders[] = {"地址", "信息号", "显示信息"};
    return column >= 0 && column < 3 ? kHeaders[column] : "";
}

AlarmTableModel::Entry AlarmTableModel::entry(int row) const {
    const int index = m_index[static_cast<std::size_t>(row)];
    if (index < 0) {
        const auto waiting = m_waiting.find(row);
        return {{}, waiting == m_waiting.end() ? std::string() : waiting->second};
    }
    const std::string& line = m_doc.alarms()[static_cast<std::size_t>(index)];
    const auto first = line.find('\t');
    const auto second = first == std::string::npos ? first : line.find('\t', first + 1);
    Entry e;
    if (first != std::string::npos)
        e.number =
            line.substr(first + 1, second == std::string::npos ? second : second - first - 1);
    if (second != std::string::npos) e.text = line.substr(second + 1);
    return e;
}

std::string AlarmTableModel::text(int row, int column) const {
    if (row < 0 || row >= kRows) return {};
    switch (column) {
        case kAddress:
            return addressOf(row);
        case kNumber:
            return entry(row).number;
        case kText:
            return CellRules::shown(entry(row).text);
        default:
            return {};
    }
}

CellEditor AlarmTableModel::editor(int, int column) const {
    if (column == kNumber) return {CellEditor::Kind::Number, 4, 9999};
    if (column == kText) return {CellEditor::Kind::Text, CellRules::kTextChars, 0};
    return {};
}

void AlarmTableModel::store(int row, const Entry& changed) {
    // Rebuilt in row order; entries that name no row of the table (read
    // from a file) stay behind the rows.
    std::vector<std::string> alarms;
    std::vector<bool> used(m_doc.alarms().size(), false);
    for (int r = 0; r < kRows; ++r) {
        const int index = m_index[static_cast<std::size_t>(r)];
        if (index >= 0) used[static_cast<std::size_t>(index)] = true;
        const Entry e = r == row ? changed : entry(r);
        if (e.number.empty()) continue;
        alarms.push_back(addressOf(r) + '\t' + e.number + '\t' + e.text);
    }
    for (std::size_t i = 0; i < used.size(); ++i)
        if (!used[i]) alarms.push_back(m_doc.alarms()[i]);
    if (changed.number.empty() && !changed.text.empty())
        m_waiting[row] = changed.text;
    else
        m_waiting.erase(row);
    m_doc.setAlarms(std::move(alarms));
    refresh();
}

CommitResult AlarmTableModel::commit(int row, int column, std::string_view text, Mode mode) {
    plc::PlcDocument::Edit step(m_doc, stepText(column));
    CommitResult result;
    const auto refuse = [&](std::string message) {
        result.status = Status::Refused;
        if (!message.empty()) result.messages.push_back({std::move(message), kCaption});
        result.shown = this->text(row, column);
        return result;
    };
    if (row < 0 || row >= kRows || !editor(row, column).editable()) return refuse({});
    Entry e = entry(row);
    std::string message;
    if (column == kText) {
        const auto gbk = CellRules::fileText(text, message);
        if (!gbk) return refuse(message);
        e.text = *gbk;
    } else if (text.empty()) {
        e.number.clear();
    } else {
        auto value = plc::DecimalValue(text);
        if (!value) return refuse(CellRules::kNotNumberText);
        if (mode == Mode::Strict && (text.size() > 4 || *value < 1000 || *value > 9999))
            return refuse(*value < 1000 ? kTooSmallText : kNumberRangeText);
        if (*value < 1000) {
            result.messages.push_back({kTooSmallText, kCaption});
            result.status = Status::Adjusted;
            value = 1000;
        } else if (*value > 9999) {
            result.status = Status::Adjusted;
            value = 9999;
        }
        const std::string number = std::to_string(*value);
        for (int r = 0; r < kRows; ++r) {
            if (r == row || entry(r).number != number) continue;
            std::string duplicate = kDuplicateFormat;
            duplicate.replace(duplicate.find("%1"), 2, number);
            result.messages.push_back({std::move(duplicate), kCaption});
            result.status = Status::Refused;
            result.shown = this->text(row, column);
            return result;
        }
        e.number = number;
    }
    store(row, e);
    result.shown = this->text(row, column);
    return result;
}

}  // namespace kelcc::core::plc_tables
