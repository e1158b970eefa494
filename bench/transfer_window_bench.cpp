// The link bench's two sessions driven from the workbench's Transfer menu
// instead of the command-line runner: one large part program read from the
// stand-in controller and sent back, the line paced at the baud rate, each
// timed from the connect command until the line is closed again.
//
// Usage: bench_transfer_window [BYTES] [BAUD]   (defaults 131072 and 115200)
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/app_settings.h"
#include "app/main_window.h"
#include "app/workbench_dialogs.h"
#include "comm/transfer_commands.h"
#include "comm/transfer_dialogs.h"
#include "common/atomic_file.h"
#include "common/interaction.h"
#include "pty_server.h"
#include "sim_controller.h"
#include "sim_options.h"
#include "sim_storage.h"

namespace {

namespace fs = std::filesystem;
using kelcc::core::transfer::SessionList;
using kelcc::core::transfer::TransferSession;

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

// Reads every part program of "USER" into the open project, sends O0001.
class BenchDialogs final : public kelcc::ui::TransferDialogs {
public:
    bool sendFiles(QWidget*, const std::string&, const std::vector<std::string>&,
                   kelcc::core::common::Interaction&,
                   kelcc::ui::TransferFileDialog::SendStart start) override {
        SessionList::SendSelection selection;
        selection.programs = {"O0001"};
        return start(selection);
    }
    bool readFiles(QWidget*, const TransferSession::ReadChoices& choices, bool,
                   kelcc::core::common::Interaction&,
                   kelcc::ui::TransferFileDialog::ReceiveStart start) override {
        SessionList::ReceiveSelection selection;
        selection.programs = choices.programs[0];
        return start(selection, TransferSession::SaveMode::Overwrite);
    }
};

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    // Blocks between events; a timer wakes it to look again.
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(50);
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool told(const kelcc::core::common::RecordingInteraction& ui, const char* text) {
    for (const auto& message : ui.messages())
        if (message.text == text) return true;
    return false;
}

void report(const char* what, std::size_t bytes, double seconds, std::uint32_t baud) {
    const double rate = static_cast<double>(bytes) / seconds;
    const double limit = baud / 10.0 * 512.0 / 528.0;
    std::printf("%-8s %zu bytes in %.2f s: %.0f bytes/s, %.1f%% of the %.0f bytes/s limit\n", what,
                bytes, seconds, rate, 100.0 * rate / limit, limit);
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::size_t size = argc > 1 ? std::stoul(argv[1]) : 128u * 1024;
    const std::uint32_t baud = argc > 2 ? static_cast<std::uint32_t>(std::stoul(argv[2])) : 115200;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
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

    int status = 0;
    {
        kelcc::ui::AppSettings settings(QString::fromStdString((dir / "KELCC.ini").string()));
        settings.setValue("COMMSET", "port", "1");
        settings.setValue("COMMSET", "baud", std::to_string(baud));
        settings.setValue("COMMSET", "device1", server.slavePath());
        kelcc::ui::WorkbenchDialogs dialogs;
        kelcc::ui::MainWindow window(settings, 0, dialogs);
        kelcc::core::common::RecordingInteraction ui;
        window.messageBoxes().setTestRecorder(&ui);
        BenchDialogs transferDialogs;
        kelcc::ui::TransferCommands& transfer = window.transfer();
        transfer.setDialogs(&transferDialogs);
        window.project().newProject([&]() -> std::optional<kelcc::core::app::ProjectLocation> {
            return kelcc::core::app::ProjectLocation{"bench", dir.string()};
        });

        auto session = [&](const char* what, const char* doneText, auto command) {
            QElapsedTimer clock;
            clock.start();
            transfer.connectToCnc();
            if (!waitFor([&] { return transfer.session().connected(); }, 30000)) return false;
            command();
            const bool done = waitFor(
                [&] { return told(ui, doneText) && !transfer.session().linkOpen(); }, 600000);
            if (done) report(what, size, static_cast<double>(clock.nsecsElapsed()) / 1e9, baud);
            return done;
        };
        std::string received;
        if (!session("receive", TransferSession::kAllReceivedText,
                     [&] { transfer.readFromCnc(); }) ||
            !kelcc::core::common::AtomicFile::read((dir / "bench" / "O0001.cnc").string(), received)
                 .ok ||
            received != std::string(program.begin(), program.end())) {
            std::fputs("receive failed or the file differs\n", stderr);
            status = 1;
        }
        storage.remove(2, "O0001.cnc");
        if (status == 0 && (!session("send", TransferSession::kAllSentText, [&] {
                transfer.sendToCnc();
            }) || storage.read(2, "O0001.cnc") != program)) {
            std::fputs("send failed or the file differs\n", stderr);
            status = 1;
        }
        transfer.setDialogs(nullptr);
    }
    stop = true;
    serving.join();
    std::error_code ec;
    fs::remove_all(dir, ec);
    return status;
}
