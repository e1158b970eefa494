#pragma once

#include <QDialog>

class QRadioButton;

namespace kelcc::ui {

// "删除CNC加工程序 %1": remove the program from the project only, or also
// delete its file.
class DeleteProgramDialog final : public QDialog {
    Q_OBJECT

public:
    explicit DeleteProgramDialog(const QString& programName, QWidget* parent = nullptr);

    bool deleteFile() const;

private:
    QRadioButton* m_fromProject;
    QRadioButton* m_fromDisk;
};

}  // namespace kelcc::ui
