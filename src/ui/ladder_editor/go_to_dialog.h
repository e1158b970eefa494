#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;

namespace kelcc::ui {

// "转到": row and column, digits only, both 1 at first. OK hands the two
// texts to `run`, which moves the cursor or refuses (the dialog stays).
class GoToDialog final : public QDialog {
    Q_OBJECT

public:
    using Run = std::function<bool(const std::string& row, const std::string& column)>;

    explicit GoToDialog(Run run, QWidget* parent = nullptr);

    QLineEdit* rowField() const noexcept { return m_row; }
    QLineEdit* columnField() const noexcept { return m_column; }

    void accept() override;

private:
    Run m_run;
    QLineEdit* m_row = nullptr;
    QLineEdit* m_column = nullptr;
};

}  // namespace kelcc::ui
