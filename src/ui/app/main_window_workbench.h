#pragma once

#include "app/workbench.h"

namespace kelcc::ui {

class MainWindow;

// The main window as the document windows see it.
class MainWindowWorkbench final : public Workbench {
public:
    explicit MainWindowWorkbench(MainWindow& window);

    core::app::Project& project() override;
    core::common::Interaction& interaction() override;
    int language() const override;
    void clearOutput() override;
    void appendOutput(const QString& line) override;
    void showOutput() override;
    void setOutputTitle(const QString& title) override;
    void refreshProjectTree() override;
    QWidget* dialogParent() override;

private:
    MainWindow& m_window;
};

}  // namespace kelcc::ui
