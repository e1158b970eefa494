#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "plc/operand_form.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kelcc::core::common {
class Interaction;
}

namespace kelcc::ui {

// The operand dialog of any instruction, the contact and the coil dialog:
// built from the core's form data, so one class serves every instruction.
// OK judges the fields in the form's check order; the first failure shows
// its message and keeps the dialog open.
class OperandDialog final : public QDialog {
    Q_OBJECT

public:
    enum class LookupStep { Found, Finished };
    // The cross-reference button: given the entered number, moves the
    // ladder to the next match (Found) or has reported the end (Finished).
    using Lookup = std::function<LookupStep(const std::string& number)>;

    OperandDialog(const core::plc::OperandForm& form, core::plc::FormValues initial,
                  core::common::Interaction& interaction, QWidget* parent = nullptr);

    // Enables the lookup button; without it the button stays disabled.
    void setLookup(Lookup lookup);

    // The result of the last OK that passed every check.
    const core::plc::FormResult& formResult() const noexcept { return m_result; }
    // What the fields hold now.
    core::plc::FormValues values() const;
    // Whether the lookup button was used (OK then closes like Cancel).
    bool lookupUsed() const noexcept { return m_lookupUsed; }

    // The widget of a field: QLineEdit, QComboBox or QListWidget.
    QWidget* fieldWidget(int field) const;
    QPushButton* lookupButton() const noexcept { return m_lookupButton; }

    // Sets the typed text of a list entry as the in-place editor does.
    void editListEntry(int entry, const QString& typed);

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildField(int index, const core::plc::OperandField& field, QWidget* row);
    void onComboChanged(int field);
    void refillList();
    void startListEdit(QListWidgetItem* item, const core::plc::OperandField& field);
    // Ends the in-place edit of a list entry, taking its text when `keep`.
    void finishListEdit(bool keep);
    void onLookup();

    core::plc::OperandForm m_form;
    core::common::Interaction& m_interaction;
    core::plc::FormValues m_values;
    core::plc::FormResult m_result;
    std::vector<QWidget*> m_widgets;
    QListWidget* m_list = nullptr;
    QLineEdit* m_entryEditor = nullptr;
    int m_editedEntry = -1;
    QPushButton* m_lookupButton = nullptr;
    Lookup m_lookup;
    bool m_lookupUsed = false;
    bool m_filling = false;
};

}  // namespace kelcc::ui
