#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// "xref IN.ldx": the cross references of the program's ladder as
// tab-separated lines, then its warnings.
class XrefCommand final {
public:
    static int run(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
