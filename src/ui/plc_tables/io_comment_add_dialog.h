#pragma once

#include <QDialog>

class QLineEdit;

namespace kelcc::core::common {
class Interaction;
}
namespace kelcc::core::plc_tables {
class IoCommentModel;
}

namespace kelcc::ui {

// Adds an I/O address comment: the address, a symbol (the English
// comment) and the comment. OK checks them as typed cells are checked and
// stays open on a refusal.
class IoCommentAddDialog final : public QDialog {
    Q_OBJECT

public:
    IoCommentAddDialog(core::plc_tables::IoCommentModel& model,
                       core::common::Interaction& interaction, QWidget* parent = nullptr);

    QLineEdit* addressEdit() const noexcept { return m_address; }
    QLineEdit* symbolEdit() const noexcept { return m_symbol; }
    QLineEdit* commentEdit() const noexcept { return m_comment; }
    int addedRow() const noexcept { return m_row; }

    void accept() override;

private:
    core::plc_tables::IoCommentModel& m_model;
    core::common::Interaction& m_interaction;
    QLineEdit* m_address;
    QLineEdit* m_symbol;
    QLineEdit* m_comment;
    int m_row = -1;
};

}  // namespace kelcc::ui
