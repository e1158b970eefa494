#pragma once

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kelcc::ui {

// Find and Replace for a plain-text editor, kept open beside it. The
// search wraps at the end of the text; Replace all is one undo step.
// What was not found is said in the dialog, so that typing goes on.
class TextFindDialog final : public QDialog {
    Q_OBJECT

public:
    TextFindDialog(QPlainTextEdit& edit, QWidget* parent = nullptr);

    // Ctrl+F and Ctrl+H: the dialog with or without its replace row, the
    // editor's selection as the text to find.
    void showFind();
    void showReplace();

    bool findNext();
    // Replaces the found text under the cursor, then finds the next one.
    bool replace();
    int replaceAll();

    QLineEdit* findField() const noexcept { return m_find; }
    QLineEdit* replaceField() const noexcept { return m_replace; }
    QCheckBox* caseBox() const noexcept { return m_case; }
    // The last result ("找不到 …", "已替换 … 处"), empty after a hit.
    QString status() const;

private:
    void showFor(bool replacing);
    QTextDocument::FindFlags flags() const;
    bool selectionMatches() const;

    QPlainTextEdit& m_edit;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QLabel* m_replaceLabel = nullptr;
    QCheckBox* m_case = nullptr;
    QPushButton* m_replaceButton = nullptr;
    QPushButton* m_replaceAllButton = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace kelcc::ui
