#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdint>
#include <memory>

#include "comm/link_host.h"
#include "comm/port_paths.h"
#include "transfer/transfer_port.h"

namespace kelcc::core::comm {
class LinkInput;
class PosixSerialPort;
}  // namespace kelcc::core::comm

namespace kelcc::ui {

// Runs the link on the user-interface thread: the reader's chunks arrive
// through a notifier on the host's wake-up descriptor, the 300 ms tick
// through a timer. The workers never see a widget. While the input is
// being fed (a message box opened from inside it included) nothing more is
// fed, so chunks always reach the engine in order.
class LinkEventPump final : public QObject, public core::transfer::TransferPort {
    Q_OBJECT

public:
    explicit LinkEventPump(QObject* parent = nullptr);
    ~LinkEventPump() override;

    // What the next open uses.
    void setLine(int portNumber, std::int32_t baud, const core::comm::PortPaths& paths);
    int portNumber() const noexcept { return m_portNumber; }
    std::string devicePath() const;
    void setInput(core::comm::LinkInput* input) { m_host.setInput(input); }
    core::comm::LinkHost& host() noexcept { return m_host; }

    // TransferPort
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_host.isOpen(); }

signals:
    // The input was fed; what it shows may have changed.
    void dispatched();

private:
    void pump();
    void armTick();

    core::comm::PosixSerialPort* m_serial;  // owned by m_host
    core::comm::LinkHost m_host;
    QSocketNotifier m_notifier;
    QTimer m_tick;
    bool m_feeding = false;
    int m_portNumber = 1;
    std::int32_t m_baud = 38400;
};

}  // namespace kelcc::ui
