#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <optional>
#include <string>

#include "app/app_settings.h"
#include "app/main_window.h"
#include "app/message_box_interaction.h"
#include "app/recovery_keeper.h"
#include "app/settings_rules.h"
#include "app/single_instance.h"
#include "app/workbench_dialogs.h"

#include "cnc_data/cnc_data_window_kinds.h"
#include "cnc_data/part_program_actions.h"
#include "ladder_editor/ladder_window_kind.h"
#include "plc_tables/plc_table_window_kinds.h"

namespace kelcc::ui {

using core::app::SettingsRules;

namespace {

bool fileExists(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).isFile();
}

// Test and measurement hooks: report the start-up time or save a picture of
// the main window, then end.
void finishEarly(MainWindow& window, const QElapsedTimer& clock, int language) {
    const bool report = qEnvironmentVariable("KELCC_REPORT_STARTUP") == QStringLiteral("1");
    const QString screenshot = qEnvironmentVariable("KELCC_SCREENSHOT");
    if (!report && screenshot.isEmpty()) return;
    // Without a window manager "maximised" has no size; pictures for the
    // documentation may ask for one, e.g. KELCC_SCREENSHOT_SIZE=1600x900.
    const QStringList size = qEnvironmentVariable("KELCC_SCREENSHOT_SIZE").split(u'x');
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0)
        window.resize(size[0].toInt(), size[1].toInt());
    QTimer::singleShot(0, &window, [&window, clock, report, screenshot, language] {
        if (!screenshot.isEmpty()) window.grab().save(screenshot);
        if (report) {
            std::printf("kelcc: started in %lld ms, project %s, language %s\n",
                        static_cast<long long>(clock.elapsed()),
                        window.project().projectOpen() ? "open" : "none",
                        language == 0 ? "zh" : "en");
            std::fflush(stdout);
        }
        QCoreApplication::exit(0);
    });
}

}  // namespace

Application::Application(QApplication& app, QElapsedTimer startClock)
    : m_app(app), m_clock(startClock) {}

QStringList Application::translationFolders() {
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir, QDir::cleanPath(dir + QStringLiteral("/../share/kelcc/translations"))};
}

int Application::installLanguage(int language, const QStringList& folders, QTranslator& translator,
                                 core::common::Interaction& interaction) {
    bool loaded = language == 0;
    if (!loaded)
        for (const QString& folder : folders)
            if ((loaded = translator.load(QString::fromLatin1(kEnglishFile), folder))) break;
    const SettingsRules::LanguageStart start =
        SettingsRules::languageAfterLoading(language, loaded);
    if (start.warning) {
        // The library of the original platform is a translation file here.
        std::string text = SettingsRules::kLibraryLoadFailedFormat;
        text.replace(text.find("%s"), 2, kEnglishFile);
        interaction.inform(text, core::common::kMessageCaption, core::common::MessageIcon::Warning);
    }
    if (start.language != 0) QCoreApplication::installTranslator(&translator);
    return start.language;
}

bool Application::installQtTranslation(int language, QTranslator& translator) {
    // Qt's texts are English already.
    if (language != 0) return false;
    if (!translator.load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

void Application::registerWindowKinds() {
    registerLadderWindowKind();
    registerPlcTableWindowKinds();
    registerCncDataWindowKinds();
    PartProgramActions::registerWindowKind();
}

void Application::reopenLastProject(MainWindow& window, AppSettings& settings) {
    const auto path =
        SettingsRules::projectToReopen(settings.options(), settings.lastProject(), &fileExists);
    if (!path) return;
    const auto outcome = window.project().openProjectByPath(*path);
    if (outcome == core::app::Project::OpenOutcome::Failed)
        settings.remove(SettingsRules::kLastProject, SettingsRules::kPath);
    else if (outcome == core::app::Project::OpenOutcome::Opened)
        window.addRecentFile(window.project().projectFilePath());
}

int Application::run() {
    QCoreApplication::setApplicationName(QStringLiteral("KELCC"));
    const QStringList arguments = QCoreApplication::arguments();
    const QString projectArgument =
        arguments.size() > 1 ? QFileInfo(arguments[1]).absoluteFilePath() : QString();

    SingleInstance instance(SingleInstance::defaultName());
    if (!instance.start(projectArgument)) return 0;

    const QString settingsPath = AppSettings::defaultFilePath();
    QDir().mkpath(QFileInfo(settingsPath).absolutePath());
    AppSettings settings(settingsPath);
    const SettingsRules::Options options = settings.options();

    QTranslator translator;
    MessageBoxInteraction startMessages([] { return nullptr; });
    const int language =
        installLanguage(options.language, translationFolders(), translator, startMessages);
    QTranslator qtTranslator;
    installQtTranslation(language, qtTranslator);
    registerWindowKinds();

    WorkbenchDialogs dialogs;
    MainWindow window(settings, language, dialogs);
    QObject::connect(&instance, &SingleInstance::requestReceived, &window,
                     &MainWindow::handleRequest);
    window.showMaximized();

    if (!projectArgument.isEmpty()) {
        // A project named on the command line that cannot be opened ends
        // the program, as any failed command-line request.
        if (!window.openProjectByPath(projectArgument)) return 1;
    } else {
        reopenLastProject(window, settings);
    }
    window.recovery().offerRestore();
    finishEarly(window, m_clock, language);
    return m_app.exec();
}

}  // namespace kelcc::ui
