#include "transfer/link_host_port.h"

namespace kelcc::core::transfer {

bool LinkHostPort::open() {
    if (!m_host.open(m_portNumber, m_baud)) return false;
    if (m_watcher) m_watcher(true);
    return true;
}

void LinkHostPort::close() {
    if (!m_host.close()) ++m_lateCloses;
    if (m_watcher) m_watcher(false);
}

}  // namespace kelcc::core::transfer
