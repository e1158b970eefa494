#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>

#include "app/application.h"

namespace {

constexpr const char* kHelp =
    "Usage: kelcc [PROJECT.gpr]\n"
    "Workbench for the KEL500LT lathe CNC controller: ladder PLC program, CNC data, RS-232.\n"
    "\n"
    "Options:\n"
    "  PROJECT.gpr             open this project instead of the last one; a project\n"
    "                          that cannot be opened ends the program with status 1\n"
    "  --help                  show this text\n"
    "  --version               show the version\n"
    "  Qt's own options (-platform NAME, -style NAME, ...) are accepted as well.\n"
    "\n"
    "One workbench runs per user: a second start hands its project to the running\n"
    "one and ends.\n"
    "\n"
    "Environment:\n"
    "  KELCC_SETTINGS=FILE     settings file (and single-instance socket) to use\n"
    "                          instead of ~/.config/KELCC/KELCC.ini\n"
    "  KELCC_REPORT_STARTUP=1  print the start-up time and the language, then end\n"
    "  KELCC_SCREENSHOT=FILE   save a picture of the main window, then end\n"
    "  KELCC_SCREENSHOT_SIZE=WxH  size the window first\n"
    "  QT_QPA_PLATFORM=offscreen  run without a display\n"
    "\n"
    "Files:\n"
    "  ~/.config/KELCC/KELCC.ini             settings and recent files\n"
    "  PREFIX/share/kelcc/translations/KELCC_ResENU.qm  English texts\n"
    "  PREFIX/share/kelcc/history.txt        the version history of the about box\n"
    "\n"
    "Exit status:\n"
    "  0  ended normally\n"
    "  1  the project named on the command line could not be opened\n"
    "\n"
    "Examples:\n"
    "  kelcc /home/user/LatheDemo/LatheDemo.gpr\n"
    "  QT_QPA_PLATFORM=offscreen KELCC_REPORT_STARTUP=1 kelcc\n"
    "\n"
    "Serial ports:\n"
    "  The user must be in the dialout group to open /dev/ttyS* and /dev/ttyUSB*\n"
    "  (sudo adduser $USER dialout, then log in again).\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so that they work without a display.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("kelcc " KELCC_VERSION);
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    return kelcc::ui::Application(app, clock).run();
}
