#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "plc/project_state.h"

class QLineEdit;

namespace kelcc::core::common {
class Interaction;
}

namespace kelcc::ui {

// The three PLC information texts of the project, under the title of the
// command that shows them ("梯形图属性", "程序版本信息"). The texts are the
// project's GBK bytes; the dialog shows them decoded and OK refuses a text
// that the program file's code page cannot hold.
class PlcPropertiesDialog final : public QDialog {
    Q_OBJECT

public:
    using Texts = std::array<std::string, core::plc::ProjectState::kInfoTexts>;

    static constexpr const char* kNotGbkText = "文本中有程序文件的中文编码(GBK)无法保存的字符.";

    PlcPropertiesDialog(const QString& title, const Texts& texts,
                        core::common::Interaction& interaction, QWidget* parent = nullptr);

    // GBK; a text that was not changed keeps its bytes.
    Texts texts() const { return m_result; }
    QLineEdit* edit(std::size_t index) const { return m_edits[index]; }

    void accept() override;

private:
    core::common::Interaction& m_interaction;
    Texts m_original;
    Texts m_result;
    std::array<QString, core::plc::ProjectState::kInfoTexts> m_shown;
    std::array<QLineEdit*, core::plc::ProjectState::kInfoTexts> m_edits{};
};

}  // namespace kelcc::ui
