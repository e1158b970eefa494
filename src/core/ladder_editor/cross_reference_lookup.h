#pragma once

#include <optional>
#include <string_view>

#include "common/interaction.h"
#include "plc/instruction_code.h"
#include "plc/ladder_grid.h"

namespace kelcc::core::ladder_editor {

// The lookup button of the JMPB, LBL, CALL and SP dialogs. One object per
// open dialog: each press continues the scan where the last one stopped.
class CrossReferenceLookup final {
public:
    enum class Kind {
        LabelOfJump,        // JMPB "查看标号": the LBL of the label
        JumpsToLabel,       // LBL "查看跳转": the JMPBs naming the label
        SubprogramOfCall,   // CALL "查看子程序": the SP of the subprogram
        CallsOfSubprogram,  // SP "查看调用": the CALLs of the subprogram
    };

    struct Step {
        // A matching cell: the view moves the ladder cursor to (row, 1)
        // and the dialog stays open.
        std::optional<int> row;
        // The scan reached the end: the message was shown, the scan was
        // reset and the dialog closes without changing the instruction.
        bool finished = false;
    };

    explicit CrossReferenceLookup(Kind kind) noexcept : m_kind(kind) {}
    // The lookup of a dialog's instruction; empty for other instructions.
    static std::optional<Kind> forInstruction(plc::InstructionCode code) noexcept;

    Kind kind() const noexcept { return m_kind; }
    std::string_view buttonText() const noexcept;

    // One press; `numberText` is the dialog's number field (digits, empty
    // reads as 0).
    Step next(const plc::LadderGrid& grid, std::string_view numberText,
              common::Interaction& interaction);

    // After any press, OK in the dialog closes it like Cancel.
    bool used() const noexcept { return m_used; }
    int hits() const noexcept { return m_hits; }

private:
    Kind m_kind;
    int m_nextRow = 1;
    int m_hits = 0;
    bool m_used = false;
};

}  // namespace kelcc::core::ladder_editor
