#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <memory>

#include "app/message_box_interaction.h"
#include "app/project.h"
#include "app/project_host.h"
#include "app/project_tree.h"

class QAction;
class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kelcc::ui {

class AppSettings;
class DocumentWindow;
class MainWindowWorkbench;
class OutputPane;
class ProjectTreePane;
class RecoveryKeeper;
class TransferCommands;
class Workbench;
class WorkbenchDialogs;

// The workbench's main window: the MDI area with one child per open project
// file, the project manager and the output pane, the menus of both states
// (without and with a project) and the project commands. It is the core
// project's host: documents are kept by path in their MDI children.
class MainWindow final : public QMainWindow, public core::app::ProjectHost {
    Q_OBJECT

public:
    MainWindow(AppSettings& settings, int language, WorkbenchDialogs& dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    core::app::Project& project() { return m_project; }
    Workbench& workbench();
    TransferCommands& transfer() { return *m_transfer; }
    // Recovery copies of the modified PLC programs, beside the settings.
    RecoveryKeeper& recovery() { return *m_recovery; }
    MessageBoxInteraction& messageBoxes() { return m_messageBoxes; }
    int language() const { return m_language; }
    ProjectTreePane* treePane() const { return m_treePane; }
    OutputPane* outputPane() const { return m_outputPane; }
    QMdiArea* mdiArea() const { return m_mdi; }
    QDockWidget* treeDock() const { return m_treeDock; }
    QDockWidget* outputDock() const { return m_outputDock; }
    QList<DocumentWindow*> documents() const;
    // The recent-files entries of the File menu, in order, visible or not.
    const QList<QAction*>& recentFileActions() const { return m_recentActions; }
    // Entries of the project menu (hidden while no project is open).
    QAction* saveProjectAction() const { return m_saveAction; }
    void showOutputPane();
    // The output dock's caption: "信息输出窗", then the page title if any.
    void setOutputTitle(const QString& title);

    // --- commands ---
    bool newProject();
    bool openProject();
    bool openProjectByPath(const QString& path);
    bool closeProject();
    bool saveProject();
    bool saveProjectAs();
    bool importLadder();
    void showOptions();
    void showAbout();
    void printSetup();
    void openRecentFile(int index);
    // A second start asked for the running one (with a project path or an
    // empty request).
    void handleRequest(const QString& request);

    // --- core::app::ProjectHost ---
    bool openDocument(const std::string& path, core::app::ProjectItemType type) override;
    bool isDocumentOpen(const std::string& path) const override;
    void activateDocument(const std::string& path, core::app::ProjectItemType type) override;
    void markDocumentModified(const std::string& path) override;
    void closeDocument(const std::string& path) override;
    void closeAllDocuments() override;
    bool saveModifiedDocuments() override;
    bool reloadDocument(const std::string& path, core::app::ProjectItemType type) override;
    void showProject(bool open, const std::string& windowTitle) override;
    void addRecentFile(const std::string& path) override;
    void rememberLastProject(const std::string& path) override;
    bool autoOpen() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QMdiSubWindow* asSubWindow(const QPointer<QWidget>& window);
    void createPanes();
    void createActions();
    void createMenus();
    void updateRecentFiles();
    void updateDocumentMenus();
    void updateWindowMenu();
    void closeSilently(QMdiSubWindow* window);
    core::app::LocationDialog locationDialog(const char* title);
    // After Save project as: the windows of the old folder move to the new.
    void followProject(const std::string& oldFolder, const std::string& oldPlcProgram);
    void openTreeEntry(core::app::ProjectTree::Entry entry);
    void editPlcProperties();
    // "程序版本信息" and "K值设置" edit the PLC program; its ladder window is
    // opened first when no window shows it, so that the change can be saved.
    bool showPlcProgram();
    void editProgramInformation();
    void editKValues();
    void runPartProgramCommand(int command, const QString& name);

    AppSettings& m_settings;
    int m_language;
    WorkbenchDialogs& m_dialogs;
    MessageBoxInteraction m_messageBoxes;
    core::app::Project m_project;
    std::unique_ptr<MainWindowWorkbench> m_workbench;
    TransferCommands* m_transfer = nullptr;  // a child of the window
    RecoveryKeeper* m_recovery = nullptr;    // a child of the window
    QPrinter m_printer;

    QMdiArea* m_mdi = nullptr;
    QDockWidget* m_treeDock = nullptr;
    QDockWidget* m_outputDock = nullptr;
    ProjectTreePane* m_treePane = nullptr;
    OutputPane* m_outputPane = nullptr;
    // The MDI children, held as plain widgets: see asSubWindow().
    QList<QPointer<QWidget>> m_windows;

    QAction* m_newAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_closeAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_importAction = nullptr;
    QAction* m_printSetupAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_optionsAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QList<QAction*> m_projectOnly;
    QMenu* m_editMenu = nullptr;
    QMenu* m_plcMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QList<QAction*> m_viewDocumentActions;  // the active window's, owned by it
    QMenu* m_windowMenu = nullptr;
};

}  // namespace kelcc::ui
