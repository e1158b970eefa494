#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// The PLC program commands of kelcc-cli. Each returns the process exit code:
// 0 done, 1 the input was refused (or did not compile), 2 usage or file
// system error.
class PlcCommands final {
public:
    static int resave(const std::vector<std::string>& args);
    static int open(const std::vector<std::string>& args);
    static int compile(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
