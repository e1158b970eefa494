#pragma once

#include <string>
#include <vector>

namespace kelcc::cli {

// kelcc-cli print IN.ldx OUT.pdf [--project NAME]: the ladder printout of
// the workbench written as a PDF. Needs the Qt workbench library; a build
// without it reports that printing is not built in.
class PrintCommand final {
public:
    // Exit code: 0 done, 1 the program was refused, 2 usage or file error.
    static int run(const std::vector<std::string>& args);
};

}  // namespace kelcc::cli
