#include "ladder_find.h"

#include <algorithm>
#include <cstdio>

#include "common/text_codec.h"
#include "ladder_editor/ladder_editor.h"
#include "plc/address_check.h"
#include "plc/instruction_code.h"

namespace kelcc::core::ladder_editor {

using common::Language;
using plc::AddressCheck;
using plc::AddressClass;
using plc::LadderGrid;

namespace {

struct FindTexts {
    const char* header;  // %s typed text
    const char* start;
    const char* elementHit;   // hit number, row, column
    const char* functionHit;  // hit number, row, IL text
    const char* nothing;
    const char* summary;  // typed text, hits
    const char* title;
};

const FindTexts& textsFor(common::Language language) noexcept {
    static const FindTexts kChinese{
        "---------------- 查找 %s ----------------",
        "开始查找......",
        "    找到 第%4d项 : [行(%d)列(%d)]",
        "    找到 第%4d项 : [行(%d)      ] : %s",
        "未找到符合查找条件的内容!",
        "查找 %s 完毕 : 共找到 %d 项结果.",
        "查找结果",
    };
    static const FindTexts kEnglish{
        "---------------- Find %s ----------------",
        "Searching......",
        "    Found item %4d : [Row(%d)Column(%d)]",
        "    Found item %4d : [Row(%d)      ] : %s",
        "No matching content found!",
        "Find %s finished : %d result(s) found.",
        "Find Results",
    };
    return language == common::Language::English ? kEnglish : kChinese;
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    const int size = std::snprintf(nullptr, 0, pattern, args...);
    std::string out(static_cast<std::size_t>(std::max(size, 0)) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern, args...);
    out.resize(static_cast<std::size_t>(std::max(size, 0)));
    return out;
}

std::string toUtf8(const std::string& gbk) {
    auto converted = common::TextCodec::gbkToUtf8(gbk);
    return converted.ok ? converted.text : gbk;
}

std::string toGbk(const std::string& utf8) {
    auto converted = common::TextCodec::utf8ToGbk(utf8);
    return converted.ok ? converted.text : utf8;
}

}  // namespace

std::string LadderFind::elementKey(std::string_view text) {
    for (AddressClass byteClass :
         {AddressClass::FindByte, AddressClass::LabelL, AddressClass::SubP}) {
        auto checked = AddressCheck(text, byteClass, true, true);
        if (checked.ok()) return checked.canonical;
    }
    auto bit = AddressCheck(text, AddressClass::BitIn, false, false);
    if (bit.ok()) {
        // Without a point the whole byte is meant: X5 finds every bit of X0005.
        if (text.find('.') == std::string_view::npos) bit.canonical.resize(bit.canonical.find('.'));
        return bit.canonical;
    }
    return std::string(text);
}

LadderFind::Outcome LadderFind::find(const LadderGrid& grid, int cursorRow,
                                     const FindRequest& request, common::Language language,
                                     common::Interaction& interaction) {
    Outcome outcome;
    if (request.text.empty()) {
        interaction.inform(kEmptyText, common::kMessageCaption, common::MessageIcon::Warning);
        return outcome;
    }
    int functionKey = -1;
    std::string elementText;
    if (request.kind == FindKind::Function) {
        const int code = static_cast<int>(plc::InstructionCodeOf(request.text));
        if (code < static_cast<int>(plc::InstructionCode::END1) ||
            code > static_cast<int>(plc::InstructionCode::ALT)) {
            interaction.inform(kBadFunctionText, common::kMessageCaption,
                               common::MessageIcon::Warning);
            return outcome;
        }
        functionKey = code;
    } else {
        // Cell texts are GBK; a key that is no address is compared as such.
        elementText = toGbk(elementKey(request.text));
    }
    outcome.accepted = true;

    const FindTexts& t = textsFor(language);
    outcome.title = t.title;
    outcome.lines.push_back(format(t.header, request.text.c_str()));
    outcome.lines.emplace_back(t.start);

    int first = 1;
    int last = LadderGrid::kRows;
    if (request.direction == FindDirection::Up) last = cursorRow;
    if (request.direction == FindDirection::Down) first = cursorRow;
    first = std::max(first, 1);
    last = std::min(last, grid.lastUsedRow());

    for (int row = first; row <= last; ++row) {
        for (int column = 1; column <= LadderGrid::kColumns; ++column) {
            const plc::LadderCell* cell = grid.cell(row, column);
            if (!cell || !cell->element) continue;
            const int number = static_cast<int>(outcome.hits.size()) + 1;
            if (functionKey >= 0) {
                if (cell->kind != functionKey) continue;
                outcome.lines.push_back(
                    format(t.functionHit, number, row, toUtf8(cell->text).c_str()));
            } else {
                if (cell->text.empty() || cell->text.find(elementText) == std::string::npos)
                    continue;
                outcome.lines.push_back(format(t.elementHit, number, row, column));
            }
            outcome.hits.push_back({row, column});
        }
    }
    if (outcome.hits.empty()) outcome.lines.emplace_back(t.nothing);
    outcome.lines.push_back(
        format(t.summary, request.text.c_str(), static_cast<int>(outcome.hits.size())));
    return outcome;
}

}  // namespace kelcc::core::ladder_editor
