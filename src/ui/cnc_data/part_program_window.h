#pragma once

#include <string>

#include "app/document_window.h"
#include "cnc_data/part_program_document.h"

class QLabel;
class QPlainTextEdit;

namespace kelcc::ui {

class TextFindDialog;

// One part program as plain text. The file holds GBK bytes; the editor shows
// them as Unicode. Line ends are kept as the file has them: a file with any
// CR LF (and a file without line breaks, like a new one) is written with
// CR LF throughout, a file of bare LF lines with LF.
class PartProgramWindow final : public DocumentWindow {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "零件加工程序-%1";
    static constexpr const char* kNotGbkText = "文件 %1 含有非GBK编码的字节,不能打开.";
    static constexpr const char* kUnsavableText = "第%1行含有不能以GBK编码保存的字符,文件未保存.";

    PartProgramWindow(Workbench& workbench, std::string path, QWidget* parent = nullptr);

    bool load() override;
    bool isModified() const override { return m_document.modified(); }
    void setModified(bool modified) override;
    bool saveSilently() override;
    // The copy is the text as shown, which need not be GBK yet.
    std::optional<RecoveryCopy> recoveryCopy() const override;
    bool restoreRecovery(std::string_view content, std::string& error) override;

    // Edit menu: undo, cut, copy, paste, select all on the text.
    QList<QAction*> menuActions(MenuSlot slot) const override;

    QPlainTextEdit* editor() const noexcept { return m_edit; }
    // Find (Ctrl+F) and Replace (Ctrl+H) open it; made at first use.
    TextFindDialog& findDialog();
    // "行 3, 列 12" of the text cursor, in the window's status bar.
    QLabel* positionLabel() const noexcept { return m_position; }
    const core::cnc_data::PartProgramDocument& document() const noexcept { return m_document; }

private:
    void textEdited();
    void createEditActions();
    void showPosition();

    core::cnc_data::PartProgramDocument m_document;
    QPlainTextEdit* m_edit = nullptr;
    QList<QAction*> m_editActions;
    TextFindDialog* m_findDialog = nullptr;
    QLabel* m_position = nullptr;
    bool m_crlf = true;
    bool m_loading = false;
};

}  // namespace kelcc::ui
