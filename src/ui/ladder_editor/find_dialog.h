#pragma once

#include <QDialog>
#include <functional>

#include "ladder_editor/ladder_find.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace kelcc::ui {

// "查找": what to look for, the text and the direction. OK hands the
// request to `run`, which searches and says whether the dialog may close
// (a refused text keeps it open).
class FindDialog final : public QDialog {
    Q_OBJECT

public:
    using Run = std::function<bool(const core::ladder_editor::FindRequest&)>;

    explicit FindDialog(Run run, QWidget* parent = nullptr);

    core::ladder_editor::FindRequest request() const;
    QComboBox* kindCombo() const noexcept { return m_kind; }
    QLineEdit* textField() const noexcept { return m_text; }
    QRadioButton* directionButton(core::ladder_editor::FindDirection direction) const;

    void accept() override;

private:
    Run m_run;
    QComboBox* m_kind = nullptr;
    QLineEdit* m_text = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QRadioButton* m_all = nullptr;
};

}  // namespace kelcc::ui
