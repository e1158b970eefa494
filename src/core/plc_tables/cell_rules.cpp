#include "plc_tables/cell_rules.h"

#include "common/text_codec.h"
#include "plc/plc_address.h"

namespace kelcc::core::plc_tables {

std::optional<std::uint64_t> CellRules::number(std::string_view text, int maxChars,
                                               std::uint64_t maxValue, std::string& message) {
    const auto value = plc::DecimalValue(text);
    if (!value) {
        message = kNotNumberText;
        return std::nullopt;
    }
    if (static_cast<int>(text.size()) > maxChars || *value > maxValue) {
        message = maxValue <= 255 ? kByteRangeText : kWordRangeText;
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> CellRules::fileText(std::string_view utf8, std::string& message) {
    if (utf8.find_first_of("\t\r\n") != std::string_view::npos) {
        message = kLineBreakText;
        return std::nullopt;
    }
    if (characters(utf8) > kTextChars) {
        message = kTooLongText;
        return std::nullopt;
    }
    common::ConversionResult gbk = common::TextCodec::utf8ToGbk(utf8);
    if (!gbk.ok) {
        message = kNotGbkText;
        return std::nullopt;
    }
    return std::move(gbk.text);
}

std::string CellRules::englishPart(std::string_view utf8, bool& cut) {
    std::size_t end = 0;
    while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 127)
        ++end;
    cut = end < utf8.size();
    return std::string(utf8.substr(0, end));
}

std::string CellRules::shown(std::string_view gbk) {
    common::ConversionResult utf8 = common::TextCodec::gbkToUtf8(gbk);
    if (utf8.ok) return std::move(utf8.text);
    std::string text;
    for (char c : gbk)
        text += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return text;
}

int CellRules::characters(std::string_view utf8) noexcept {
    int count = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::string CellRules::upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace kelcc::core::plc_tables
