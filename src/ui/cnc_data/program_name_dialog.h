#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;

namespace kelcc::ui {

// "新建零件加工程序" (edit "输入文件名") and "加入零件加工程序" (edit
// "保存文件名"): one edit for a program name whose letters are typed as
// capitals.
class ProgramNameDialog final : public QDialog {
    Q_OBJECT

public:
    enum class Kind { NewProgram, ImportProgram };
    // Runs when OK is pressed; false keeps the dialog open (the check has
    // told the user why).
    using Check = std::function<bool(const std::string& name)>;

    explicit ProgramNameDialog(Kind kind, QWidget* parent = nullptr);

    void setName(const QString& name);
    QString name() const;
    // The typed name as UTF-8, for the core.
    std::string typedName() const;
    void setCheck(Check check) { m_check = std::move(check); }

    void accept() override;

private:
    QLineEdit* m_edit;
    Check m_check;
};

}  // namespace kelcc::ui
