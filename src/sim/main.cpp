#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "pty_server.h"
#include "sim_controller.h"
#include "sim_options.h"
#include "sim_storage.h"

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int) {
    g_stop.store(true);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kelcc::sim;
    namespace fs = std::filesystem;

    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << "kel500-sim " KELCC_VERSION "\n";
        return 0;
    }
    std::string message;
    const auto parsed = SimOptions::parse(std::vector<std::string>(argv + 1, argv + argc), message);
    if (!parsed) {
        const bool help = message == SimOptions::usage();
        (help ? std::cout : std::cerr) << message << (help ? "" : "\n");
        return help ? 0 : 2;
    }
    const SimOptions& options = *parsed;

    SimStorage storage(options.storage);
    if (!storage.ready()) {
        std::cerr << "cannot use storage folder " << options.storage << "\n";
        return 1;
    }

    PtyServer server(options);
    std::string error;
    if (!server.open(error)) {
        std::cerr << error << "\n";
        return 1;
    }
    SimController controller(storage, options, server);

    if (!options.upload.empty()) {
        std::ifstream in(options.upload, std::ios::binary);
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::cerr << "cannot read " << options.upload << "\n";
            return 1;
        }
        if (!controller.planUpload(fs::path(options.upload).filename().string(),
                                   std::move(bytes))) {
            std::cerr << "the upload name must be a plain name of at most 13 bytes\n";
            return 1;
        }
    }

    std::error_code linkError;
    if (!options.link.empty()) {
        if (fs::is_symlink(options.link, linkError)) fs::remove(options.link, linkError);
        fs::create_symlink(server.slavePath(), options.link, linkError);
        if (linkError) {
            std::cerr << "cannot link " << options.link << ": " << linkError.message() << "\n";
            return 1;
        }
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::cout << server.slavePath() << std::endl;

    server.serve(controller, g_stop);

    if (!options.link.empty()) fs::remove(options.link, linkError);
    return 0;
}
