#pragma once

#include <QDialog>

namespace kelcc::ui {

// "关于 KELCC": program information and the version history read from
// history.txt in the program's folder.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kVersion = "V1.4 Build060920";

    explicit AboutDialog(const QString& programFolder, QWidget* parent = nullptr);

    // The history page's text: the file as it stands (UTF-8, or GBK as the
    // controller's tools write it), or the note that it is missing.
    static QString historyText(const QString& programFolder);
};

}  // namespace kelcc::ui
