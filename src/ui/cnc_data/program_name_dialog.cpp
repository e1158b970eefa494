#include "cnc_data/program_name_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QValidator>

namespace kelcc::ui {

namespace {

// Letters become capitals as they are typed or pasted; what the name may
// hold is checked on OK, with the messages of the name rule.
class CapitalsValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

ProgramNameDialog::ProgramNameDialog(Kind kind, QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(this)) {
    const bool isNew = kind == Kind::NewProgram;
    setWindowTitle(isNew ? tr("新建零件加工程序") : tr("加入零件加工程序"));
    auto* label = new QLabel(isNew ? tr("输入文件名") : tr("保存文件名"), this);
    label->setBuddy(m_edit);
    m_edit->setObjectName(QStringLiteral("name"));
    m_edit->setValidator(new CapitalsValidator(m_edit));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ProgramNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProgramNameDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

void ProgramNameDialog::setName(const QString& name) {
    m_edit->setText(name.toUpper());
    m_edit->selectAll();
}

QString ProgramNameDialog::name() const {
    return m_edit->text();
}

std::string ProgramNameDialog::typedName() const {
    return m_edit->text().toStdString();
}

void ProgramNameDialog::accept() {
    if (m_check && !m_check(typedName())) {
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace kelcc::ui
