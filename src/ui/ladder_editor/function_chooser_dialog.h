#pragma once

#include <QDialog>

#include "plc/instruction_code.h"

class QLineEdit;
class QListWidget;

namespace kelcc::core::common {
class Interaction;
}

namespace kelcc::ui {

// "功能指令": the function instructions in a list and a field to type one.
// OK needs a selected list entry.
class FunctionChooserDialog final : public QDialog {
    Q_OBJECT

public:
    explicit FunctionChooserDialog(core::common::Interaction& interaction,
                                   QWidget* parent = nullptr);

    // The chosen instruction after OK.
    core::plc::InstructionCode chosen() const noexcept { return m_chosen; }
    QLineEdit* field() const noexcept { return m_field; }
    QListWidget* list() const noexcept { return m_list; }

    void accept() override;

private:
    core::common::Interaction& m_interaction;
    QListWidget* m_list = nullptr;
    QLineEdit* m_field = nullptr;
    core::plc::InstructionCode m_chosen = core::plc::InstructionCode::Unknown;
};

}  // namespace kelcc::ui
