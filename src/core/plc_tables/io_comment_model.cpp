#include "plc_tables/io_comment_model.h"

#include <algorithm>
#include <cstdio>

#include "plc/address_check.h"
#include "plc/plc_address.h"
#include "plc_tables/cell_rules.h"

namespace kelcc::core::plc_tables {

using plc::AddressCheckResult;
using Status = CommitResult::Status;

namespace {

// A record's number may leave rows empty before it; a broken file must not
// make thousands of them.
constexpr std::uint64_t kMaxNumber = 9999;
constexpr int kAddressChars = 8;

std::string numberText(int row) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", row + 1);
    return buffer;
}

std::string formatted(const char* format, const std::string& argument) {
    std::string text = format;
    text.replace(text.find("%1"), 2, argument);
    return text;
}

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

IoCommentModel::IoCommentModel(plc::PlcDocument& doc) : PlcTableModel(doc) {
    refresh();
}

void IoCommentModel::refresh() {
    m_index.clear();
    const auto& records = m_doc.ioComments();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string_view record = records[i];
        const auto number = plc::DecimalValue(record.substr(0, record.find('\t')));
        const std::size_t next = m_index.size();
        std::size_t at = next;
        if (number && *number > next && *number <= kMaxNumber)
            at = static_cast<std::size_t>(*number - 1);
        m_index.resize(at, -1);
        m_index.push_back(static_cast<int>(i));
    }
}

IoCommentModel::Row IoCommentModel::row(int index) const {
    if (index < 0 || index >= static_cast<int>(m_index.size())) return {};
    const int record = m_index[static_cast<std::size_t>(index)];
    if (record < 0) return {};
    const std::string& line = m_doc.ioComments()[static_cast<std::size_t>(record)];
    std::string fields[4];
    std::size_t start = 0;
    for (int f = 0; f < 4 && start <= line.size(); ++f) {
        const std::size_t tab = f < 3 ? line.find('\t', start) : std::string::npos;
        fields[f] = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return {fields[1], fields[2], fields[3]};
}

std::vector<IoCommentModel::Row> IoCommentModel::rows() const {
    std::vector<Row> list;
    list.reserve(m_index.size());
    for (int i = 0; i < static_cast<int>(m_index.size()); ++i)
        list.push_back(row(i));
    return list;
}

void IoCommentModel::store(std::vector<Row> list) {
    while (!list.empty() && list.back().address.empty())
        list.pop_back();
    std::vector<std::string> records;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Row& r = list[i];
        if (r.address.empty()) continue;
        records.push_back(numberText(static_cast<int>(i)) + '\t' + r.address + '\t' + r.zh + '\t' +
                          r.en);
    }
    m_doc.setIoComments(std::move(records));
    refresh();
}

std::string IoCommentModel::header(int column) const {
    static const char* const kHeaders[] = {"序号", "地址", "中文注释(长度小于15个汉字)",
                                           "英文注释(长度小于30个英文字符)"};
    return column >= 0 && column < 4 ? kHeaders[column] : "";
}

std::string IoCommentModel::text(int index, int column) const {
    if (index < 0 || index >= rowCount()) return {};
    if (column == kNumber) return numberText(index);
    const Row r = row(index);
    switch (column) {
        case kAddress:
            return r.address;
        case kZh:
            return CellRules::shown(r.zh);
        case kEn:
            return CellRules::shown(r.en);
        default:
            return {};
    }
}

CellEditor IoCommentModel::editor(int, int column) const {
    if (column == kAddress) return {CellEditor::Kind::Text, kAddressChars, 0, true};
    if (column == kZh || column == kEn) return {CellEditor::Kind::Text, CellRules::kTextChars, 0};
    return {};
}

int IoCommentModel::rowOf(std::string_view key) const {
    const auto number = plc::DecimalValue(key);
    if (!number || *number == 0 || *number > kMaxNumber) return -1;
    return static_cast<int>(*number - 1);
}

std::optional<std::string> IoCommentModel::checkAddress(std::string_view typed,
                                                        std::string& message) {
    const std::string text = CellRules::upper(typed);
    const char letter = text.empty() ? '\0' : text[0];
    if (letter == 'X' || letter == 'Y' || letter == 'R' || letter == 'K') {
        const bool bit = text.find('.', 1) != std::string::npos;
        const auto checked = plc::AddressCheck(text, plc::AddressClass::BitIn, !bit, false);
        if (checked.ok()) return checked.canonical;
        message = checked.result == AddressCheckResult::CheckBadRange ? kBadRangeText
                  : checked.result == AddressCheckResult::CheckBadBit ? kBadBitText
                                                                      : kBadAddressText;
        return std::nullopt;
    }
    if (letter == 'T' || letter == 'C') {
        const auto checked = plc::AddressCheck(text, plc::AddressClass::FindByte, true, true);
        if (checked.ok()) return checked.canonical;
        message =
            checked.result == AddressCheckResult::CheckBadRange ? kBadRangeText : kBadFormatText;
        return std::nullopt;
    }
    message = kWrongLetterText;
    return std::nullopt;
}

CommitResult IoCommentModel::commit(int index, int column, std::string_view text, Mode mode) {
    plc::PlcDocument::Edit step(m_doc, stepText(column));
    CommitResult result;
    const auto refuse = [&](std::string message, const char* caption = kCaption) {
        result.status = Status::Refused;
        if (!message.empty()) result.messages.push_back({std::move(message), caption});
        result.shown = this->text(index, column);
        return result;
    };
    if (index < 0 || !editor(index, column).editable()) return refuse({});
    std::vector<Row> list = rows();
    if (index >= static_cast<int>(list.size())) list.resize(static_cast<std::size_t>(index) + 1);
    Row& r = list[static_cast<std::size_t>(index)];
    std::string message;
    if (column == kAddress) {
        if (text.empty()) {
            r = {};
        } else {
            const auto address = checkAddress(text, message);
            if (!address) return refuse(message);
            for (std::size_t i = 0; i < list.size(); ++i)
                if (static_cast<int>(i) != index && list[i].address == *address)
                    return refuse(formatted(kDuplicateFormat, *address));
            r.address = *address;
        }
    } else {
        if (r.address.empty()) {
            if (!text.empty()) return refuse(kNoAddressText);
            result.shown.clear();
            return result;
        }
        std::string utf8(text);
        if (column == kEn) {
            bool cut = false;
            utf8 = CellRules::englishPart(text, cut);
            if (cut && mode == Mode::Strict)
                return refuse(CellRules::kEnglishText, CellRules::kEnglishCaption);
            if (cut) {
                result.status = Status::Adjusted;
                result.messages.push_back({CellRules::kEnglishText, CellRules::kEnglishCaption});
            }
        }
        const auto gbk = CellRules::fileText(utf8, message);
        if (!gbk) return refuse(message);
        (column == kZh ? r.zh : r.en) = *gbk;
    }
    store(std::move(list));
    result.shown = this->text(index, column);
    return result;
}

bool IoCommentModel::insertRow(int before) {
    std::vector<Row> list = rows();
    if (before < 0 || before >= static_cast<int>(list.size())) return false;
    list.insert(list.begin() + before, Row{});
    store(std::move(list));
    return true;
}

bool IoCommentModel::deleteRow(int index) {
    std::vector<Row> list = rows();
    if (index < 0 || index >= static_cast<int>(list.size())) return false;
    list.erase(list.begin() + index);
    const auto before = m_doc.ioComments();
    store(std::move(list));
    return m_doc.ioComments() != before;
}

bool IoCommentModel::sortRows() {
    std::vector<Row> list = rows();
    std::stable_sort(list.begin(), list.end(), [](const Row& a, const Row& b) {
        if (a.address.empty() != b.address.empty()) return b.address.empty();
        return a.address < b.address;
    });
    const auto before = m_doc.ioComments();
    store(std::move(list));
    return m_doc.ioComments() != before;
}

CommitResult IoCommentModel::add(std::string_view address, std::string_view zh,
                                 std::string_view en) {
    // Everything is checked before anything is stored: the new row is one
    // edit or none.
    CommitResult result;
    result.status = Status::Refused;
    std::string message;
    const auto canonical = checkAddress(address, message);
    std::optional<std::string> zhGbk, enGbk;
    bool cut = false;
    const std::string english = CellRules::englishPart(en, cut);
    if (!canonical) {
        result.messages.push_back({message, kCaption});
    } else if (find(FindBy::Address, *canonical, -1) >= 0) {
        result.messages.push_back({formatted(kDuplicateFormat, *canonical), kCaption});
    } else if (!(zhGbk = CellRules::fileText(zh, message))) {
        result.messages.push_back({message, kCaption});
    } else if (cut) {
        result.messages.push_back({CellRules::kEnglishText, CellRules::kEnglishCaption});
    } else if (!(enGbk = CellRules::fileText(english, message))) {
        result.messages.push_back({message, kCaption});
    } else {
        std::vector<Row> list = rows();
        list.push_back({*canonical, *zhGbk, *enGbk});
        const int index = static_cast<int>(list.size()) - 1;
        store(std::move(list));
        result.status = Status::Stored;
        result.redraw.push_back({index, kAddress});
        result.shown = *canonical;
    }
    return result;
}

int IoCommentModel::find(FindBy by, std::string_view query, int from) const {
    const int count = static_cast<int>(m_index.size());
    if (count == 0 || query.empty()) return -1;
    std::string address = CellRules::upper(query);
    if (by == FindBy::Address) {
        if (const auto parsed = plc::ParsePlcAddress(address)) address = parsed->text();
    }
    if (by == FindBy::Number) {
        const auto number = plc::DecimalValue(query);
        return number && *number >= 1 && *number <= static_cast<std::uint64_t>(count)
                   ? static_cast<int>(*number - 1)
                   : -1;
    }
    const std::string needle = lower(std::string(query));
    for (int step = 1; step <= count; ++step) {
        const int index = ((from < 0 ? -1 : from) + step) % count;
        const Row r = row(index);
        if (by == FindBy::Address && !r.address.empty() && r.address == address) return index;
        if (by == FindBy::Comment && !r.address.empty() &&
            (lower(CellRules::shown(r.zh)).find(needle) != std::string::npos ||
             lower(CellRules::shown(r.en)).find(needle) != std::string::npos))
            return index;
    }
    return -1;
}

}  // namespace kelcc::core::plc_tables
