#include "comm/link_event_pump.h"

#include <algorithm>
#include <chrono>

#include "transfer/session_driver.h"

namespace kelcc::ui {

using core::comm::LinkHost;
using core::transfer::SessionDriver;

LinkEventPump::LinkEventPump(SessionDriver& driver, QObject* parent)
    : QObject(parent), m_driver(driver), m_notifier(driver.wakeFd(), QSocketNotifier::Read) {
    m_notifier.setEnabled(false);
    m_tick.setSingleShot(true);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_notifier, &QSocketNotifier::activated, this, &LinkEventPump::pump);
    connect(&m_tick, &QTimer::timeout, this, &LinkEventPump::pump);
    m_transferTimer.setInterval(static_cast<int>(SessionDriver::kTransferPeriod.count()));
    connect(&m_transferTimer, &QTimer::timeout, this, [this] {
        m_driver.transferTimer();
        emit dispatched();
    });
    m_driver.setLineWatcher([this](bool open) { lineChanged(open); });
}

LinkEventPump::~LinkEventPump() {
    m_driver.setLineWatcher({});
}

void LinkEventPump::follow() {
    const bool wanted = m_driver.session().transferTimerRunning();
    if (wanted && !m_transferTimer.isActive())
        m_transferTimer.start();
    else if (!wanted && m_transferTimer.isActive())
        m_transferTimer.stop();
}

void LinkEventPump::lineChanged(bool open) {
    m_notifier.setEnabled(open && !m_feeding);
    if (open)
        armTick();
    else
        m_tick.stop();
}

void LinkEventPump::pump() {
    if (m_feeding) return;
    m_feeding = true;
    m_notifier.setEnabled(false);
    m_driver.dispatch();
    m_feeding = false;
    // The input may have closed the line meanwhile.
    if (m_driver.session().linkOpen()) {
        m_notifier.setEnabled(true);
        armTick();
    }
    emit dispatched();
}

void LinkEventPump::armTick() {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(m_driver.nextTick() - LinkHost::Clock::now());
    m_tick.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
}

}  // namespace kelcc::ui
