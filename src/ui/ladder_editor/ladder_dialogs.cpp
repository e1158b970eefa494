#include "ladder_editor/ladder_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "ladder_editor/function_chooser_dialog.h"

namespace kelcc::ui {

std::optional<core::plc::FormResult> LadderDialogs::operand(const core::plc::OperandForm& form,
                                                            const core::plc::FormValues& initial,
                                                            OperandDialog::Lookup lookup,
                                                            core::common::Interaction& interaction,
                                                            QWidget* parent) {
    OperandDialog dialog(form, initial, interaction, parent);
    if (lookup) dialog.setLookup(std::move(lookup));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.formResult();
}

std::optional<core::plc::InstructionCode> LadderDialogs::chooseFunction(
    core::common::Interaction& interaction, QWidget* parent) {
    FunctionChooserDialog dialog(interaction, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

bool LadderDialogs::find(const FindDialog::Run& run, QWidget* parent) {
    FindDialog dialog(run, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool LadderDialogs::goTo(const GoToDialog::Run& run, QWidget* parent) {
    GoToDialog dialog(run, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> LadderDialogs::pdfFile(const QString& suggested, QWidget* parent) {
    QFileDialog dialog(parent, QCoreApplication::translate("LadderDialogs", "导出PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QCoreApplication::translate("LadderDialogs", "PDF文件(*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace kelcc::ui
