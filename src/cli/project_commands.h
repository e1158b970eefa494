#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// The project commands of kelcc-cli. Each returns the process exit code:
// 0 done, 1 refused, 2 usage or file system error.
class ProjectCommands final {
public:
    // project SUBCOMMAND ARGS...
    static int run(const std::vector<std::string>& args);

    static int create(const std::vector<std::string>& args);
    static int show(const std::vector<std::string>& args);
    static int addProgram(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
