#include <QApplication>
#include <QElapsedTimer>

#include "app/application.h"

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    return kelcc::ui::Application(app, clock).run();
}
