#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

namespace kelcc::core::plc_tables {
class KTableModel;
}

namespace kelcc::ui {

// "K值设置": the 40 K bytes, each with its eight bits as check boxes and
// the I/O comments as descriptions. OK stores all of them as one edit;
// Cancel leaves the table as it was.
class KValueDialog final : public QDialog {
    Q_OBJECT

public:
    KValueDialog(core::plc_tables::KTableModel& model, bool english, QWidget* parent = nullptr);

    QTreeWidget* tree() const noexcept { return m_tree; }
    std::array<std::uint8_t, 40> values() const;
    void setBit(int byte, int bit, bool on);

    void accept() override;

private:
    void showValue(int byte);

    core::plc_tables::KTableModel& m_model;
    QTreeWidget* m_tree;
};

}  // namespace kelcc::ui
