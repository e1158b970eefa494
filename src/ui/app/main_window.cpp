#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/app_settings.h"
#include "app/document_kinds.h"
#include "app/document_window.h"
#include "app/main_window_workbench.h"
#include "app/message_translator.h"
#include "app/output_pane.h"
#include "app/part_program_commands.h"
#include "app/project_file_names.h"
#include "app/project_tree_pane.h"
#include "app/recovery_keeper.h"
#include "app/settings_rules.h"
#include "app/tree_icons.h"
#include "app/workbench_dialogs.h"

#include "cnc_data/part_program_actions.h"
#include "comm/transfer_commands.h"
#include "compare/compare_with_cnc_action.h"
#include "plc/plc_document.h"
#include "plc_tables/k_table_model.h"

namespace kelcc::ui {

using core::app::Project;
using core::app::ProjectItemType;
using core::app::SettingsRules;
using core::common::MessageIcon;

namespace {

enum PartProgramCommand { kNewProgram, kImportProgram, kOpenProgram, kDeleteProgram };

// The tree image of the entry that opens a window kind.
int imageOf(ProjectItemType type) {
    switch (type) {
        case ProjectItemType::PlcProgram:
            return 3;
        case ProjectItemType::PlcInformation:
            return 6;
        case ProjectItemType::PlcDataTables:
            return 5;
        case ProjectItemType::Parameters:
            return 7;
        case ProjectItemType::ToolOffsets:
            return 11;
        case ProjectItemType::PitchCompensation:
            return 12;
        case ProjectItemType::PartProgram:
            break;
    }
    return core::app::ProjectTree::kProgramImage;
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A window's title as its title bar shows it: the "[*]" placeholder is the
// modified mark or nothing.
QString shownTitle(const QWidget& window) {
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window.isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}

}  // namespace

MainWindow::MainWindow(AppSettings& settings, int language, WorkbenchDialogs& dialogs,
                       QWidget* parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_language(language),
      m_dialogs(dialogs),
      m_messageBoxes([this] { return static_cast<QWidget*>(this); }),
      m_project(m_messageBoxes, *this),
      m_workbench(std::make_unique<MainWindowWorkbench>(*this)) {
    // Core texts that arrive with their arguments put in.
    MessageTranslator::addTemplates(
        {Project::kTitleFormat, Project::kMissingPathText, Project::kNoProjectFileText,
         Project::kFileNotFoundText, Project::kOverwriteStagedText,
         core::app::ProjectTree::kRootFormat, core::app::ProjectFileNames::kUnsafeNameText,
         core::app::PartProgramCommands::kExistsText});
    setWindowTitle(MessageTranslator::translate(Project::kNoProjectTitle));
    setWindowIcon(TreeIcons::icon(0));
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { updateDocumentMenus(); });
    createPanes();
    m_transfer = new TransferCommands(*this, m_settings, m_project, m_messageBoxes,
                                      [this] { return locationDialog(Project::kNewProjectTitle); });
    m_recovery = new RecoveryKeeper(
        *this, QFileInfo(m_settings.filePath()).absolutePath() + QStringLiteral("/recovery"));
    createActions();
    createMenus();
    statusBar()->showMessage(tr("就绪"));
    showProject(false, Project::kNoProjectTitle);
    resize(1024, 720);
}

MainWindow::~MainWindow() {
    // Documents refer to the workbench; they go first. So do windows closed
    // but not yet deleted: deleted with the area, they would tell this
    // half-destroyed window. A copy: each deletion takes the window out of
    // m_windows; a window listed twice is null the second time.
    QList<QPointer<QWidget>> windows = m_windows;
    for (QMdiSubWindow* sub : m_mdi->findChildren<QMdiSubWindow*>())
        windows.append(sub);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
    // The transfer session refers to the project and the message boxes,
    // which go before the window's children.
    delete m_transfer;
    m_transfer = nullptr;
}

Workbench& MainWindow::workbench() {
    return *m_workbench;
}

void MainWindow::createPanes() {
    m_treePane = new ProjectTreePane(*m_workbench, this);
    m_treePane->setPartProgramCommands(true);
    m_treeDock = new QDockWidget(tr("工程管理器"), this);
    m_treeDock->setObjectName(QStringLiteral("projectManager"));
    m_treeDock->setWidget(m_treePane);
    addDockWidget(Qt::LeftDockWidgetArea, m_treeDock);

    m_outputPane = new OutputPane(this);
    m_outputDock = new QDockWidget(tr("信息输出窗"), this);
    m_outputDock->setObjectName(QStringLiteral("outputPane"));
    m_outputDock->setWidget(m_outputPane);
    addDockWidget(Qt::BottomDockWidgetArea, m_outputDock);
    resizeDocks({m_treeDock}, {220}, Qt::Horizontal);
    resizeDocks({m_outputDock}, {160}, Qt::Vertical);

    connect(m_outputPane, &OutputPane::placeRequested, this,
            [this](int row, int column) { emit m_workbench->ladderPlaceRequested(row, column); });
    connect(m_treePane, &ProjectTreePane::openEntryRequested, this, &MainWindow::openTreeEntry);
    connect(m_treePane, &ProjectTreePane::plcPropertiesRequested, this,
            &MainWindow::editPlcProperties);
    connect(m_treePane, &ProjectTreePane::newProgramRequested, this,
            [this] { runPartProgramCommand(kNewProgram, {}); });
    connect(m_treePane, &ProjectTreePane::importProgramRequested, this,
            [this] { runPartProgramCommand(kImportProgram, {}); });
    connect(m_treePane, &ProjectTreePane::openProgramRequested, this,
            [this](const QString& name) { runPartProgramCommand(kOpenProgram, name); });
    connect(m_treePane, &ProjectTreePane::deleteProgramRequested, this,
            [this](const QString& name) { runPartProgramCommand(kDeleteProgram, name); });
}

void MainWindow::createActions() {
    QStyle* style = QApplication::style();
    m_newAction =
        new QAction(style->standardIcon(QStyle::SP_FileIcon), tr("新建工程(&N)..."), this);
    m_newAction->setShortcut(QKeySequence::New);
    m_newAction->setStatusTip(tr("新建一个配置工程"));
    connect(m_newAction, &QAction::triggered, this, &MainWindow::newProject);

    m_openAction =
        new QAction(style->standardIcon(QStyle::SP_DialogOpenButton), tr("打开工程(&O)..."), this);
    m_openAction->setShortcut(QKeySequence::Open);
    m_openAction->setStatusTip(tr("打开一个已有的配置工程"));
    connect(m_openAction, &QAction::triggered, this, &MainWindow::openProject);

    m_closeAction =
        new QAction(style->standardIcon(QStyle::SP_DialogCloseButton), tr("关闭工程(&C)"), this);
    m_closeAction->setStatusTip(tr("关闭当前打开的工程"));
    connect(m_closeAction, &QAction::triggered, this, &MainWindow::closeProject);

    m_saveAction =
        new QAction(style->standardIcon(QStyle::SP_DialogSaveButton), tr("保存工程(&S)"), this);
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAction->setStatusTip(tr("保存工程的所有文件"));
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::saveProject);

    m_saveAsAction = new QAction(tr("工程另存为(&A)..."), this);
    m_saveAsAction->setStatusTip(tr("以新的名称保存工程"));
    connect(m_saveAsAction, &QAction::triggered, this, &MainWindow::saveProjectAs);

    m_importAction =
        new QAction(style->standardIcon(QStyle::SP_ArrowDown), tr("导入梯形图程序(&I)..."), this);
    m_importAction->setStatusTip(tr("导入一个梯形图程序文件"));
    connect(m_importAction, &QAction::triggered, this, &MainWindow::importLadder);

    m_printSetupAction = new QAction(tr("打印设置(&R)..."), this);
    connect(m_printSetupAction, &QAction::triggered, this, &MainWindow::printSetup);

    m_exitAction = new QAction(tr("退出(&X)"), this);
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    m_optionsAction = new QAction(tr("选项(&O)..."), this);
    connect(m_optionsAction, &QAction::triggered, this, &MainWindow::showOptions);

    m_aboutAction = new QAction(style->standardIcon(QStyle::SP_MessageBoxInformation),
                                tr("关于 KELCC(&A)..."), this);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::showAbout);

    for (int i = 0; i < AppSettings::kRecentFiles; ++i) {
        auto* action = new QAction(this);
        connect(action, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        m_recentActions.append(action);
    }
    m_projectOnly = {m_closeAction, m_saveAction, m_saveAsAction};
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("文件(&F)"));
    file->addAction(m_newAction);
    file->addAction(m_openAction);
    file->addAction(m_closeAction);
    file->addAction(m_saveAction);
    file->addAction(m_saveAsAction);
    file->addSeparator();
    file->addAction(m_importAction);
    file->addSeparator();
    file->addAction(m_printSetupAction);
    m_recentSeparator = file->addSeparator();
    file->addActions(m_recentActions);
    file->addSeparator();
    file->addAction(m_exitAction);

    m_editMenu = menuBar()->addMenu(tr("编辑(&E)"));

    QMenu* view = menuBar()->addMenu(tr("查看(&V)"));
    auto* toolBar = addToolBar(tr("工具栏"));
    toolBar->setObjectName(QStringLiteral("standardToolBar"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(m_newAction);
    toolBar->addAction(m_openAction);
    toolBar->addAction(m_saveAction);
    toolBar->addSeparator();
    toolBar->addAction(m_importAction);
    toolBar->addSeparator();
    toolBar->addAction(m_aboutAction);
    QAction* toolBarToggle = toolBar->toggleViewAction();
    toolBarToggle->setText(tr("工具栏(&T)"));
    view->addAction(toolBarToggle);
    auto* statusToggle = view->addAction(tr("状态栏(&S)"));
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
    view->addSeparator();
    QAction* treeToggle = m_treeDock->toggleViewAction();
    treeToggle->setText(tr("工程管理器(&W)"));
    view->addAction(treeToggle);
    QAction* outputToggle = m_outputDock->toggleViewAction();
    outputToggle->setText(tr("输出窗(&O)"));
    view->addAction(outputToggle);
    m_viewMenu = view;

    m_plcMenu = menuBar()->addMenu(tr("PLC(&P)"));

    menuBar()->addMenu(m_transfer->createMenu(this));
    auto* compare = new CompareWithCncAction(
        project(), [this] { return m_settings.communication(); }, this);
    compare->setPortPaths([this] { return m_transfer->portPaths(); });
    m_transfer->addLineCommand(compare);

    QMenu* tools = menuBar()->addMenu(tr("工具(&T)"));
    tools->addAction(m_optionsAction);

    m_windowMenu = menuBar()->addMenu(tr("窗口(&W)"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::updateWindowMenu);
    updateWindowMenu();

    QMenu* help = menuBar()->addMenu(tr("帮助(&H)"));
    help->addAction(m_aboutAction);

    m_projectOnly.append({m_editMenu->menuAction(), m_plcMenu->menuAction()});
    updateRecentFiles();
    updateDocumentMenus();
}

void MainWindow::updateRecentFiles() {
    const QStringList files = m_settings.recentFiles();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]));
            action->setData(files[i]);
            action->setVisible(true);
        } else {
            action->setData(QString());
            action->setVisible(false);
        }
    }
    m_recentSeparator->setVisible(!files.isEmpty());
}

void MainWindow::updateDocumentMenus() {
    QMdiSubWindow* active = m_mdi->activeSubWindow();
    setWindowModified(active != nullptr && active->isWindowModified());
    auto* document = active ? qobject_cast<DocumentWindow*>(active->widget()) : nullptr;
    const auto fill = [document](QMenu* menu, DocumentWindow::MenuSlot slot) {
        menu->clear();
        const QList<QAction*> actions = document ? document->menuActions(slot) : QList<QAction*>{};
        menu->addActions(actions);
        menu->setEnabled(!actions.isEmpty());
    };
    fill(m_editMenu, DocumentWindow::MenuSlot::Edit);
    fill(m_plcMenu, DocumentWindow::MenuSlot::Plc);

    // The View menu keeps its own entries; the active window's switches
    // follow them after a separator.
    for (QAction* action : std::as_const(m_viewDocumentActions))
        m_viewMenu->removeAction(action);
    m_viewDocumentActions.clear();
    const QList<QAction*> viewActions =
        document ? document->menuActions(DocumentWindow::MenuSlot::View) : QList<QAction*>{};
    if (!viewActions.isEmpty()) {
        m_viewDocumentActions.append(m_viewMenu->addSeparator());
        m_viewMenu->addActions(viewActions);
        m_viewDocumentActions.append(viewActions);
    }
}

void MainWindow::updateWindowMenu() {
    m_windowMenu->clear();
    m_windowMenu->addAction(tr("层叠(&C)"), m_mdi, &QMdiArea::cascadeSubWindows);
    m_windowMenu->addAction(tr("平铺(&T)"), m_mdi, &QMdiArea::tileSubWindows);
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (!windows.isEmpty()) m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* action =
            m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(shownTitle(*window)),
                                    this, [this, window] { m_mdi->setActiveSubWindow(window); });
        action->setCheckable(true);
        action->setChecked(window == m_mdi->activeSubWindow());
    }
}

void MainWindow::showOutputPane() {
    m_outputDock->show();
    m_outputDock->raise();
}

void MainWindow::setOutputTitle(const QString& title) {
    const QString base = tr("信息输出窗");
    m_outputDock->setWindowTitle(title.isEmpty() ? base : base + QStringLiteral(" - ") + title);
}

// --- commands ---

core::app::LocationDialog MainWindow::locationDialog(const char* title) {
    // The dialog comes back with the refused texts after a failed check.
    auto previous = std::make_shared<core::app::ProjectLocation>();
    const QString caption = MessageTranslator::translate(title);
    return [this, previous, caption]() -> std::optional<core::app::ProjectLocation> {
        auto answer = m_dialogs.projectLocation(this, caption, *previous);
        if (answer) *previous = *answer;
        return answer;
    };
}

bool MainWindow::newProject() {
    return m_project.newProject(locationDialog(Project::kNewProjectTitle));
}

bool MainWindow::openProject() {
    const std::optional<QString> path = m_dialogs.projectFileToOpen(this);
    if (!path) return false;
    return m_project.openProject(path->toStdString()) == Project::OpenOutcome::Opened;
}

bool MainWindow::openProjectByPath(const QString& path) {
    const Project::OpenOutcome outcome = m_project.openProjectByPath(path.toStdString());
    // A project named on the command line or handed over by a second start
    // was chosen by the user as one from the file dialog is.
    if (outcome == Project::OpenOutcome::Opened) addRecentFile(m_project.projectFilePath());
    return outcome != Project::OpenOutcome::Failed;
}

bool MainWindow::closeProject() {
    return m_project.closeProject();
}

bool MainWindow::saveProject() {
    return m_project.saveProject();
}

bool MainWindow::saveProjectAs() {
    const std::string oldFolder = m_project.folder();
    const std::string oldPlcProgram = m_project.plcProgramPath();
    const bool saved = m_project.saveProjectAs(locationDialog(Project::kSaveAsTitle));
    if (m_project.folder() != oldFolder) followProject(oldFolder, oldPlcProgram);
    return saved;
}

void MainWindow::followProject(const std::string& oldFolder, const std::string& oldPlcProgram) {
    // The open windows now edit the new project's copies; left on the old
    // files, later saves would miss the project that is open.
    for (DocumentWindow* document : documents()) {
        const QFileInfo file(fromUtf8(document->path()));
        if (Project::samePath(document->path(), oldPlcProgram))
            document->setPath(m_project.plcProgramPath());
        else if (Project::samePath(file.absolutePath().toStdString(), oldFolder))
            document->setPath(m_project.filePath(file.fileName().toStdString()));
    }
}

bool MainWindow::importLadder() {
    const auto request = m_dialogs.importLadder(this, m_project);
    if (!request) return false;
    const bool imported =
        m_project.importPlcProgram(*request, locationDialog(Project::kNewProjectTitle));
    // Adopted part programs are new tree entries.
    m_treePane->rebuild();
    return imported;
}

void MainWindow::showOptions() {
    const SettingsRules::Options before = m_settings.options();
    const auto chosen = m_dialogs.options(this, before);
    if (!chosen) return;
    const SettingsRules::OptionsChange change = SettingsRules::optionsChange(before, *chosen);
    for (const SettingsRules::Write& write : change.writes)
        m_settings.setValue(SettingsRules::kOptions, write.key.c_str(), write.value);
    if (!change.languageChanged) return;
    m_messageBoxes.inform(SettingsRules::kLanguageChangedText, core::common::kMessageCaption,
                          MessageIcon::Information);
    close();
}

void MainWindow::showAbout() {
    m_dialogs.about(this, QCoreApplication::applicationDirPath());
}

void MainWindow::printSetup() {
    m_dialogs.printSetup(this, m_printer);
}

void MainWindow::openRecentFile(int index) {
    if (index < 0 || index >= m_recentActions.size()) return;
    const QString path = m_recentActions[index]->data().toString();
    if (path.isEmpty()) return;
    // An entry that can no longer be opened leaves the list.
    if (m_project.openProjectByPath(path.toStdString()) == Project::OpenOutcome::Failed) {
        m_settings.removeRecentFile(path);
        updateRecentFiles();
    }
}

void MainWindow::handleRequest(const QString& request) {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    show();
    raise();
    activateWindow();
    if (!request.isEmpty()) openProjectByPath(request);
}

void MainWindow::openTreeEntry(core::app::ProjectTree::Entry entry) {
    using Entry = core::app::ProjectTree::Entry;
    if (entry == Entry::ProgramInformation)
        editProgramInformation();
    else if (entry == Entry::KValues)
        editKValues();
    else
        m_project.openTreeEntry(entry);
}

void MainWindow::editPlcProperties() {
    WorkbenchDialogs::PlcTexts current;
    for (std::size_t i = 0; i < current.size(); ++i)
        current[i] = m_project.plcInfo(static_cast<int>(i));
    const auto texts = m_dialogs.plcProperties(this, tr("梯形图属性"), current, m_messageBoxes);
    if (texts) m_project.setPlcProperties(*texts);
}

bool MainWindow::showPlcProgram() {
    if (!m_project.hasProject()) return false;
    if (isDocumentOpen(m_project.plcProgramPath())) return true;
    return m_project.openTreeEntry(core::app::ProjectTree::Entry::LadderProgram);
}

void MainWindow::editProgramInformation() {
    if (!showPlcProgram()) return;
    WorkbenchDialogs::PlcTexts current;
    for (std::size_t i = 0; i < current.size(); ++i)
        current[i] = m_project.plcInfo(static_cast<int>(i));
    const QString title = tr("KELCC-工程 %1 : 程序版本信息").arg(fromUtf8(m_project.name()));
    const auto texts = m_dialogs.plcProperties(this, title, current, m_messageBoxes);
    if (texts) m_project.setPlcProperties(*texts);
}

void MainWindow::editKValues() {
    if (!showPlcProgram()) return;
    const auto doc = m_project.documents().find<core::plc::PlcDocument>(m_project.plcProgramPath());
    if (!doc) return;
    core::plc_tables::KTableModel table(*doc);
    m_dialogs.kValues(this, table, m_language == 1);
}

void MainWindow::runPartProgramCommand(int command, const QString& name) {
    switch (command) {
        case kNewProgram:
            PartProgramActions::newProgram(*m_workbench);
            break;
        case kImportProgram:
            PartProgramActions::importProgram(*m_workbench);
            break;
        case kOpenProgram:
            PartProgramActions::openProgram(*m_workbench, name.toStdString());
            break;
        case kDeleteProgram:
            PartProgramActions::deleteProgram(*m_workbench, name.toStdString());
            break;
        default:
            break;
    }
}

// --- documents ---

QMdiSubWindow* MainWindow::asSubWindow(const QPointer<QWidget>& window) {
    // qobject_cast, not a static cast: a child in the middle of its
    // destruction is a plain QWidget by then.
    return qobject_cast<QMdiSubWindow*>(window.data());
}

QList<DocumentWindow*> MainWindow::documents() const {
    QList<DocumentWindow*> list;
    for (const QPointer<QWidget>& window : m_windows)
        if (QMdiSubWindow* sub = asSubWindow(window))
            if (auto* document = qobject_cast<DocumentWindow*>(sub->widget()))
                list.append(document);
    return list;
}

bool MainWindow::openDocument(const std::string& path, ProjectItemType type) {
    DocumentWindow* document = DocumentKinds::create(*m_workbench, path, type);
    if (document == nullptr) return false;
    if (!document->load()) {
        delete document;
        return false;
    }
    const bool maximized =
        m_mdi->activeSubWindow() == nullptr || m_mdi->activeSubWindow()->isMaximized();
    QMdiSubWindow* window = m_mdi->addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(TreeIcons::icon(imageOf(type)));
    window->installEventFilter(this);
    m_windows.append(window);
    // A maximised window puts its title, "[*]" and all, into the main
    // window's; the main window's mark follows the active document.
    connect(document, &DocumentWindow::modificationChanged, this, [this] {
        QMdiSubWindow* active = m_mdi->activeSubWindow();
        setWindowModified(active != nullptr && active->isWindowModified());
    });
    connect(window, &QObject::destroyed, this, [this](QObject* gone) {
        m_windows.removeIf([gone](const QPointer<QWidget>& w) { return w.isNull() || w == gone; });
        updateDocumentMenus();
    });
    if (maximized)
        window->showMaximized();
    else
        window->show();
    m_mdi->setActiveSubWindow(window);
    updateDocumentMenus();
    return true;
}

bool MainWindow::isDocumentOpen(const std::string& path) const {
    for (DocumentWindow* document : documents())
        if (Project::samePath(document->path(), path)) return true;
    return false;
}

void MainWindow::activateDocument(const std::string& path, ProjectItemType type) {
    for (const QPointer<QWidget>& window : m_windows) {
        QMdiSubWindow* sub = asSubWindow(window);
        auto* document = sub ? qobject_cast<DocumentWindow*>(sub->widget()) : nullptr;
        if (document && document->type() == type && Project::samePath(document->path(), path)) {
            m_mdi->setActiveSubWindow(sub);
            return;
        }
    }
    // Another window kind of the same file (the PLC program has three).
    openDocument(path, type);
}

void MainWindow::markDocumentModified(const std::string& path) {
    for (DocumentWindow* document : documents())
        if (Project::samePath(document->path(), path)) document->setModified(true);
}

void MainWindow::closeSilently(QMdiSubWindow* window) {
    m_windows.removeAll(window);
    window->hide();
    m_mdi->removeSubWindow(window);
    window->deleteLater();
}

void MainWindow::closeDocument(const std::string& path) {
    const QList<QPointer<QWidget>> windows = m_windows;
    for (const QPointer<QWidget>& window : windows) {
        QMdiSubWindow* sub = asSubWindow(window);
        auto* document = sub ? qobject_cast<DocumentWindow*>(sub->widget()) : nullptr;
        if (document && Project::samePath(document->path(), path)) closeSilently(sub);
    }
    updateDocumentMenus();
}

void MainWindow::closeAllDocuments() {
    const QList<QPointer<QWidget>> windows = m_windows;
    for (const QPointer<QWidget>& window : windows)
        if (QMdiSubWindow* sub = asSubWindow(window)) closeSilently(sub);
    updateDocumentMenus();
}

bool MainWindow::saveModifiedDocuments() {
    for (DocumentWindow* document : documents())
        if (document->isModified() && !document->saveSilently()) return false;
    return true;
}

bool MainWindow::reloadDocument(const std::string& path, ProjectItemType) {
    bool loaded = true;
    // A shared document is read once; every window showing it redraws.
    QList<const core::common::Document*> done;
    for (DocumentWindow* window : documents()) {
        if (!Project::samePath(window->path(), path)) continue;
        if (const auto* doc = window->document()) {
            if (done.contains(doc)) continue;
            done.append(doc);
        }
        loaded = window->reload() && loaded;
    }
    return loaded;
}

void MainWindow::showProject(bool open, const std::string& windowTitle) {
    setWindowTitle(MessageTranslator::translate(windowTitle));
    for (QAction* action : m_projectOnly)
        action->setVisible(open);
    m_treePane->rebuild();
    m_treeDock->setVisible(open);
    if (m_transfer != nullptr) m_transfer->updateActions();
}

void MainWindow::addRecentFile(const std::string& path) {
    m_settings.addRecentFile(fromUtf8(path));
    updateRecentFiles();
}

void MainWindow::rememberLastProject(const std::string& path) {
    m_settings.setValue(SettingsRules::kLastProject, SettingsRules::kPath, path);
}

bool MainWindow::autoOpen() const {
    return m_settings.options().autoOpen;
}

// --- events ---

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_transfer->confirmQuit()) {
        event->ignore();
        return;
    }
    // No drops the edits; Save project then writes only what is still
    // marked, and a failed save keeps the program running.
    if (!m_project.confirmExit() || !m_project.saveProject()) {
        event->ignore();
        return;
    }
    closeAllDocuments();
    // A normal end: nothing to recover at the next start.
    m_recovery->removeAll();
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        auto* window = qobject_cast<QMdiSubWindow*>(watched);
        auto* document = window ? qobject_cast<DocumentWindow*>(window->widget()) : nullptr;
        if (document && !document->queryClose()) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace kelcc::ui
