#pragma once

#include <array>
#include <optional>
#include <string>

namespace kelcc::core::comm {

// Device paths of the port numbers 1 to 4; any path may be set, a
// pseudo-terminal included.
class PortPaths final {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 4;

    PortPaths();

    // The path of a port number, or nothing outside 1 to 4.
    std::optional<std::string> path(int portNumber) const;
    // False, and nothing changed, outside 1 to 4 or for an empty path.
    bool setPath(int portNumber, std::string path);

    static bool validPortNumber(int portNumber) noexcept {
        return portNumber >= kFirstPort && portNumber <= kLastPort;
    }

private:
    std::array<std::string, kLastPort> m_paths;
};

}  // namespace kelcc::core::comm
