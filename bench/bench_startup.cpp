// Starts the workbench with a project on its command line, over and over,
// and prints how long it took from spawning the process to the main window
// being shown with the project open (kelcc reports that moment and ends when
// KELCC_REPORT_STARTUP=1). Target: a median under 400 ms.
//
// Usage: bench_startup [RUNS] [KELCC]   (defaults 15 and the built kelcc)
#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/project.h"
#include "app/project_host.h"
#include "common/interaction.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Runs kelcc once; the wall time in milliseconds, or a negative value when
// it did not report an open project.
double runOnce(const std::string& kelcc, const std::string& settings, const std::string& project) {
    int out[2];
    if (::pipe(out) != 0) return -1;
    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        // The platform plugin's chatter is not part of the measurement.
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0) ::dup2(null, STDERR_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("KELCC_SETTINGS", settings.c_str(), 1);
        ::setenv("KELCC_REPORT_STARTUP", "1", 1);
        ::execl(kelcc.c_str(), kelcc.c_str(), project.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        output.find("project open") == std::string::npos) {
        std::fprintf(stderr, "kelcc failed: %s\n", output.c_str());
        return -1;
    }
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string kelcc = argc > 2 ? argv[2] : KELCC_EXECUTABLE;
    std::string pattern = (fs::temp_directory_path() / "kelcc-startup-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 2;
    const fs::path dir = pattern;

    // A fresh project made by the core, reopened by every run.
    kelcc::core::common::RecordingInteraction interaction;
    kelcc::core::app::HeadlessProjectHost host;
    kelcc::core::app::Project project(interaction, host);
    if (!project.newProject([&] {
            return std::optional<kelcc::core::app::ProjectLocation>({{"bench", dir.string()}});
        })) {
        std::fprintf(stderr, "could not create the project\n");
        return 2;
    }
    const std::string settings = (dir / "KELCC.ini").string();
    std::FILE* ini = std::fopen(settings.c_str(), "w");
    if (ini == nullptr) return 2;
    std::fputs("[Options]\nAutoLoad=0\nAutoOpen=1\n", ini);
    std::fclose(ini);

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = runOnce(kelcc, settings, project.projectFilePath());
        if (ms < 0) return 1;
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "kelcc start-up with a project, %d runs: median %.1f ms, min %.1f ms, max %.1f ms\n", runs,
        times[times.size() / 2], times.front(), times.back());
    fs::remove_all(dir);
    return 0;
}
