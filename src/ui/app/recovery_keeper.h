#pragma once

#include <QObject>
#include <functional>

#include "ladder_editor/ladder_recovery.h"

class QTimer;

namespace kelcc::ui {

class MainWindow;

// Keeps recovery copies of the modified PLC programs of the main window:
// every two minutes the modified ones are written and the saved or closed
// ones removed; a normal end removes them all. At start, copies of the
// open project's program left by a crash are offered back.
class RecoveryKeeper final : public QObject {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 2 * 60 * 1000;

    RecoveryKeeper(MainWindow& window, const QString& folder);

    // What the timer does.
    void update();
    void removeAll();
    // Asks about a copy of the open project's program; Yes opens the
    // program and puts the copy in its place, No drops the copy.
    void offerRestore();

private:
    MainWindow& m_window;
    core::ladder_editor::LadderRecovery m_recovery;
    QTimer* m_timer = nullptr;
};

}  // namespace kelcc::ui
