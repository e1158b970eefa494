#pragma once

#include <QDialog>

#include "app/project.h"

class QLineEdit;

namespace kelcc::ui {

// NewProjectDialog: project name and storage path, for New project and for
// Save project as (the title tells which). The checks of its answers are
// the project's; the dialog is shown again with the same texts when one
// refuses them.
class NewProjectDialog final : public QDialog {
    Q_OBJECT

public:
    NewProjectDialog(const QString& title, const core::app::ProjectLocation& preset,
                     QWidget* parent = nullptr);

    core::app::ProjectLocation location() const;
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* pathEdit() const { return m_path; }

private:
    void browse();

    QLineEdit* m_name;
    QLineEdit* m_path;
};

}  // namespace kelcc::ui
