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
    return "usage: kel500-sim [--storage DIR] [--link PATH] [--busy MS] [--storage-full]\n"
           "                  [--refuse-write] [--interrupt-after N] [--upload FILE]\n"
           "                  [--corrupt-rate R] [--drop-rate R] [--flip-rate R] [--seed N]\n"
           "                  [--delay-ms MS] [--baud N]\n"
           "Serves a stand-in controller on a pseudo-terminal and prints its path.\n";
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
