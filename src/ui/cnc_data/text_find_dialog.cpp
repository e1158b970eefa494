#include "cnc_data/text_find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace kelcc::ui {

TextFindDialog::TextFindDialog(QPlainTextEdit& edit, QWidget* parent)
    : QDialog(parent), m_edit(edit) {
    m_find = new QLineEdit(this);
    m_replace = new QLineEdit(this);
    m_case = new QCheckBox(tr("区分大小写(&C)"), this);
    m_status = new QLabel(this);
    auto* findLabel = new QLabel(tr("查找内容(&N):"), this);
    findLabel->setBuddy(m_find);
    m_replaceLabel = new QLabel(tr("替换为(&P):"), this);
    m_replaceLabel->setBuddy(m_replace);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* next = buttons->addButton(tr("查找下一个(&F)"), QDialogButtonBox::ActionRole);
    next->setDefault(true);
    m_replaceButton = buttons->addButton(tr("替换(&R)"), QDialogButtonBox::ActionRole);
    m_replaceAllButton = buttons->addButton(tr("全部替换(&A)"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(next, &QPushButton::clicked, this, &TextFindDialog::findNext);
    connect(m_replaceButton, &QPushButton::clicked, this, &TextFindDialog::replace);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &TextFindDialog::replaceAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QGridLayout(this);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(m_find, 0, 1);
    layout->addWidget(m_replaceLabel, 1, 0);
    layout->addWidget(m_replace, 1, 1);
    layout->addWidget(m_case, 2, 0, 1, 2);
    layout->addWidget(m_status, 3, 0, 1, 2);
    layout->addWidget(buttons, 0, 2, 4, 1);
    m_find->setMinimumWidth(220);
}

void TextFindDialog::showFind() {
    showFor(false);
}

void TextFindDialog::showReplace() {
    showFor(true);
}

void TextFindDialog::showFor(bool replacing) {
    setWindowTitle(replacing ? tr("替换") : tr("查找"));
    for (QWidget* widget :
         {static_cast<QWidget*>(m_replaceLabel), static_cast<QWidget*>(m_replace),
          static_cast<QWidget*>(m_replaceButton), static_cast<QWidget*>(m_replaceAllButton)})
        widget->setVisible(replacing);
    // A selection within one line is what the user wants to look for.
    const QString selected = m_edit.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_find->setText(selected);
    m_status->clear();
    show();
    raise();
    activateWindow();
    m_find->setFocus();
    m_find->selectAll();
}

QString TextFindDialog::status() const {
    return m_status->text();
}

QTextDocument::FindFlags TextFindDialog::flags() const {
    return m_case->isChecked() ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
}

bool TextFindDialog::selectionMatches() const {
    const Qt::CaseSensitivity sensitivity =
        m_case->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString selected = m_edit.textCursor().selectedText();
    return !selected.isEmpty() && selected.compare(m_find->text(), sensitivity) == 0;
}

bool TextFindDialog::findNext() {
    const QString text = m_find->text();
    if (text.isEmpty()) return false;
    m_status->clear();
    if (m_edit.find(text, flags())) return true;
    // From the top once more.
    const QTextCursor before = m_edit.textCursor();
    m_edit.moveCursor(QTextCursor::Start);
    if (m_edit.find(text, flags())) return true;
    m_edit.setTextCursor(before);
    m_status->setText(tr("找不到“%1”").arg(text));
    return false;
}

bool TextFindDialog::replace() {
    if (selectionMatches()) m_edit.textCursor().insertText(m_replace->text());
    return findNext();
}

int TextFindDialog::replaceAll() {
    const QString text = m_find->text();
    if (text.isEmpty()) return 0;
    QTextDocument* document = m_edit.document();
    QTextCursor edit(document);
    edit.beginEditBlock();
    int count = 0;
    for (QTextCursor at = document->find(text, 0, flags()); !at.isNull();
         at = document->find(text, at, flags())) {
        at.insertText(m_replace->text());
        ++count;
    }
    edit.endEditBlock();
    m_status->setText(count == 0 ? tr("找不到“%1”").arg(text) : tr("已替换 %1 处").arg(count));
    return count;
}

}  // namespace kelcc::ui
