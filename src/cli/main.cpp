// kelcc-cli: batch commands of the workbench without a window.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: kelcc-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  resave IN.ldx OUT.ldx   read a PLC program file and write it back unchanged\n"
    "  --help                  show this text\n"
    "  --version               show the version\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args[0] == "--version") {
        std::puts("kelcc-cli 1.4.0");
        return 0;
    }
    std::fprintf(stderr, "kelcc-cli: unknown command '%s'\n\n%s", args[0].c_str(), kUsage);
    return 2;
}
