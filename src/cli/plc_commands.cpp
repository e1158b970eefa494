#include "plc_commands.h"

#include <cstdio>
#include <filesystem>

#include "common/atomic_file.h"
#include "common/interaction.h"
#include "compiler/compile_command.h"
#include "compiler/grid_text.h"
#include "compiler/plc_document_file.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"
#include "plc/project_state.h"

namespace kelcc::cli {
namespace {

using core::common::Language;
using core::common::RecordingInteraction;
using core::compiler::PlcDocumentFile;
using core::plc::PlcDocument;
using core::plc::ProgramFile;
using core::plc::SimpleProjectState;

void printMessages(const RecordingInteraction& ui, const std::string& prefix) {
    for (const auto& message : ui.messages())
        std::fprintf(stderr, "kelcc-cli: %s%s\n", prefix.c_str(), message.text.c_str());
}

// "main_demo.ldx" belongs to project "demo"; any other file is named by its
// stem.
std::string projectNameOf(const std::string& path) {
    std::string stem = std::filesystem::path(path).stem().string();
    if (stem.rfind("main_", 0) == 0 && stem.size() > 5) return stem.substr(5);
    return stem;
}

bool fileReadable(const std::string& path) {
    std::string bytes;
    auto r = core::common::AtomicFile::read(path, bytes, ProgramFile::kMaxFileBytes);
    if (!r.ok) std::fprintf(stderr, "kelcc-cli: %s\n", r.error.c_str());
    return r.ok;
}

}  // namespace

int PlcCommands::resave(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fputs("kelcc-cli: resave needs IN.ldx and OUT.ldx\n", stderr);
        return 2;
    }
    const std::string& in = args[0];
    SimpleProjectState project;
    PlcDocument doc(project);
    RecordingInteraction ui;
    const ProgramFile::ReadFileResult read = ProgramFile::readFile(in, doc, ui);
    switch (read.result) {
        case ProgramFile::kReadOk:
            break;
        case ProgramFile::kReadUnreadable:
            std::fprintf(stderr, "kelcc-cli: %s\n", read.error.c_str());
            return 2;
        case ProgramFile::kReadFormatError:
            printMessages(ui, in + ": ");
            return 1;
        default:
            std::fprintf(stderr, "kelcc-cli: %s: %s\n", in.c_str(),
                         ProgramFile::kUnsupportedVersionText);
            return 1;
    }
    const auto written = ProgramFile::writeFile(args[1], doc);
    if (!written.ok) {
        std::fprintf(stderr, "kelcc-cli: %s\n", written.error.c_str());
        return 2;
    }
    return 0;
}

int PlcCommands::open(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("kelcc-cli: open needs IN.ldx\n", stderr);
        return 2;
    }
    if (!fileReadable(args[0])) return 2;
    SimpleProjectState project;
    PlcDocument doc(project);
    RecordingInteraction ui;
    if (!PlcDocumentFile::open(doc, args[0], ui)) {
        printMessages(ui, args[0] + ": ");
        return 1;
    }
    std::fputs(core::compiler::GridText::format(doc).c_str(), stdout);
    return 0;
}

int PlcCommands::compile(const std::vector<std::string>& args) {
    std::string input, gridPath, projectName, savePath;
    Language language = Language::Chinese;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--grid" && hasValue) {
            gridPath = args[++i];
        } else if (a == "--lang" && hasValue) {
            const std::string& lang = args[++i];
            if (lang != "zh" && lang != "en") {
                std::fprintf(stderr, "kelcc-cli: --lang is zh or en, not '%s'\n", lang.c_str());
                return 2;
            }
            language = lang == "en" ? Language::English : Language::Chinese;
        } else if (a == "--project" && hasValue) {
            projectName = args[++i];
        } else if (a == "--save" && hasValue) {
            savePath = args[++i];
        } else if (!a.empty() && a[0] != '-' && input.empty()) {
            input = a;
        } else {
            std::fprintf(stderr, "kelcc-cli: compile: unexpected argument '%s'\n", a.c_str());
            return 2;
        }
    }
    if (input.empty() == gridPath.empty()) {
        std::fputs("kelcc-cli: compile needs IN.ldx or --grid GRID.txt\n", stderr);
        return 2;
    }

    SimpleProjectState project;
    PlcDocument doc(project);
    RecordingInteraction ui;
    if (!input.empty()) {
        if (!fileReadable(input)) return 2;
        if (!PlcDocumentFile::open(doc, input, ui)) {
            printMessages(ui, input + ": ");
            return 1;
        }
    } else {
        std::string text;
        auto r = core::common::AtomicFile::read(gridPath, text, ProgramFile::kMaxFileBytes);
        if (!r.ok) {
            std::fprintf(stderr, "kelcc-cli: %s\n", r.error.c_str());
            return 2;
        }
        auto parsed = core::compiler::GridText::parse(text, doc);
        if (!parsed.ok) {
            std::fprintf(stderr, "kelcc-cli: %s: %s\n", gridPath.c_str(), parsed.error.c_str());
            return 2;
        }
    }
    if (projectName.empty()) projectName = projectNameOf(input.empty() ? gridPath : input);

    RecordingInteraction compileUi;
    auto outcome = core::compiler::CompileCommand::run(doc, projectName, language, compileUi);
    for (const auto& line : outcome.lines)
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (!outcome.success) {
        printMessages(compileUi, "");
        return 1;
    }
    if (!savePath.empty()) {
        auto saved = PlcDocumentFile::save(doc, savePath);
        if (!saved.ok) {
            std::fprintf(stderr, "kelcc-cli: %s\n", saved.error.c_str());
            return 2;
        }
    }
    return 0;
}

}  // namespace kelcc::cli
