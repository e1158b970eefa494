#include "app/part_program_commands.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/default_files.h"
#include "app/project_file_names.h"
#include "common/atomic_file.h"

namespace kelcc::core::app {
namespace {

namespace fs = std::filesystem;
using common::Answer;
using common::MessageIcon;
using Names = ProjectFileNames;

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The copy of an imported program: line by line, each line ending in CR LF.
std::string asLines(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.append(line);
        out.append("\r\n");
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return out;
}

std::string programPath(const Project& project, const std::string& name) {
    return project.filePath(Names::partProgram(name));
}

}  // namespace

std::optional<std::string> PartProgramCommands::checkName(const std::string& typed,
                                                          common::Interaction& interaction,
                                                          const char* caption) {
    if (typed.empty()) {
        interaction.inform(kEnterNameText, caption, MessageIcon::Warning);
        return std::nullopt;
    }
    std::optional<std::string> name = Names::programName(typed);
    if (!name) interaction.inform(kBadNameText, caption, MessageIcon::Warning);
    return name;
}

bool PartProgramCommands::newProgram(Project& project, const NameDialog& dialog) {
    if (!project.hasProject() || !dialog) return false;
    common::Interaction& ui = project.interaction();
    std::string name, path;
    for (;;) {
        const std::optional<std::string> typed = dialog();
        if (!typed) return false;
        const std::optional<std::string> checked = checkName(*typed, ui, kNewTitle);
        if (!checked) continue;
        name = *checked;
        path = programPath(project, name);
        if (!fileExists(path)) break;
        if (ui.ask(Names::format(kExistsText, Names::partProgram(name)), kNewTitle,
                   {Answer::Ok, Answer::Cancel}, MessageIcon::Question) == Answer::Ok)
            break;
    }
    const common::FileResult created =
        common::AtomicFile::write(path, DefaultFiles::partProgram(name));
    if (!created.ok) {
        ui.inform(created.error, common::kMessageCaption, MessageIcon::Stop);
        return false;
    }
    ProjectTree& tree = project.tree();
    if (tree.findProgram(name) != nullptr) {
        // The window showed the old file; it is closed, not reopened.
        project.host().closeDocument(path);
        project.documents().forget(path);
    } else {
        tree.findOrAddProgram(name);
        project.markProjectModified(true);
        project.openProjectItem(path, ProjectItemType::PartProgram, true);
    }
    return project.writeProjectFile();
}

std::string PartProgramCommands::importPreset(const std::string& sourcePath) {
    std::string title = Names::stem(sourcePath);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < title.size(); ++i) {
        // Cut at a UTF-8 character start.
        if ((static_cast<unsigned char>(title[i]) & 0xC0) != 0x80 &&
            characters++ == kImportPresetCharacters)
            return title.substr(0, i);
    }
    return title;
}

bool PartProgramCommands::importProgram(Project& project, const std::string& sourcePath,
                                        const NameDialog& dialog) {
    if (!project.hasProject()) return false;
    common::Interaction& ui = project.interaction();
    const std::string extension = Names::extension(sourcePath);
    if (extension != "cnc" && extension != "CNC") {
        ui.inform(Project::kBadExtensionText, common::kMessageCaption, MessageIcon::Warning);
        return false;
    }
    const std::optional<std::string> typed = dialog ? dialog() : std::nullopt;
    if (!typed) return false;
    const std::optional<std::string> checked = checkName(*typed, ui, kImportTitle);
    if (!checked) return false;
    const std::string& name = *checked;
    ProjectTree& tree = project.tree();
    const bool existed = tree.findProgram(name) != nullptr;
    if (!existed) {
        tree.findOrAddProgram(name);
        project.markProjectModified(true);
    }
    const std::string target = programPath(project, name);
    if (Project::samePath(sourcePath, target)) {
        if (existed) {
            ui.inform(kAlreadyInProjectText, kAddCaption, MessageIcon::Information);
        } else if (!fileExists(target)) {
            if (ui.ask(kCreateQuestionText, kAddCaption, {Answer::Yes, Answer::No},
                       MessageIcon::Question) == Answer::Yes)
                project.openProjectItem(target, ProjectItemType::PartProgram, false);
        }
        return project.writeProjectFile();
    }
    if (fileExists(target) && ui.ask(kOverwriteText, kAddCaption, {Answer::Yes, Answer::No},
                                     MessageIcon::Question) != Answer::Yes)
        return project.writeProjectFile();
    std::string source;
    common::FileResult result = common::AtomicFile::read(sourcePath, source);
    if (result.ok) result = common::AtomicFile::write(target, asLines(source));
    if (!result.ok) {
        ui.inform(result.error, common::kMessageCaption, MessageIcon::Stop);
        // A program that could not be copied is not listed.
        if (!existed) tree.removeProgram(name);
        return false;
    }
    return project.writeProjectFile();
}

bool PartProgramCommands::openProgram(Project& project, const std::string& name) {
    if (!project.hasProject() || project.tree().findProgram(name) == nullptr) return false;
    const std::string path = programPath(project, name);
    if (project.host().isDocumentOpen(path)) {
        project.host().activateDocument(path, ProjectItemType::PartProgram);
        return true;
    }
    return project.openProjectItem(path, ProjectItemType::PartProgram, fileExists(path));
}

bool PartProgramCommands::deleteProgram(Project& project, const std::string& name,
                                        bool deleteFile) {
    if (!project.hasProject() || project.tree().findProgram(name) == nullptr) return false;
    const std::string path = programPath(project, name);
    if (project.host().isDocumentOpen(path)) project.host().closeDocument(path);
    project.documents().forget(path);
    project.tree().removeProgram(name);
    project.markProjectModified(true);
    const bool written = project.writeProjectFile();
    if (deleteFile && ::unlink(path.c_str()) != 0 && errno != ENOENT) {
        project.interaction().inform(path + ": " + std::strerror(errno), common::kMessageCaption,
                                     MessageIcon::Stop);
        return false;
    }
    return written;
}

}  // namespace kelcc::core::app
