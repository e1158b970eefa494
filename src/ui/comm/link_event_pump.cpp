#include "comm/link_event_pump.h"

#include <algorithm>
#include <chrono>

#include "comm/posix_serial_port.h"

namespace kelcc::ui {

using core::comm::LinkHost;
using core::comm::PosixSerialPort;

namespace {

std::unique_ptr<PosixSerialPort> makePort(PosixSerialPort*& raw) {
    auto port = std::make_unique<PosixSerialPort>();
    raw = port.get();
    return port;
}

}  // namespace

LinkEventPump::LinkEventPump(QObject* parent)
    : QObject(parent),
      m_host(makePort(m_serial)),
      m_notifier(m_host.wakeFd(), QSocketNotifier::Read) {
    m_notifier.setEnabled(false);
    m_tick.setSingleShot(true);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_notifier, &QSocketNotifier::activated, this, &LinkEventPump::pump);
    connect(&m_tick, &QTimer::timeout, this, &LinkEventPump::pump);
}

LinkEventPump::~LinkEventPump() {
    m_host.setInput(nullptr);
    m_host.close();
}

void LinkEventPump::setLine(int portNumber, std::int32_t baud, const core::comm::PortPaths& paths) {
    m_portNumber = portNumber;
    m_baud = baud;
    m_serial->setPaths(paths);
}

std::string LinkEventPump::devicePath() const {
    return m_serial->paths().path(m_portNumber).value_or(std::string());
}

bool LinkEventPump::open() {
    if (!m_host.open(m_portNumber, m_baud)) return false;
    m_notifier.setEnabled(true);
    armTick();
    return true;
}

void LinkEventPump::close() {
    m_notifier.setEnabled(false);
    m_tick.stop();
    m_host.close();
}

void LinkEventPump::pump() {
    if (m_feeding) return;
    m_feeding = true;
    m_notifier.setEnabled(false);
    m_host.dispatch();
    m_feeding = false;
    // The input may have closed the line meanwhile.
    if (m_host.isOpen()) {
        m_notifier.setEnabled(true);
        armTick();
    }
    emit dispatched();
}

void LinkEventPump::armTick() {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(m_host.nextTick() - LinkHost::Clock::now());
    m_tick.start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
}

}  // namespace kelcc::ui
