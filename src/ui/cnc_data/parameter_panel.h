#pragma once

#include <QWidget>
#include <array>

#include "cnc_data/parameter_table_model.h"

class QLabel;
class QStackedWidget;

namespace kelcc::ui {

class BitEdit;
class NumericEdit;

// The edit panel of one parameter: its number and, for a bit parameter,
// the eight bit descriptions with the bit control (the description of the
// cursor bit is marked), for a data parameter its description and the
// numeric field of its rule. Edits go to the table and thus the document.
class ParameterPanel final : public QWidget {
    Q_OBJECT

public:
    ParameterPanel(core::cnc_data::ParameterTableModel& model, QWidget* parent = nullptr);

    int number() const noexcept { return m_number; }
    // 0 shows nothing.
    void showParameter(int number);
    // The document changed: the value is read again.
    void refresh();

    BitEdit* bitEdit() const noexcept { return m_bits; }
    NumericEdit* numericEdit() const noexcept { return m_value; }
    QLabel* bitLabel(int bit) const { return m_bitLabels[static_cast<std::size_t>(bit)]; }
    // Marks the description of the bit a bit control's cursor is on (the
    // panel's own or the table's).
    void markCursorBit(int bit);

private:
    core::cnc_data::ParameterTableModel& m_model;
    int m_number = 0;
    QLabel* m_title = nullptr;
    QLabel* m_description = nullptr;
    QStackedWidget* m_editors = nullptr;
    BitEdit* m_bits = nullptr;
    NumericEdit* m_value = nullptr;
    std::array<QLabel*, 8> m_bitLabels{};
};

}  // namespace kelcc::ui
