#include "ladder_editor/find_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelcc::ui {

using core::ladder_editor::FindDirection;
using core::ladder_editor::FindKind;
using core::ladder_editor::FindRequest;
using core::ladder_editor::LadderFind;

FindDialog::FindDialog(Run run, QWidget* parent) : QDialog(parent), m_run(std::move(run)) {
    setWindowTitle(tr("查找"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_kind = new QComboBox(this);
    m_kind->addItem(tr("元件名"));
    m_kind->addItem(tr("功能指令"));
    m_text = new QLineEdit(this);
    m_text->setMaxLength(static_cast<int>(LadderFind::kMaxChars));
    form->addRow(tr("类型"), m_kind);
    form->addRow(tr("元件地址"), m_text);
    layout->addLayout(form);

    auto* directions = new QGroupBox(tr("方向"), this);
    auto* row = new QHBoxLayout(directions);
    m_up = new QRadioButton(tr("向上"), directions);
    m_down = new QRadioButton(tr("向下"), directions);
    m_all = new QRadioButton(tr("全部"), directions);
    m_all->setChecked(true);
    row->addWidget(m_up);
    row->addWidget(m_down);
    row->addWidget(m_all);
    layout->addWidget(directions);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FindDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FindDialog::reject);
    layout->addWidget(buttons);
}

QRadioButton* FindDialog::directionButton(FindDirection direction) const {
    switch (direction) {
        case FindDirection::Up:
            return m_up;
        case FindDirection::Down:
            return m_down;
        case FindDirection::All:
            break;
    }
    return m_all;
}

FindRequest FindDialog::request() const {
    FindRequest request;
    request.kind = m_kind->currentIndex() == 1 ? FindKind::Function : FindKind::ElementName;
    request.text = m_text->text().toStdString();
    request.direction = m_up->isChecked()     ? FindDirection::Up
                        : m_down->isChecked() ? FindDirection::Down
                                              : FindDirection::All;
    return request;
}

void FindDialog::accept() {
    if (m_run && !m_run(request())) return;
    QDialog::accept();
}

}  // namespace kelcc::ui
