#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// The controller link commands of kelcc-cli: list, send and receive. Each
// returns the process exit code: 0 done, 1 refused by the controller or the
// session (its message printed), 2 no link could be made or a usage error.
class LinkCommands final {
public:
    static int list(const std::vector<std::string>& args);
    static int send(const std::vector<std::string>& args);
    static int receive(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
