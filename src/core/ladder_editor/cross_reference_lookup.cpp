#include "cross_reference_lookup.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "plc/plc_address.h"

namespace kelcc::core::ladder_editor {

using plc::InstructionCode;
using plc::LadderGrid;

namespace {

struct LookupText {
    InstructionCode looksFor;
    char letter;
    const char* button;
    const char* caption;
    const char* nothingFound;
};

const LookupText& textsOf(CrossReferenceLookup::Kind kind) noexcept {
    static const LookupText kTexts[] = {
        {InstructionCode::LBL, 'L', "查看标号", "查找跳转", "未找到对应的标号。"},
        {InstructionCode::JMPB, 'L', "查看跳转", "查找跳转", "未找到跳转到该标号的指令。"},
        {InstructionCode::SP, 'P', "查看子程序", "查找调用", "未找到对应的子程序。"},
        {InstructionCode::CALL, 'P', "查看调用", "查找跳转", "未找到调用该子程序的指令。"},
    };
    return kTexts[static_cast<int>(kind)];
}

constexpr const char* kDoneText = "查找完成。";

}  // namespace

std::optional<CrossReferenceLookup::Kind> CrossReferenceLookup::forInstruction(
    InstructionCode code) noexcept {
    switch (code) {
        case InstructionCode::JMPB:
            return Kind::LabelOfJump;
        case InstructionCode::LBL:
            return Kind::JumpsToLabel;
        case InstructionCode::CALL:
            return Kind::SubprogramOfCall;
        case InstructionCode::SP:
            return Kind::CallsOfSubprogram;
        default:
            return std::nullopt;
    }
}

std::string_view CrossReferenceLookup::buttonText() const noexcept {
    return textsOf(m_kind).button;
}

CrossReferenceLookup::Step CrossReferenceLookup::next(const LadderGrid& grid,
                                                      std::string_view numberText,
                                                      common::Interaction& interaction) {
    m_used = true;
    const LookupText& texts = textsOf(m_kind);
    // The number field holds digits only; the dialog writes an empty field
    // as 0 and the number never exceeds four digits there.
    const std::uint64_t number = numberText.empty() ? 0 : plc::DecimalValue(numberText).value_or(0);
    char key[24];
    std::snprintf(key, sizeof key, "%c%04llu", texts.letter,
                  static_cast<unsigned long long>(std::min<std::uint64_t>(number, 99999999)));

    const int last = grid.lastUsedRow();
    for (int row = m_nextRow; row <= last; ++row) {
        for (int column = 1; column <= LadderGrid::kColumns; ++column) {
            const plc::LadderCell* cell = grid.cell(row, column);
            if (!cell || !cell->element || cell->kind != static_cast<int>(texts.looksFor)) continue;
            if (cell->text.find(key) == std::string::npos) continue;
            m_nextRow = row + 1;
            ++m_hits;
            return {row, false};
        }
    }
    interaction.inform(m_hits == 0 ? texts.nothingFound : kDoneText, texts.caption,
                       common::MessageIcon::Information);
    m_nextRow = 1;
    m_hits = 0;
    return {std::nullopt, true};
}

}  // namespace kelcc::core::ladder_editor
