#include "transfer/link_host_port.h"

namespace kelcc::core::transfer {

bool LinkHostPort::open() {
    return m_host.open(m_portNumber, m_baud);
}

void LinkHostPort::close() {
    if (!m_host.close()) ++m_lateCloses;
}

}  // namespace kelcc::core::transfer
