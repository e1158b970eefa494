#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// "tables export" and "tables import": one table of a PLC program file as
// a CSV file (UTF-8). Exit codes as the other commands.
class TableCommands final {
public:
    static int run(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
