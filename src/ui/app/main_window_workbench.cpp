#include "app/main_window_workbench.h"

#include "app/main_window.h"
#include "app/output_pane.h"
#include "app/project_tree_pane.h"

namespace kelcc::ui {

MainWindowWorkbench::MainWindowWorkbench(MainWindow& window) : m_window(window) {}

core::app::Project& MainWindowWorkbench::project() {
    return m_window.project();
}

core::common::Interaction& MainWindowWorkbench::interaction() {
    return m_window.messageBoxes();
}

int MainWindowWorkbench::language() const {
    return m_window.language();
}

void MainWindowWorkbench::clearOutput() {
    m_window.outputPane()->clear();
    m_window.setOutputTitle(QString());
}

void MainWindowWorkbench::setOutputTitle(const QString& title) {
    m_window.setOutputTitle(title);
}

void MainWindowWorkbench::appendOutput(const QString& line) {
    m_window.outputPane()->appendLine(line);
}

void MainWindowWorkbench::showOutput() {
    m_window.showOutputPane();
}

void MainWindowWorkbench::refreshProjectTree() {
    m_window.treePane()->rebuild();
}

QWidget* MainWindowWorkbench::dialogParent() {
    return &m_window;
}

}  // namespace kelcc::ui
