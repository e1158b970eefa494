#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "plc/project_state.h"

class QLineEdit;

namespace kelcc::ui {

// "梯形图属性": the three PLC information texts of the project.
class PlcPropertiesDialog final : public QDialog {
    Q_OBJECT

public:
    using Texts = std::array<std::string, core::plc::ProjectState::kInfoTexts>;

    explicit PlcPropertiesDialog(const Texts& texts, QWidget* parent = nullptr);

    Texts texts() const;
    QLineEdit* edit(std::size_t index) const { return m_edits[index]; }

private:
    std::array<QLineEdit*, core::plc::ProjectState::kInfoTexts> m_edits{};
};

}  // namespace kelcc::ui
