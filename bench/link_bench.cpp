// Moves one large part program over a pseudo-terminal to and from the
// stand-in controller, which paces both directions at the line rate, and prints
// bytes per second against the stop-and-wait limit of the line: baud / 10
// bytes per second, times 512 data bytes in each 528-byte frame.
//
// Usage: bench_link [BYTES] [BAUD]   (defaults 1048576 and 115200)
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/project.h"
#include "app/project_host.h"
#include "common/atomic_file.h"
#include "common/interaction.h"
#include "link_session_runner.h"
#include "pty_server.h"
#include "sim_controller.h"
#include "sim_options.h"
#include "sim_storage.h"

namespace {

namespace fs = std::filesystem;
using kelcc::cli::LinkSessionRunner;
using Clock = std::chrono::steady_clock;

// Upper-case CR LF lines, as a part program is stored on the controller.
std::vector<std::uint8_t> partProgram(std::size_t size) {
    std::string text = "O0001\r\n";
    for (unsigned line = 0; text.size() + 32 < size; ++line) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "N%05u G01 X%06u Z%06u\r\n", line % 100000,
                      line * 7 % 1000000, line * 13 % 1000000);
        text += buffer;
    }
    text.append(size - text.size() - 5, ' ');
    text += "M30\r\n";
    return {text.begin(), text.end()};
}

void report(const char* what, std::size_t bytes, double seconds, std::uint32_t baud) {
    const double rate = static_cast<double>(bytes) / seconds;
    const double limit = baud / 10.0 * 512.0 / 528.0;
    std::printf("%-8s %zu bytes in %.2f s: %.0f bytes/s, %.1f%% of the %.0f bytes/s limit\n", what,
                bytes, seconds, rate, 100.0 * rate / limit, limit);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t size = argc > 1 ? std::stoul(argv[1]) : 1u << 20;
    const std::uint32_t baud = argc > 2 ? static_cast<std::uint32_t>(std::stoul(argv[2])) : 115200;
    std::string pattern = (fs::temp_directory_path() / "kelcc-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 2;
    const fs::path dir = pattern;

    kelcc::sim::SimOptions options;
    options.storage = (dir / "store").string();
    options.baud = baud;
    kelcc::sim::SimStorage storage(options.storage);
    const std::vector<std::uint8_t> program = partProgram(size);
    if (!storage.ready() || !storage.write(2, "O0001.cnc", program)) return 2;
    kelcc::sim::PtyServer server(options);
    std::string error;
    if (!server.open(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    kelcc::sim::SimController controller(storage, options, server);
    std::atomic<bool> stop{false};
    std::thread serving([&] { server.serve(controller, stop); });

    std::string projectFile;
    {
        kelcc::core::common::RecordingInteraction ui;
        kelcc::core::app::HeadlessProjectHost host;
        host.setAutoOpen(false);
        kelcc::core::app::Project project(ui, host);
        project.newProject([&]() -> std::optional<kelcc::core::app::ProjectLocation> {
            return kelcc::core::app::ProjectLocation{"bench", dir.string()};
        });
        projectFile = project.projectFilePath();
    }
    LinkSessionRunner::Settings settings;
    settings.paths.setPath(1, server.slavePath());
    settings.baud = static_cast<std::int32_t>(baud);
    settings.overwrite = true;
    settings.tempFolder = dir.string();

    int status = 0;
    {
        LinkSessionRunner runner(settings);
        const auto start = Clock::now();
        status = runner.openProject(projectFile) || runner.receive({}, {{2, "O0001"}});
        const std::chrono::duration<double> took = Clock::now() - start;
        std::string received;
        kelcc::core::common::AtomicFile::read((dir / "bench" / "O0001.cnc").string(), received);
        if (status != 0 || received != std::string(program.begin(), program.end())) {
            std::fputs("receive failed or the file differs\n", stderr);
            status = 1;
        } else {
            report("receive", size, took.count(), baud);
        }
    }
    if (status == 0) {
        LinkSessionRunner runner(settings);
        const auto start = Clock::now();
        status = runner.openProject(projectFile) || runner.send([] {
            kelcc::core::transfer::SessionList::SendSelection selection;
            selection.programs = {"O0001"};
            return selection;
        }());
        const std::chrono::duration<double> took = Clock::now() - start;
        const auto stored = storage.read(2, "O0001.cnc");
        if (status != 0 || !stored || *stored != program) {
            std::fputs("send failed or the file differs\n", stderr);
            status = 1;
        } else {
            // The controller takes what it reads no faster than the line
            // either, so this is held to the same limit.
            report("send", size, took.count(), baud);
        }
    }
    stop = true;
    serving.join();
    std::error_code ec;
    fs::remove_all(dir, ec);
    return status;
}
