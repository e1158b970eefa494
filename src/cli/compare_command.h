#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// kelcc-cli compare FILE.gpr (--device PATH | --port N) [--baud N]: the
// project against the controller's copies of its files, one line per file
// and its details indented below. Exit 0 when every file is the same, 1
// when one differs, is missing on a side or could not be compared, 2 for a
// usage error, a project that does not open or no link.
class CompareCommand final {
public:
    static int run(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
