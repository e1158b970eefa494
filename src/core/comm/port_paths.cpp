#include "comm/port_paths.h"

#include <utility>

namespace kelcc::core::comm {

PortPaths::PortPaths() : m_paths{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyS1"} {}

std::optional<std::string> PortPaths::path(int portNumber) const {
    if (!validPortNumber(portNumber)) return std::nullopt;
    return m_paths[static_cast<std::size_t>(portNumber - kFirstPort)];
}

bool PortPaths::setPath(int portNumber, std::string path) {
    if (!validPortNumber(portNumber) || path.empty()) return false;
    m_paths[static_cast<std::size_t>(portNumber - kFirstPort)] = std::move(path);
    return true;
}

}  // namespace kelcc::core::comm
