#pragma once

#include <optional>
#include <string_view>

#include "common/interaction.h"
#include "plc/instruction_code.h"

namespace kelcc::core::ladder_editor {

// The function-instruction chooser of F3 without its drawing: the list of
// the 23 mnemonics, the edit field and the OK check.
class FunctionChooser final {
public:
    static constexpr const char* kTitle = "功能指令";
    static constexpr const char* kHint = "在左边列表框选择\n或直接在右边编辑框输入功能指令";
    static constexpr const char* kBadInputText = "功能指令输入错误!";
    static constexpr std::size_t kMaxChars = 4;
    static constexpr int kNoEntry = -1;

    static int entryCount() noexcept;
    static std::string_view entry(int index) noexcept;
    // The list entry equal to the typed text (selected as the user types),
    // or kNoEntry.
    static int entryFor(std::string_view typed) noexcept;
    // OK: the instruction of the selected entry; without one the message
    // is shown and nothing is returned (the dialog stays open).
    static std::optional<plc::InstructionCode> accept(int selectedEntry,
                                                      common::Interaction& interaction);
};

}  // namespace kelcc::core::ladder_editor
