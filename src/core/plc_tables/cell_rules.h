#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/table_model.h"

namespace kelcc::core::plc_tables {

// The PLC tables are grids of the generic table interface.
using common::CellEditor;
using common::CellRef;
using common::CommitResult;
using common::TableMessage;
using common::TableModel;

// Checks shared by the columns of every table: decimal numbers, and texts
// that must fit the program file (its Chinese code page, one line, no TAB).
class CellRules final {
public:
    static constexpr const char* kNotNumberText = "请输入十进制数字.";
    static constexpr const char* kByteRangeText = "数据值必须为0～255.";
    static constexpr const char* kWordRangeText = "数值必须为0～2147483647.";
    static constexpr const char* kTooLongText = "文本不能超过100个字符.";
    static constexpr const char* kNotGbkText = "文本中有程序文件的中文编码(GBK)无法保存的字符.";
    static constexpr const char* kLineBreakText = "文本中不能有制表符或换行符.";
    static constexpr const char* kEnglishText = "英文注释必须输入英文字符.";
    static constexpr const char* kEnglishCaption = "英文注释";
    static constexpr int kTextChars = 100;

    // Decimal digits only, at most maxChars of them, value <= maxValue.
    // Sets `message` to the reason when the text is refused.
    static std::optional<std::uint64_t> number(std::string_view text, int maxChars,
                                               std::uint64_t maxValue, std::string& message);

    // A comment or display text as the program file will hold it (GBK), or
    // nothing with `message` set.
    static std::optional<std::string> fileText(std::string_view utf8, std::string& message);

    // English comments keep only characters below code 127: the text is cut
    // before the first other one. `cut` tells whether that happened.
    static std::string englishPart(std::string_view utf8, bool& cut);

    // GBK bytes as UTF-8 for showing; bytes that are not GBK show as "?".
    static std::string shown(std::string_view gbk);

    static int characters(std::string_view utf8) noexcept;
    // Upper case of the ASCII letters (entry fields upper-case addresses).
    static std::string upper(std::string_view text);
};

}  // namespace kelcc::core::plc_tables
