#include "sim_options.h"

#include <charconv>
#include <limits>

namespace kelcc::sim {
namespace {

std::optional<std::uint32_t> number(const std::string& text) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || text.empty()) return std::nullopt;
    return value;
}

std::optional<double> rate(const std::string& text) {
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used != text.size() || !(value >= 0.0 && value <= 1.0)) return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::string SimOptions::usage() {
    return "Usage: kel500-sim [--storage DIR] [--link PATH] [--busy MS] [--storage-full]\n"
           "                  [--refuse-write] [--interrupt-after N] [--upload FILE]\n"
           "                  [--corrupt-rate R] [--drop-rate R] [--flip-rate R] [--seed N]\n"
           "                  [--delay-ms MS] [--baud N]\n"
           "Serves a stand-in controller on a pseudo-terminal and prints its path.\n"
           "\n"
           "Options:\n"
           "  --storage DIR           the controller's files, one folder per storage area\n"
           "                          (1 to 4); default kel500-storage\n"
           "  --link PATH             also make PATH a symbolic link to the pseudo-terminal\n"
           "  --busy MS               report busy for MS milliseconds now and then while\n"
           "                          data comes in\n"
           "  --storage-full          refuse every file as if the storage were full\n"
           "  --refuse-write          refuse to write any file\n"
           "  --interrupt-after N     break off a part program being written once N bytes\n"
           "                          are held\n"
           "  --upload FILE           offer FILE to the workbench on the controller's own\n"
           "                          initiative\n"
           "  --corrupt-rate R        change each frame with probability R (0 to 1)\n"
           "  --drop-rate R           lose each frame with probability R (0 to 1)\n"
           "  --flip-rate R           flip one random bit of each byte with probability R\n"
           "                          (0 to 1), in both directions\n"
           "  --seed N                seed of the fault generator (default 1)\n"
           "  --delay-ms MS           answer each frame MS milliseconds late\n"
           "  --baud N                pace the output at N baud (default: no pacing)\n"
           "  --help                  show this text\n"
           "  --version               show the version\n"
           "\n"
           "Exit status:\n"
           "  0  ended by SIGINT or SIGTERM, or --help\n"
           "  1  the storage folder, the pseudo-terminal, the link or the upload file\n"
           "     could not be used\n"
           "  2  usage error\n"
           "\n"
           "Examples:\n"
           "  kel500-sim --storage /tmp/cnc --link /tmp/cnc.tty &\n"
           "  kelcc-cli list --area 1 --device /tmp/cnc.tty\n"
           "  kel500-sim --storage /tmp/cnc --link /tmp/cnc.tty --drop-rate 0.05 --seed 7\n";
}

std::optional<SimOptions> SimOptions::parse(const std::vector<std::string>& args,
                                            std::string& message) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            message = usage();
            return std::nullopt;
        }
        if (arg == "--storage-full") {
            options.storageFull = true;
            continue;
        }
        if (arg == "--refuse-write") {
            options.refuseWrite = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            message = "missing value after " + arg;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        const auto bad = [&]() -> std::optional<SimOptions> {
            message = "bad value for " + arg + ": " + value;
            return std::nullopt;
        };
        if (arg == "--storage" || arg == "--link" || arg == "--upload") {
            if (value.empty()) return bad();
            (arg == "--storage" ? options.storage
             : arg == "--link"  ? options.link
                                : options.upload) = value;
        } else if (arg == "--corrupt-rate" || arg == "--drop-rate" || arg == "--flip-rate") {
            const auto r = rate(value);
            if (!r) return bad();
            (arg == "--corrupt-rate" ? options.corruptRate
             : arg == "--drop-rate"  ? options.dropRate
                                     : options.flipRate) = *r;
        } else {
            const auto n = number(value);
            if (!n) return bad();
            if (arg == "--busy") {
                options.busyMs = *n;
            } else if (arg == "--interrupt-after") {
                options.interruptAfter = *n;
            } else if (arg == "--seed") {
                options.seed = *n;
            } else if (arg == "--delay-ms") {
                options.delayMs = *n;
            } else if (arg == "--baud") {
                if (*n < 10) return bad();
                options.baud = *n;
            } else {
                message = "unknown option " + arg;
                return std::nullopt;
            }
        }
    }
    return options;
}

}  // namespace kelcc::sim
