#pragma once

#include <cstdint>
#include <functional>

#include "comm/link_host.h"
#include "transfer/transfer_port.h"

namespace kelcc::core::transfer {

// A transfer session's port on a LinkHost, opened with the port number and
// rate last set.
class LinkHostPort final : public TransferPort {
public:
    LinkHostPort(comm::LinkHost& host, int portNumber, std::int32_t baud)
        : m_host(host), m_portNumber(portNumber), m_baud(baud) {}

    void setLine(int portNumber, std::int32_t baud) {
        m_portNumber = portNumber;
        m_baud = baud;
    }
    int portNumber() const noexcept { return m_portNumber; }
    // Told after every open that worked and every close.
    void setWatcher(std::function<void(bool open)> watcher) { m_watcher = std::move(watcher); }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_host.isOpen(); }
    std::string openError() const override { return m_host.lastError(); }

    // How many closes found a worker thread that did not end in time.
    int lateCloses() const noexcept { return m_lateCloses; }

private:
    comm::LinkHost& m_host;
    int m_portNumber;
    std::int32_t m_baud;
    int m_lateCloses = 0;
    std::function<void(bool)> m_watcher;
};

}  // namespace kelcc::core::transfer
