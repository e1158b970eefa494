#include "compare_command.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "app/project.h"
#include "app/project_host.h"
#include "cli_interaction.h"
#include "comm/posix_serial_port.h"
#include "common/text_codec.h"
#include "temp_folder.h"
#include "transfer/compare_session.h"

namespace kelcc::cli {
namespace {

using core::transfer::CompareSession;
using core::transfer::ControllerCompare;

std::optional<int> number(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return value;
}

// File contents are GBK; what is not GBK is printed as it is.
std::string printable(const std::string& gbk) {
    const auto converted = core::common::TextCodec::gbkToUtf8(gbk);
    return converted.ok ? converted.text : gbk;
}

int usage(const char* why) {
    std::fprintf(stderr, "kelcc-cli: compare: %s\n", why);
    return 2;
}

}  // namespace

int CompareCommand::run(const std::vector<std::string>& args) {
    CompareSession::Settings settings;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--device" && hasValue) {
            settings.paths.setPath(1, args[++i]);
            settings.portNumber = 1;
        } else if (a == "--port" && hasValue) {
            const auto n = number(args[++i]);
            if (!n || !core::comm::PortPaths::validPortNumber(*n))
                return usage("--port takes 1 to 4");
            settings.portNumber = *n;
        } else if (a == "--baud" && hasValue) {
            const auto n = number(args[++i]);
            if (!n || !core::comm::PosixSerialPort::supportedBaud(*n))
                return usage("unsupported rate");
            settings.baud = *n;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kelcc-cli: compare: unexpected option '%s'\n", a.c_str());
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 1) return usage("needs FILE.gpr");

    CliInteraction ui(false);
    core::app::HeadlessProjectHost host;
    host.setAutoOpen(false);
    core::app::Project project(ui, host);
    if (project.openProjectByPath(positional[0]) != core::app::Project::OpenOutcome::Opened) {
        if (!ui.told(core::app::Project::kOpenFailedText))
            std::fprintf(stderr, "kelcc-cli: %s: no project opened\n", positional[0].c_str());
        return 2;
    }

    TempFolder temp;
    settings.tempFolder = temp.path();
    CompareSession session(std::move(settings), project, ui);
    session.setProgress(
        [](const std::string& line) { std::fprintf(stderr, "kelcc-cli: %s\n", line.c_str()); });
    const CompareSession::Outcome outcome = session.run();
    if (outcome.result == CompareSession::Result::NoLink) return 2;

    for (const ControllerCompare::Row& row : outcome.rows) {
        std::printf("%s\t%u\t%s\n", printable(row.name).c_str(), static_cast<unsigned>(row.area),
                    ControllerCompare::statusText(row.status));
        for (const std::string& detail : row.details)
            std::printf("    %s\n", printable(detail).c_str());
    }
    if (outcome.result != CompareSession::Result::Compared)
        std::fputs(
            "kelcc-cli: compare: the link failed; the files marked 'not compared' could "
            "not be read\n",
            stderr);
    return ControllerCompare::allSame(outcome.rows) &&
                   outcome.result == CompareSession::Result::Compared
               ? 0
               : 1;
}

}  // namespace kelcc::cli
