#pragma once

#include <QElapsedTimer>
#include <QStringList>

#include "common/interaction.h"

class QApplication;
class QTranslator;

namespace kelcc::ui {

class AppSettings;
class MainWindow;

// The program from start to the end of its event loop: the single-instance
// rule, the settings, the language, the window kinds, the main window, the
// command line and the reopening of the last project.
class Application final {
public:
    static constexpr const char* kEnglishFile = "KELCC_ResENU.qm";

    Application(QApplication& app, QElapsedTimer startClock);

    int run();

    // Loads the English translation for language 1 from the first folder
    // that has it; a missing file is reported (in English) and the program
    // goes on in Chinese. Returns the language index in use.
    static int installLanguage(int language, const QStringList& folders, QTranslator& translator,
                               core::common::Interaction& interaction);
    // Qt's own texts (standard buttons, file, print and page dialogs) in the
    // language in use, from Qt's translations folder; false when that
    // folder lacks them (Qt then speaks English).
    static bool installQtTranslation(int language, QTranslator& translator);
    // Beside the program, then in the installed data folder.
    static QStringList translationFolders();
    static void registerWindowKinds();
    // AutoLoad: reopens the remembered project; one that names an existing
    // file but cannot be opened is forgotten.
    static void reopenLastProject(MainWindow& window, AppSettings& settings);

private:
    QApplication& m_app;
    QElapsedTimer m_clock;
};

}  // namespace kelcc::ui
