#include "function_chooser.h"

#include <iterator>

#include "ladder_editor/ladder_editor.h"

namespace kelcc::core::ladder_editor {

using plc::kFunctionInstructionList;

int FunctionChooser::entryCount() noexcept {
    return static_cast<int>(std::size(kFunctionInstructionList));
}

std::string_view FunctionChooser::entry(int index) noexcept {
    if (index < 0 || index >= entryCount()) return {};
    return kFunctionInstructionList[index];
}

int FunctionChooser::entryFor(std::string_view typed) noexcept {
    for (int i = 0; i < entryCount(); ++i) {
        if (kFunctionInstructionList[i] == typed) return i;
    }
    return kNoEntry;
}

std::optional<plc::InstructionCode> FunctionChooser::accept(int selectedEntry,
                                                            common::Interaction& interaction) {
    if (selectedEntry < 0 || selectedEntry >= entryCount()) {
        interaction.inform(kBadInputText, common::kMessageCaption, common::MessageIcon::Warning);
        return std::nullopt;
    }
    return plc::InstructionCodeOf(kFunctionInstructionList[selectedEntry]);
}

}  // namespace kelcc::core::ladder_editor
