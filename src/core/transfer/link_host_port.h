#pragma once

#include <cstdint>

#include "comm/link_host.h"
#include "transfer/transfer_port.h"

namespace kelcc::core::transfer {

// A transfer session's port on a LinkHost: the port number and rate are
// fixed when it is made, as the settings give them.
class LinkHostPort final : public TransferPort {
public:
    LinkHostPort(comm::LinkHost& host, int portNumber, std::int32_t baud)
        : m_host(host), m_portNumber(portNumber), m_baud(baud) {}

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
};

}  // namespace kelcc::core::transfer
