#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

namespace kelcc::core::transfer {
class SessionDriver;
}

namespace kelcc::ui {

// Runs the session driver's line on the user-interface thread: the
// reader's chunks arrive through a notifier on the driver's wake-up
// descriptor, the 300 ms tick and the 2 s transfer timer through timers.
// The workers never see a widget. While the input is being fed (a message
// box opened from inside it included) nothing more is fed, so chunks always
// reach the engine in order.
class LinkEventPump final : public QObject {
    Q_OBJECT

public:
    explicit LinkEventPump(core::transfer::SessionDriver& driver, QObject* parent = nullptr);
    ~LinkEventPump() override;

    // Starts or stops the transfer timer as the session wants it.
    void follow();

signals:
    // The driver was fed; what it shows may have changed.
    void dispatched();

private:
    void lineChanged(bool open);
    void pump();
    void armTick();

    core::transfer::SessionDriver& m_driver;
    QSocketNotifier m_notifier;
    QTimer m_tick;
    QTimer m_transferTimer;
    bool m_feeding = false;
};

}  // namespace kelcc::ui
