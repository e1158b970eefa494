#pragma once

#include <QDialog>

#include "app/project.h"

class QLineEdit;
class QRadioButton;

namespace kelcc::ui {

// ImportLadderDialog: into a new project or into the open one, and the
// program file to import. OK checks the path through the project and stays
// open when that refuses it.
class ImportLadderDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ImportLadderDialog(const core::app::Project& project, QWidget* parent = nullptr);

    core::app::Project::ImportRequest request() const;
    QLineEdit* pathEdit() const { return m_path; }
    QRadioButton* intoOpenProjectButton() const { return m_intoOpen; }

    void accept() override;

private:
    void browse();

    const core::app::Project& m_project;
    QRadioButton* m_intoNew;
    QRadioButton* m_intoOpen;
    QLineEdit* m_path;
};

}  // namespace kelcc::ui
