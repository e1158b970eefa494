#include "link_commands.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <utility>

#include "comm/posix_serial_port.h"
#include "link_session_runner.h"
#include "temp_folder.h"

namespace kelcc::cli {
namespace {

using core::comm::PortPaths;
using core::comm::PosixSerialPort;
using core::transfer::SessionList;

std::optional<int> number(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return value;
}

// What every link command shares, and the arguments left for the command.
struct Parsed {
    bool ok = false;
    LinkSessionRunner::Settings settings;
    SessionList::Selection selection;
    std::vector<std::string> programs;
    std::vector<std::string> positional;
    std::optional<int> area;
};

Parsed parse(const char* command, const std::vector<std::string>& args) {
    Parsed p;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--device" && hasValue) {
            p.settings.paths.setPath(1, args[++i]);
            p.settings.portNumber = 1;
        } else if (a == "--port" && hasValue) {
            const auto n = number(args[++i]);
            if (!n || !PortPaths::validPortNumber(*n)) {
                std::fprintf(stderr, "kelcc-cli: %s: --port takes 1 to 4\n", command);
                return p;
            }
            p.settings.portNumber = *n;
        } else if (a == "--baud" && hasValue) {
            const auto n = number(args[++i]);
            if (!n || !PosixSerialPort::supportedBaud(*n)) {
                std::fprintf(stderr, "kelcc-cli: %s: unsupported rate '%s'\n", command,
                             args[i].c_str());
                return p;
            }
            p.settings.baud = *n;
        } else if (a == "--area" && hasValue) {
            p.area = number(args[++i]);
            if (!p.area) {
                std::fprintf(stderr, "kelcc-cli: %s: bad area '%s'\n", command, args[i].c_str());
                return p;
            }
        } else if (a == "--program" && hasValue) {
            p.programs.push_back(args[++i]);
        } else if (a == "--plc") {
            p.selection.plcProgram = true;
        } else if (a == "--params") {
            p.selection.parameters = true;
        } else if (a == "--tools") {
            p.selection.toolOffsets = true;
        } else if (a == "--pitch") {
            p.selection.pitchCompensation = true;
        } else if (a == "--overwrite") {
            p.settings.overwrite = true;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kelcc-cli: %s: unexpected option '%s'\n", command, a.c_str());
            return p;
        } else {
            p.positional.push_back(a);
        }
    }
    p.ok = true;
    return p;
}

}  // namespace

int LinkCommands::list(const std::vector<std::string>& args) {
    Parsed p = parse("list", args);
    if (!p.ok) return 2;
    if (!p.positional.empty() || !p.area || *p.area < core::comm::FileEntry::kConfigArea ||
        *p.area > core::comm::FileEntry::kLastArea) {
        std::fputs("kelcc-cli: list needs --area 1 to 4\n", stderr);
        return 2;
    }
    TempFolder temp;
    p.settings.tempFolder = temp.path();
    LinkSessionRunner runner(std::move(p.settings));
    return runner.list(*p.area);
}

int LinkCommands::send(const std::vector<std::string>& args) {
    Parsed p = parse("send", args);
    if (!p.ok) return 2;
    if (p.positional.size() != 1 || p.area) {
        std::fputs("kelcc-cli: send needs FILE.gpr\n", stderr);
        return 2;
    }
    SessionList::SendSelection selection;
    static_cast<SessionList::Selection&>(selection) = p.selection;
    selection.programs = p.programs;
    TempFolder temp;
    p.settings.tempFolder = temp.path();
    LinkSessionRunner runner(std::move(p.settings));
    if (const int opened = runner.openProject(p.positional[0]); opened != 0) return opened;
    return runner.send(selection);
}

int LinkCommands::receive(const std::vector<std::string>& args) {
    Parsed p = parse("receive", args);
    if (!p.ok) return 2;
    if (p.positional.size() != 1 || p.area) {
        std::fputs("kelcc-cli: receive needs FILE.gpr\n", stderr);
        return 2;
    }
    std::vector<std::pair<int, std::string>> programs;
    for (const std::string& spec : p.programs) {
        const auto colon = spec.find(':');
        const auto area = colon == std::string::npos ? std::nullopt : number(spec.substr(0, colon));
        if (!area || *area < core::comm::FileEntry::kUserArea ||
            *area > core::comm::FileEntry::kLastArea || colon + 1 >= spec.size()) {
            std::fprintf(stderr, "kelcc-cli: receive: --program takes AREA:NAME, AREA 2 to 4\n");
            return 2;
        }
        programs.emplace_back(*area, spec.substr(colon + 1));
    }
    TempFolder temp;
    p.settings.tempFolder = temp.path();
    LinkSessionRunner runner(std::move(p.settings));
    if (const int opened = runner.openProject(p.positional[0]); opened != 0) return opened;
    return runner.receive(p.selection, programs);
}

}  // namespace kelcc::cli
