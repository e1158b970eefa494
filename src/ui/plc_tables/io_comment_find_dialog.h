#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kelcc::core::common {
class Interaction;
}
namespace kelcc::core::plc_tables {
class IoCommentModel;
}

namespace kelcc::ui {

// "查找...": finds an I/O address comment by address, row number or
// comment text; each "查找下一个" moves on from the last hit.
class IoCommentFindDialog final : public QDialog {
    Q_OBJECT

public:
    IoCommentFindDialog(const core::plc_tables::IoCommentModel& model,
                        core::common::Interaction& interaction, QWidget* parent = nullptr);

    QComboBox* kind() const noexcept { return m_kind; }
    QLineEdit* query() const noexcept { return m_query; }
    void setStart(int row) noexcept { m_last = row; }
    // Looks for the next hit; -1 after telling that there is none.
    int findNext();

signals:
    void found(int row);

private:
    const core::plc_tables::IoCommentModel& m_model;
    core::common::Interaction& m_interaction;
    QComboBox* m_kind;
    QLineEdit* m_query;
    int m_last = -1;
};

}  // namespace kelcc::ui
