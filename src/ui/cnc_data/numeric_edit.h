#pragma once

#include <QLineEdit>

namespace kelcc::ui {

// The value field of a data parameter: takes only what the parameter's
// rule lets it be typed with (digits, a leading '-' where the range is
// negative, at most its digits); the value is normalised by the document's
// table when the field is left.
class NumericEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit NumericEdit(QWidget* parent = nullptr);

    int number() const noexcept { return m_number; }
    // Sets the rule of the parameter `number` (0001-0200).
    void setNumber(int number);

private:
    int m_number = 0;
};

}  // namespace kelcc::ui
