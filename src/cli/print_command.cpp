#include "print_command.h"

#include <cstdio>

#ifdef KELCC_CLI_PRINT
#include <QGuiApplication>
#include <QString>
#include <filesystem>
#include <memory>

#include "common/atomic_file.h"
#include "common/interaction.h"
#include "compiler/plc_document_file.h"
#include "ladder_editor/ladder_printout.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"
#include "plc/project_state.h"
#endif

namespace kelcc::cli {

#ifdef KELCC_CLI_PRINT

int PrintCommand::run(const std::vector<std::string>& args) {
    std::string input, output, projectName;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--project" && i + 1 < args.size()) {
            projectName = args[++i];
        } else if (!a.empty() && a[0] != '-' && input.empty()) {
            input = a;
        } else if (!a.empty() && a[0] != '-' && output.empty()) {
            output = a;
        } else {
            std::fprintf(stderr, "kelcc-cli: print: unexpected argument '%s'\n", a.c_str());
            return 2;
        }
    }
    if (input.empty() || output.empty()) {
        std::fputs("kelcc-cli: print needs IN.ldx and OUT.pdf\n", stderr);
        return 2;
    }
    {
        std::string bytes;
        const auto read =
            core::common::AtomicFile::read(input, bytes, core::plc::ProgramFile::kMaxFileBytes);
        if (!read.ok) {
            std::fprintf(stderr, "kelcc-cli: %s\n", read.error.c_str());
            return 2;
        }
    }

    // Fonts and the PDF writer need a GUI application; no display is used.
    std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 3;
        static char arg0[] = "kelcc-cli";
        static char arg1[] = "-platform";
        static char arg2[] = "offscreen";
        static char* argv[] = {arg0, arg1, arg2, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    core::plc::SimpleProjectState project;
    core::plc::PlcDocument doc(project);
    core::common::RecordingInteraction ui;
    if (!core::compiler::PlcDocumentFile::open(doc, input, ui)) {
        for (const auto& message : ui.messages())
            std::fprintf(stderr, "kelcc-cli: %s: %s\n", input.c_str(), message.text.c_str());
        return 1;
    }
    // Without --project the page header names the file.
    if (projectName.empty()) projectName = std::filesystem::path(input).stem().string();
    QString error;
    const int pages =
        ui::LadderPrintout::writePdf(doc, projectName, QString::fromStdString(output), error);
    if (pages < 0) {
        std::fprintf(stderr, "kelcc-cli: %s\n", error.toStdString().c_str());
        return 2;
    }
    std::printf("%d\n", pages);
    return 0;
}

#else

int PrintCommand::run(const std::vector<std::string>&) {
    std::fputs("kelcc-cli: printing is not built in (build with the Qt workbench)\n", stderr);
    return 2;
}

#endif

}  // namespace kelcc::cli
