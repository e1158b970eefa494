#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// "params get|set PROJECT.gpr NUMBER [VALUE]" and "params dump PROJECT.gpr":
// the CNC parameters of a project folder, read and written with the value
// rules of the parameter window.
class ParamCommands final {
public:
    static int run(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
