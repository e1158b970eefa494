#pragma once

#include <QString>
#include <optional>

#include "ladder_editor/find_dialog.h"
#include "ladder_editor/go_to_dialog.h"
#include "ladder_editor/operand_dialog.h"
#include "plc/instruction_code.h"
#include "plc/operand_form.h"

class QWidget;

namespace kelcc::core::common {
class Interaction;
}

namespace kelcc::ui {

// How the ladder view asks its dialogs. The workbench runs them modally;
// tests put a scripted provider in its place.
class LadderDialogs {
public:
    virtual ~LadderDialogs() = default;

    // The operand dialog of a form; nothing when cancelled (or closed by
    // its lookup button).
    virtual std::optional<core::plc::FormResult> operand(const core::plc::OperandForm& form,
                                                         const core::plc::FormValues& initial,
                                                         OperandDialog::Lookup lookup,
                                                         core::common::Interaction& interaction,
                                                         QWidget* parent);
    // "功能指令": the chosen instruction.
    virtual std::optional<core::plc::InstructionCode> chooseFunction(
        core::common::Interaction& interaction, QWidget* parent);
    // "查找" and "转到": `run` does the work on OK; false when cancelled.
    virtual bool find(const FindDialog::Run& run, QWidget* parent);
    virtual bool goTo(const GoToDialog::Run& run, QWidget* parent);
    // "导出PDF...": the file to write, `suggested` preset; nothing when
    // cancelled.
    virtual std::optional<QString> pdfFile(const QString& suggested, QWidget* parent);
};

}  // namespace kelcc::ui
