#include "app/project.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/default_files.h"
#include "app/directory_tree.h"
#include "app/project_file.h"
#include "app/project_file_names.h"
#include "common/text_codec.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace kelcc::core::app {
namespace {

namespace fs = std::filesystem;
using common::Answer;
using common::FileResult;
using common::MessageIcon;
using Names = ProjectFileNames;

std::string gbk(const char* utf8) {
    return common::TextCodec::utf8ToGbk(utf8).text;
}

std::size_t characterCount(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    if (ec) p = path;
    return p.lexically_normal().string();
}

std::string parentOf(const std::string& path) {
    return fs::path(absolutePath(path)).parent_path().string();
}

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The fixed files after the PLC program, in project file order.
struct CncDataFile {
    const char* fileName;
    ProjectItemType type;
    const char* itemName;
    const char* createFailedText;
};

constexpr CncDataFile kCncDataFiles[] = {
    {Names::kParaB, ProjectItemType::Parameters, "参数BIT", Project::kCreateParametersFailedText},
    {Names::kParaW, ProjectItemType::Parameters, "参数WORD", Project::kCreateParametersFailedText},
    {Names::kToolOffsets, ProjectItemType::ToolOffsets, "刀具偏置",
     Project::kCreateToolOffsetsFailedText},
    {Names::kPitchCompensation, ProjectItemType::PitchCompensation, "螺距补偿",
     Project::kCreatePitchFailedText},
};

constexpr const char* kPlcItemName = "主程序";

}  // namespace

Project::Project(common::Interaction& interaction, ProjectHost& host)
    : m_ui(interaction), m_host(host) {}

std::string Project::windowTitle() const {
    return hasProject() ? Names::format(kTitleFormat, m_name) : kNoProjectTitle;
}

std::string Project::projectFilePath() const {
    return filePath(Names::projectFile(m_name));
}

std::string Project::plcProgramPath() const {
    return filePath(Names::plcProgram(m_name));
}

std::string Project::filePath(const std::string& fileName) const {
    return Names::join(m_folder, fileName);
}

std::string Project::plcInfo(int index) const {
    return index >= 0 && index < kInfoTexts ? m_info[static_cast<std::size_t>(index)]
                                            : std::string();
}

void Project::setPlcInfo(int index, std::string text) {
    if (index >= 0 && index < kInfoTexts) m_info[static_cast<std::size_t>(index)] = std::move(text);
}

std::string Project::saveProjectFile() {
    if (!hasProject()) return {};
    const FileResult written = common::AtomicFile::write(projectFilePath(), buildProjectFile());
    return written.ok ? std::string() : written.error;
}

void Project::tell(const std::string& text, MessageIcon icon) const {
    m_ui.inform(text, common::kMessageCaption, icon);
}

// --- dialogs ---

bool Project::checkLocation(const ProjectLocation& location) const {
    if (location.name.empty()) {
        m_ui.inform(kEnterNameText, kSaveCaption, MessageIcon::Warning);
        return false;
    }
    if (location.path.empty()) {
        m_ui.inform(kEnterPathText, kSaveCaption, MessageIcon::Warning);
        return false;
    }
    // The name becomes a folder and file names; it must stay one component.
    if (!Names::isSafeName(location.name)) {
        m_ui.inform(Names::format(Names::kUnsafeNameText, location.name), kSaveCaption,
                    MessageIcon::Warning);
        return false;
    }
    return true;
}

std::optional<ProjectLocation> Project::askLocation(const LocationDialog& dialog) const {
    for (;;) {
        std::optional<ProjectLocation> answer = dialog ? dialog() : std::nullopt;
        if (!answer || checkLocation(*answer)) return answer;
    }
}

bool Project::checkImportPath(const std::string& path) const {
    if (path.empty()) {
        tell(kEnterFilePathText, MessageIcon::Warning);
        return false;
    }
    if (!isRegularFile(path)) {
        tell(Names::format(kFileNotFoundText, path), MessageIcon::Warning);
        return false;
    }
    return true;
}

bool Project::checkBrowsedLadder(const std::string& path) const {
    if (Names::equalsIgnoreCase(Names::extension(path), "ldx")) return true;
    tell(kWrongLadderExtensionText, MessageIcon::Warning);
    return false;
}

// Steps 3 and 4 of New project: the storage path must exist; the project
// folder is created, or an existing one is written into after asking.
std::optional<std::string> Project::prepareFolder(const ProjectLocation& location) {
    std::error_code ec;
    if (!fs::is_directory(location.path, ec)) {
        tell(Names::format(kMissingPathText, location.path), MessageIcon::Warning);
        return std::nullopt;
    }
    std::string base = location.path;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    const std::string folder = absolutePath(Names::join(base, location.name));
    if (!exists(folder)) {
        if (!fs::create_directory(folder, ec) || ec) {
            tell(kCreateProjectFailedText, MessageIcon::Warning);
            return std::nullopt;
        }
        return folder;
    }
    if (!fs::is_directory(folder, ec)) {
        tell(kCreateProjectFailedText, MessageIcon::Warning);
        return std::nullopt;
    }
    if (m_ui.ask(kFolderExistsText, common::kMessageCaption, {Answer::Yes, Answer::No},
                 MessageIcon::Question) != Answer::Yes)
        return std::nullopt;
    return folder;
}

// --- New project ---

bool Project::newProject(const LocationDialog& dialog) {
    if (hasProject() && !closeProjectAsk()) return false;
    const std::optional<ProjectLocation> location = askLocation(dialog);
    if (!location) {
        forgetProject();
        return false;
    }
    const std::optional<std::string> folder = prepareFolder(*location);
    if (!folder) return false;
    m_folder = *folder;
    m_name = location->name;
    if (!createProjectFiles()) {
        // Files already written stay; the project does not open half made.
        forgetProject();
        return false;
    }
    m_modified = true;
    m_host.addRecentFile(projectFilePath());
    loadProjectFile(projectFilePath(), true);
    m_host.showProject(true, windowTitle());
    if (m_host.autoOpen()) openProjectItem(plcProgramPath(), ProjectItemType::PlcProgram, true);
    m_host.rememberLastProject(projectFilePath());
    m_projectOpen = true;
    return true;
}

// The project file is written last and whole, so a failure on the way never
// leaves a project file that announces records it does not hold.
bool Project::createProjectFiles() {
    if (::access(m_folder.c_str(), W_OK) != 0) {
        tell(kCreateProjectFailedText, MessageIcon::Warning);
        return false;
    }
    if (!common::AtomicFile::write(plcProgramPath(), DefaultFiles::plcProgram()).ok ||
        !common::AtomicFile::write(plcProgramPath() + ".bin", DefaultFiles::plcImage()).ok) {
        tell(kCreatePlcFailedText, MessageIcon::Warning);
        return false;
    }
    for (const CncDataFile& file : kCncDataFiles) {
        if (!common::AtomicFile::write(filePath(file.fileName), DefaultFiles::cncDataFile()).ok) {
            tell(file.createFailedText, MessageIcon::Warning);
            return false;
        }
    }
    if (!common::AtomicFile::write(projectFilePath(), buildProjectFile()).ok) {
        tell(kCreateProjectFailedText, MessageIcon::Warning);
        return false;
    }
    return true;
}

void Project::forgetProject() {
    m_projectOpen = false;
    m_info = {};
    m_folder.clear();
    m_name.clear();
    m_tree.clear();
}

// --- project file ---

std::string Project::buildProjectFile() const {
    ProjectFileHeader header;
    header.signature = ProjectFile::kSignature;
    header.version = ProjectFile::kVersion;
    std::string bytes = ProjectFile::encodeHeader(header);
    bytes += ProjectFile::encodeRecord(ProjectFile::recordForFile(
        ProjectItemType::PlcProgram, gbk(kPlcItemName), plcProgramPath()));
    for (const CncDataFile& file : kCncDataFiles)
        bytes += ProjectFile::encodeRecord(
            ProjectFile::recordForFile(file.type, gbk(file.itemName), filePath(file.fileName)));
    std::uint32_t programs = 0;
    for (const ProjectTree::Program& program : m_tree.enumeratePrograms()) {
        ProjectItemRecord record = program.record;
        record.type = static_cast<std::uint8_t>(ProjectItemType::PartProgram);
        record.created.clear();
        record.modified.clear();
        bytes += ProjectFile::encodeRecord(record);
        ++programs;
    }
    if (programs != 0) {
        // The header goes in a second time, now with the program count.
        header.partProgramCount = programs;
        bytes.replace(0, ProjectFile::kHeaderSize, ProjectFile::encodeHeader(header));
    }
    return bytes;
}

bool Project::writeProjectFile() {
    const std::string error = saveProjectFile();
    if (error.empty()) return true;
    tell(error, MessageIcon::Stop);
    return false;
}

bool Project::loadProjectFile(const std::string& path, bool rebuild) {
    std::string bytes;
    const FileResult read = common::AtomicFile::read(path, bytes, ProjectFile::kMaxFileBytes);
    if (!read.ok) {
        tell(read.error, MessageIcon::Stop);
        return false;
    }
    return loadProjectBytes(bytes, rebuild);
}

bool Project::loadProjectBytes(std::string_view bytes, bool rebuild) {
    const ProjectFile::Parsed parsed = ProjectFile::parse(bytes);
    switch (parsed.status) {
        case ProjectFile::ParseStatus::Ok:
            break;
        case ProjectFile::ParseStatus::NoPlcProgram:
            return false;
        default:
            tell(kOpenFailedText, MessageIcon::Stop);
            return false;
    }
    // Part program names become file names in the folder; one that would
    // leave it refuses the whole file before the tree is touched.
    for (const ProjectItemRecord& record : parsed.records) {
        if (record.type != static_cast<std::uint8_t>(ProjectItemType::PartProgram)) continue;
        const std::string name = ProjectTree::displayName(record.name);
        if (!Names::isSafeName(name)) {
            tell(Names::format(Names::kUnsafeNameText, name), MessageIcon::Stop);
            return false;
        }
    }
    if (rebuild) m_tree.rebuild(m_name);
    for (const ProjectItemRecord& record : parsed.records)
        m_tree.attach(record);
    return true;
}

// --- Open project ---

bool Project::readPlcInformation() {
    // The reader fills the information texts through this project state and
    // leaves them untouched when the file is refused.
    plc::PlcDocument scratch(*this);
    return plc::ProgramFile::readFile(plcProgramPath(), scratch, m_ui).result ==
           plc::ProgramFile::kReadOk;
}

void Project::finishOpen(const std::string& path) {
    if (!readPlcInformation()) return;
    m_projectOpen = true;
    m_host.rememberLastProject(path);
    if (m_host.autoOpen()) openProjectItem(plcProgramPath(), ProjectItemType::PlcProgram, true);
}

Project::OpenOutcome Project::openProject(const std::string& chosenPath) {
    if (Names::extension(chosenPath) != Names::kProjectExtension) {
        tell(kBadExtensionText, MessageIcon::Warning);
        return OpenOutcome::Failed;
    }
    const std::string path = absolutePath(chosenPath);
    if (hasProject() && samePath(parentOf(path), m_folder)) return OpenOutcome::NothingDone;
    if (characterCount(path) > static_cast<std::size_t>(kMaxOpenPathCharacters)) {
        tell(kNameTooLongText, MessageIcon::Warning);
        return OpenOutcome::Failed;
    }
    if (hasProject() && !closeProjectAsk()) return OpenOutcome::NothingDone;
    std::string bytes;
    if (!common::AtomicFile::read(path, bytes, ProjectFile::kMaxFileBytes).ok) {
        tell(kOpenFailedText, MessageIcon::Warning);
        return OpenOutcome::Failed;
    }
    if (!ProjectFile::versionAccepted(bytes)) {
        tell(kUnsupportedVersionText, MessageIcon::Warning);
        return OpenOutcome::Failed;
    }
    return adoptProjectFile(path, true);
}

Project::OpenOutcome Project::openProjectByPath(const std::string& givenPath) {
    const std::string path = absolutePath(givenPath);
    if (hasProject() && !samePath(projectFilePath(), path) && !closeProjectAsk())
        return OpenOutcome::NothingDone;
    if (!isRegularFile(path)) {
        tell(Names::format(kNoProjectFileText, givenPath), MessageIcon::Warning);
        return OpenOutcome::Failed;
    }
    if (!Names::equalsIgnoreCase(Names::extension(path), Names::kProjectExtension))
        return OpenOutcome::Failed;
    if (hasProject() && samePath(parentOf(path), m_folder)) return OpenOutcome::NothingDone;
    return adoptProjectFile(path, false);
}

// The common end of both open paths: the file's name becomes the project's,
// its records the tree.
Project::OpenOutcome Project::adoptProjectFile(const std::string& path, bool addToRecent) {
    const std::string name = Names::stem(path);
    if (!Names::isSafeName(name)) {
        tell(Names::format(Names::kUnsafeNameText, name), MessageIcon::Warning);
        return OpenOutcome::Failed;
    }
    m_folder = parentOf(path);
    m_name = name;
    if (!loadProjectFile(path, true)) {
        // A file that cannot be loaded leaves no project behind.
        forgetProject();
        return OpenOutcome::Failed;
    }
    m_host.showProject(true, windowTitle());
    if (addToRecent) m_host.addRecentFile(path);
    finishOpen(path);
    return OpenOutcome::Opened;
}

// --- Close and save ---

bool Project::closeProjectAsk() {
    if (m_modified) {
        const Answer answer =
            m_ui.ask(kSaveQuestionText, kSaveCaption, {Answer::Yes, Answer::No, Answer::Cancel},
                     MessageIcon::Question);
        // Cancel keeps the project open and modified, so the edits are still
        // asked about at the next close and at exit.
        if (answer == Answer::Cancel) return false;
        if (answer == Answer::Yes && !saveProject()) return false;
    }
    closeEverything();
    return true;
}

bool Project::confirmExit() {
    if (!m_modified) return true;
    const Answer answer =
        m_ui.ask(kSaveQuestionText, kExitCaption, {Answer::Yes, Answer::No, Answer::Cancel},
                 MessageIcon::Question);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) m_modified = false;
    return true;
}

void Project::closeEverything() {
    m_host.closeAllDocuments();
    m_documents.clear();
    forgetProject();
    m_modified = false;
    m_host.showProject(false, kNoProjectTitle);
}

bool Project::saveProject() {
    if (!m_modified) return true;
    if (!hasProject()) return false;
    const std::string path = projectFilePath();
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        tell(path + ": " + std::strerror(errno), MessageIcon::Stop);
        return false;
    }
    ::close(fd);
    if (!m_host.saveModifiedDocuments()) return false;
    if (!writeProjectFile()) return false;
    m_modified = false;
    return true;
}

bool Project::saveProjectAs(const LocationDialog& dialog) {
    if (!hasProject()) return false;
    const std::optional<ProjectLocation> location = askLocation(dialog);
    if (!location) return false;
    const std::optional<std::string> folder = prepareFolder(*location);
    if (!folder) return false;
    const std::string oldFolder = m_folder;
    const std::string& newName = location->name;
    std::vector<std::pair<std::string, std::string>> copies = {
        {Names::plcProgram(m_name), Names::plcProgram(newName)},
        {Names::plcProgram(m_name) + ".bin", Names::plcProgram(newName) + ".bin"},
    };
    for (const CncDataFile& file : kCncDataFiles)
        copies.emplace_back(file.fileName, file.fileName);
    for (const ProjectTree::Program& program : m_tree.enumeratePrograms())
        copies.emplace_back(Names::partProgram(program.name), Names::partProgram(program.name));
    // A file that is missing (or unreadable) is skipped without a message.
    for (const auto& [from, to] : copies)
        copyFile(Names::join(oldFolder, from), Names::join(*folder, to));
    // Open documents now edit the new copies: later saves land in the
    // project that is open.
    m_documents.moveFolder(oldFolder, *folder,
                           {{Names::join(oldFolder, Names::plcProgram(m_name)),
                             Names::join(*folder, Names::plcProgram(newName))}});
    m_folder = *folder;
    m_name = newName;
    const bool written = writeProjectFile();
    m_tree.setProjectName(m_name);
    m_host.addRecentFile(projectFilePath());
    m_host.showProject(true, windowTitle());
    return written;
}

// --- Import and adoption ---

bool Project::importPlcProgram(const ImportRequest& request,
                               const LocationDialog& newProjectDialog) {
    if (!checkImportPath(request.sourcePath)) return false;
    if (request.intoOpenProject) {
        if (!m_projectOpen) return false;
        if (m_ui.ask(kOverwriteLadderText, common::kMessageCaption, {Answer::Ok, Answer::Cancel},
                     MessageIcon::Question) != Answer::Ok)
            return false;
    } else {
        newProject(newProjectDialog);
        if (!hasProject()) return false;
    }
    std::error_code ec;
    std::string staging = request.stagingFolder;
    if (staging.empty()) staging = (fs::temp_directory_path(ec) / "plc.tmp").string();
    // Whatever an earlier run left there must not be adopted with this file.
    if (exists(staging)) DirectoryTree::remove(staging);
    if (exists(staging) || !fs::create_directory(staging, ec)) {
        tell(staging + ": " + std::strerror(ec ? ec.value() : EEXIST), MessageIcon::Stop);
        return false;
    }
    const FileResult copied =
        copyFile(request.sourcePath, Names::join(staging, Names::kStagedPlcProgram));
    if (!copied.ok) {
        tell(copied.error, MessageIcon::Stop);
        DirectoryTree::remove(staging);
        return false;
    }
    return adoptStagedFiles(staging, true);
}

bool Project::adoptStagedFiles(const std::string& stagingFolder, bool reload) {
    if (!reload) return true;
    if (!hasProject()) return false;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(stagingFolder, ec), end; !ec && it != end; it.increment(ec)) {
        // Only plain files: folders are skipped and a link is never followed
        // out of the staging folder.
        if (it->symlink_status(ec).type() == fs::file_type::regular)
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    bool ok = true;
    for (const std::string& name : names) {
        if (!adoptOne(stagingFolder, name)) {
            ok = false;
            break;
        }
    }
    // After a failed copy the staging folder stays, so nothing received is
    // lost; what was adopted before it is recorded below.
    if (ok) DirectoryTree::remove(stagingFolder);
    const std::string paraB = filePath(Names::kParaB);
    if (isRegularFile(paraB) && isRegularFile(filePath(Names::kParaW)) &&
        m_host.isDocumentOpen(paraB))
        m_host.reloadDocument(paraB, ProjectItemType::Parameters);
    return writeProjectFile() && ok;
}

bool Project::adoptOne(const std::string& stagingFolder, const std::string& fileName) {
    const std::string staged = Names::join(stagingFolder, fileName);
    if (!Names::isSafeName(fileName)) {
        tell(Names::format(Names::kUnsafeNameText, fileName), MessageIcon::Warning);
        return true;
    }
    auto move = [&](const std::string& target) {
        const FileResult copied = copyFile(staged, target);
        if (!copied.ok) {
            tell(copied.error, MessageIcon::Stop);
            return false;
        }
        ::unlink(staged.c_str());
        return true;
    };
    for (const auto& [table, type] :
         {std::pair{Names::kToolOffsets, ProjectItemType::ToolOffsets},
          std::pair{Names::kPitchCompensation, ProjectItemType::PitchCompensation}}) {
        if (!Names::equalsIgnoreCase(fileName, table)) continue;
        const std::string target = filePath(table);
        if (!move(target)) return false;
        if (m_host.isDocumentOpen(target)) m_host.reloadDocument(target, type);
        return true;
    }
    if (Names::equalsIgnoreCase(fileName, Names::kStagedPlcProgram)) {
        const std::string target = plcProgramPath();
        if (!move(target)) return false;
        if (m_host.isDocumentOpen(target) &&
            !m_host.reloadDocument(target, ProjectItemType::PlcProgram))
            tell(kPlcDamagedText, MessageIcon::Warning);
        return true;
    }
    const std::string extension = Names::extension(fileName);
    if (!Names::equalsIgnoreCase(extension, Names::kPartProgramExtension)) {
        // The parameter files keep the names the project uses for them.
        std::string target = fileName;
        for (const char* parameters : {Names::kParaB, Names::kParaW})
            if (Names::equalsIgnoreCase(fileName, parameters)) target = parameters;
        return move(filePath(target));
    }
    const std::string program = Names::stem(fileName);
    if (!Names::isSafeName(program)) {
        tell(Names::format(Names::kUnsafeNameText, fileName), MessageIcon::Warning);
        return true;
    }
    const std::string target = filePath(Names::partProgram(program));
    bool take = true;
    if (exists(target))
        take = m_ui.ask(Names::format(kOverwriteStagedText, fileName), common::kMessageCaption,
                        {Answer::Ok, Answer::Cancel}, MessageIcon::Question) == Answer::Ok;
    if (take) {
        if (!move(target)) return false;
        m_tree.findOrAddProgram(program);
        // An open window would otherwise go on showing, and later save, the
        // program it had before.
        if (m_host.isDocumentOpen(target))
            m_host.reloadDocument(target, ProjectItemType::PartProgram);
    } else {
        ::unlink(staged.c_str());
    }
    return true;
}

// --- project items ---

bool Project::openProjectItem(const std::string& path, ProjectItemType type, bool exists) {
    if (type == ProjectItemType::Parameters) {
        const std::string paraW = Names::join(parentOf(path), Names::kParaW);
        if (!app::exists(paraW)) {
            const FileResult seeded = common::AtomicFile::write(paraW, DefaultFiles::cncDataFile());
            if (!seeded.ok) {
                tell(seeded.error, MessageIcon::Stop);
                return false;
            }
        }
    }
    if (!exists) {
        std::string seed;
        switch (type) {
            case ProjectItemType::PlcProgram:
            case ProjectItemType::PlcInformation:
            case ProjectItemType::PlcDataTables:
                seed = DefaultFiles::shortPlcProgram();
                break;
            case ProjectItemType::PartProgram:
                seed = DefaultFiles::partProgram(Names::stem(path));
                break;
            default:
                seed = DefaultFiles::cncDataFile();
                break;
        }
        const FileResult seeded = common::AtomicFile::write(path, seed);
        if (!seeded.ok) {
            tell(seeded.error, MessageIcon::Stop);
            return false;
        }
    }
    return m_host.openDocument(path, type);
}

bool Project::openTreeEntry(ProjectTree::Entry entry) {
    if (!hasProject()) return false;
    std::string path = plcProgramPath();
    ProjectItemType type = ProjectItemType::PlcProgram;
    switch (entry) {
        case ProjectTree::Entry::Parameters:
            path = filePath(Names::kParaB);
            type = ProjectItemType::Parameters;
            break;
        case ProjectTree::Entry::ToolOffsets:
            path = filePath(Names::kToolOffsets);
            type = ProjectItemType::ToolOffsets;
            break;
        case ProjectTree::Entry::PitchCompensation:
            path = filePath(Names::kPitchCompensation);
            type = ProjectItemType::PitchCompensation;
            break;
        case ProjectTree::Entry::LadderProgram:
            break;
        case ProjectTree::Entry::InformationTable:
            type = ProjectItemType::PlcInformation;
            break;
        case ProjectTree::Entry::DataTables:
            type = ProjectItemType::PlcDataTables;
            break;
        default:
            // Program information and K values are dialogs of the windows.
            return false;
    }
    if (m_host.isDocumentOpen(path)) {
        m_host.activateDocument(path, type);
        return true;
    }
    return openProjectItem(path, type, isRegularFile(path));
}

bool Project::setPlcProperties(const std::array<std::string, kInfoTexts>& texts) {
    if (texts == m_info) return false;
    m_info = texts;
    markProjectModified(true);
    if (hasProject() && m_host.isDocumentOpen(plcProgramPath()))
        m_host.markDocumentModified(plcProgramPath());
    return true;
}

// --- helpers ---

FileResult Project::copyFile(const std::string& from, const std::string& to) {
    std::string bytes;
    FileResult read = common::AtomicFile::read(from, bytes);
    if (!read.ok) return read;
    return common::AtomicFile::write(to, bytes);
}

bool Project::samePath(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    std::error_code ecA, ecB;
    const fs::path canonicalA = fs::weakly_canonical(absolutePath(a), ecA);
    const fs::path canonicalB = fs::weakly_canonical(absolutePath(b), ecB);
    if (ecA || ecB) return absolutePath(a) == absolutePath(b);
    return canonicalA == canonicalB;
}

}  // namespace kelcc::core::app
