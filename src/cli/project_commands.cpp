#include "project_commands.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/part_program_commands.h"
#include "app/project.h"
#include "app/project_file.h"
#include "app/project_file_names.h"
#include "app/project_host.h"
#include "app/project_tree.h"
#include "common/atomic_file.h"
#include "common/interaction.h"

namespace kelcc::cli {
namespace {

using core::app::HeadlessProjectHost;
using core::app::PartProgramCommands;
using core::app::Project;
using core::app::ProjectFile;
using core::app::ProjectFileNames;
using core::app::ProjectLocation;
using core::app::ProjectTree;
using core::common::Answer;
using core::common::RecordingInteraction;

void printMessages(const RecordingInteraction& ui) {
    for (const auto& message : ui.messages())
        std::fprintf(stderr, "kelcc-cli: %s\n", message.text.c_str());
}

bool asked(const RecordingInteraction& ui, const char* text) {
    for (const auto& message : ui.messages())
        if (message.question && message.text == text) return true;
    return false;
}

bool told(const RecordingInteraction& ui, const std::string& text) {
    for (const auto& message : ui.messages())
        if (message.text == text) return true;
    return false;
}

std::size_t characterCount(const std::string& utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// Record texts printed on one line: control bytes and backslashes escaped.
std::string printable(const std::string& text) {
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out.empty() ? "-" : out;
}

}  // namespace

int ProjectCommands::run(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fputs("kelcc-cli: project needs new, show or add-program\n", stderr);
        return 2;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "new") return create(rest);
    if (args[0] == "show") return show(rest);
    if (args[0] == "add-program") return addProgram(rest);
    std::fprintf(stderr, "kelcc-cli: unknown project command '%s'\n", args[0].c_str());
    return 2;
}

int ProjectCommands::create(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    bool overwrite = false;
    for (const std::string& a : args) {
        if (a == "--overwrite") {
            overwrite = true;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kelcc-cli: project new: unexpected option '%s'\n", a.c_str());
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) {
        std::fputs("kelcc-cli: project new needs FOLDER and NAME\n", stderr);
        return 2;
    }
    const ProjectLocation location{positional[1], positional[0]};
    // The dialog's edit takes at most 30 characters.
    if (characterCount(location.name) > static_cast<std::size_t>(Project::kMaxNameCharacters)) {
        std::fprintf(stderr, "kelcc-cli: a project name has at most %d characters\n",
                     Project::kMaxNameCharacters);
        return 1;
    }
    RecordingInteraction ui;
    HeadlessProjectHost host;
    host.setAutoOpen(false);
    Project project(ui, host);
    // A refused name would keep the dialog open; here it is asked only once.
    if (!project.checkLocation(location)) {
        printMessages(ui);
        return 1;
    }
    ui.script({overwrite ? Answer::Yes : Answer::No});
    bool askedOnce = false;
    const bool created = project.newProject([&]() -> std::optional<ProjectLocation> {
        if (askedOnce) return std::nullopt;
        askedOnce = true;
        return location;
    });
    if (!created) {
        printMessages(ui);
        if (asked(ui, Project::kFolderExistsText)) {
            std::fputs("kelcc-cli: use --overwrite to write into the existing folder\n", stderr);
            return 1;
        }
        return 2;
    }
    std::printf("%s\n", project.projectFilePath().c_str());
    return 0;
}

int ProjectCommands::show(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("kelcc-cli: project show needs FILE.gpr\n", stderr);
        return 2;
    }
    std::string bytes;
    const auto read = core::common::AtomicFile::read(args[0], bytes, ProjectFile::kMaxFileBytes);
    if (!read.ok) {
        std::fprintf(stderr, "kelcc-cli: %s\n", read.error.c_str());
        return 2;
    }
    const ProjectFile::Parsed parsed = ProjectFile::parse(bytes);
    switch (parsed.status) {
        case ProjectFile::ParseStatus::Ok:
            break;
        case ProjectFile::ParseStatus::NoPlcProgram:
            std::fprintf(stderr, "kelcc-cli: %s: the PLC program count is 0\n", args[0].c_str());
            return 1;
        default:
            std::fprintf(stderr, "kelcc-cli: %s: %s\n", args[0].c_str(), Project::kOpenFailedText);
            return 1;
    }
    const auto& h = parsed.header;
    std::printf("counts\t%u\t%u\t%u\t%u\n", h.plcProgramCount, h.partProgramCount, h.cncDataCount,
                h.furtherCount);
    for (const auto& r : parsed.records)
        std::printf("%u\t%u\t%s\t%s\t%s\n", static_cast<unsigned>(r.type), r.number,
                    printable(ProjectTree::displayName(r.name)).c_str(),
                    printable(r.created).c_str(), printable(r.modified).c_str());
    return 0;
}

int ProjectCommands::addProgram(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::optional<std::string> name;
    bool overwrite = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--overwrite") {
            overwrite = true;
        } else if (args[i] == "--name" && i + 1 < args.size()) {
            name = args[++i];
        } else if (!args[i].empty() && args[i][0] == '-') {
            std::fprintf(stderr, "kelcc-cli: project add-program: unexpected option '%s'\n",
                         args[i].c_str());
            return 2;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        std::fputs("kelcc-cli: project add-program needs FILE.gpr and PATH.cnc\n", stderr);
        return 2;
    }
    const std::string& source = positional[1];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source, ec)) {
        std::fprintf(stderr, "kelcc-cli: %s: no such file\n", source.c_str());
        return 2;
    }
    RecordingInteraction ui;
    HeadlessProjectHost host;
    host.setAutoOpen(false);
    Project project(ui, host);
    if (project.openProjectByPath(positional[0]) != Project::OpenOutcome::Opened) {
        printMessages(ui);
        return told(ui, Project::kOpenFailedText) ? 1 : 2;
    }
    ui.script({overwrite ? Answer::Yes : Answer::No});
    const std::string typed = name ? *name : PartProgramCommands::importPreset(source);
    const bool done = PartProgramCommands::importProgram(
        project, source, [&]() -> std::optional<std::string> { return typed; });
    printMessages(ui);
    if (!done) {
        const bool refused = told(ui, PartProgramCommands::kBadNameText) ||
                             told(ui, PartProgramCommands::kEnterNameText) ||
                             told(ui, Project::kBadExtensionText);
        return refused ? 1 : 2;
    }
    if (!overwrite && asked(ui, PartProgramCommands::kOverwriteText)) {
        std::fputs("kelcc-cli: use --overwrite to replace the program file\n", stderr);
        return 1;
    }
    if (told(ui, PartProgramCommands::kAlreadyInProjectText)) return 1;
    return 0;
}

}  // namespace kelcc::cli
