// kelcc-cli: batch commands of the workbench without a window.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"
#include "plc/project_state.h"

namespace {

using kelcc::core::plc::ProgramFile;

constexpr const char* kUsage =
    "Usage: kelcc-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  resave IN.ldx OUT.ldx   read a PLC program file and write it back unchanged\n"
    "  --help                  show this text\n"
    "  --version               show the version\n";

// Exit codes: 0 done, 1 the file was refused, 2 usage or file system error.
int resave(const std::string& in, const std::string& out) {
    kelcc::core::plc::SimpleProjectState project;
    kelcc::core::plc::PlcDocument doc(project);
    kelcc::core::common::RecordingInteraction interaction;
    const ProgramFile::ReadFileResult read = ProgramFile::readFile(in, doc, interaction);
    switch (read.result) {
        case ProgramFile::kReadOk:
            break;
        case ProgramFile::kReadUnreadable:
            std::fprintf(stderr, "kelcc-cli: %s\n", read.error.c_str());
            return 2;
        case ProgramFile::kReadFormatError:
            // The reader has told the user through the interaction.
            for (const auto& message : interaction.messages())
                std::fprintf(stderr, "kelcc-cli: %s: %s\n", in.c_str(), message.text.c_str());
            return 1;
        default:
            std::fprintf(stderr, "kelcc-cli: %s: %s\n", in.c_str(),
                         ProgramFile::kUnsupportedVersionText);
            return 1;
    }
    const kelcc::core::common::FileResult written = ProgramFile::writeFile(out, doc);
    if (!written.ok) {
        std::fprintf(stderr, "kelcc-cli: %s\n", written.error.c_str());
        return 2;
    }
    return 0;
}

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
    if (args[0] == "resave") {
        if (args.size() != 3) {
            std::fprintf(stderr, "kelcc-cli: resave needs IN.ldx and OUT.ldx\n\n%s", kUsage);
            return 2;
        }
        return resave(args[1], args[2]);
    }
    std::fprintf(stderr, "kelcc-cli: unknown command '%s'\n\n%s", args[0].c_str(), kUsage);
    return 2;
}
