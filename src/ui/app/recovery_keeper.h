#pragma once

#include <QObject>

#include "common/recovery_store.h"

class QTimer;

namespace kelcc::ui {

class MainWindow;

// Keeps recovery copies of every modified document of the main window:
// every two minutes the modified ones are written and the saved or closed
// ones removed; a normal end removes them all. At start, copies of the
// open project's files left by a crash are offered back.
class RecoveryKeeper final : public QObject {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 2 * 60 * 1000;
    static constexpr const char* kOfferText =
        "上次运行未正常结束, 以下文件有未保存的修改:\n%1\n是否恢复?";
    static constexpr const char* kOfferCaption = "恢复";

    RecoveryKeeper(MainWindow& window, const QString& folder);

    const core::common::RecoveryStore& store() const noexcept { return m_store; }

    // What the timer does.
    void update();
    void removeAll();
    // One question for the copies of the open project's files; Yes opens
    // each file and puts its copy in place, No drops the copies. Copies of
    // other projects stay for when those are open.
    void offerRestore();

private:
    MainWindow& m_window;
    core::common::RecoveryStore m_store;
    QTimer* m_timer = nullptr;
};

}  // namespace kelcc::ui
