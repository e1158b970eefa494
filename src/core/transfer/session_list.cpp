#include "transfer/session_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>

#include "app/directory_tree.h"
#include "app/project.h"
#include "app/project_file_names.h"
#include "comm/controller_name.h"

namespace kelcc::core::transfer {
namespace {

using Names = app::ProjectFileNames;

// The size of a file to send, or the platform's error text.
std::optional<std::uint32_t> sizeOf(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int err = 0;
    struct stat st {};
    if (fd < 0)
        err = errno;
    else if (::fstat(fd, &st) != 0)
        err = errno;
    else if (!S_ISREG(st.st_mode))
        err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    else if (static_cast<std::uint64_t>(st.st_size) > std::numeric_limits<std::uint32_t>::max())
        err = EFBIG;
    if (fd >= 0) ::close(fd);
    if (err != 0) {
        error = path + ": " + std::strerror(err);
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(st.st_size);
}

comm::FileEntry configEntry(std::string name, std::string localPath) {
    return {std::move(name), std::move(localPath), comm::FileEntry::kConfigArea,
            comm::FileEntry::kFileKind, 0};
}

std::string staged(const std::string& folder, const std::string& name) {
    return Names::join(folder, name);
}

}  // namespace

SessionList::Built SessionList::forSending(const app::Project& project,
                                           const SendSelection& selection) {
    if (selection.empty() && selection.programs.empty()) return {false, {}, kNoSelectionText, {}};

    std::vector<comm::FileEntry> entries;
    if (selection.plcProgram) {
        const std::string ladder = project.plcProgramPath();
        entries.push_back(configEntry(kPlcProgram, ladder));
        entries.push_back(configEntry(kPlcBinary, ladder + ".bin"));
    }
    auto fixed = [&](bool wanted, std::initializer_list<const char*> names) {
        if (!wanted) return;
        for (const char* name : names)
            entries.push_back(configEntry(name, project.filePath(name)));
    };
    fixed(selection.parameters, {Names::kParaB, Names::kParaW});
    fixed(selection.toolOffsets, {Names::kToolOffsets});
    fixed(selection.pitchCompensation, {Names::kPitchCompensation});

    for (const auto& program : project.tree().enumeratePrograms()) {
        if (std::find(selection.programs.begin(), selection.programs.end(), program.name) ==
            selection.programs.end())
            continue;
        const std::string name = Names::partProgram(program.name);
        // The name must fit the header and address one file on the
        // controller; a cut name would overwrite another program.
        if (!comm::ControllerName::isSafe(name))
            return {false, {}, Names::format(Names::kUnsafeNameText, name), {}};
        entries.push_back({name, project.filePath(name), comm::FileEntry::kUserArea,
                           comm::FileEntry::kFileKind, 0});
    }

    if (entries.empty()) return {false, {}, kNoSelectionText, {}};
    for (comm::FileEntry& entry : entries) {
        std::string error;
        const auto size = sizeOf(entry.localPath, error);
        if (!size) return {false, {}, error, {}};
        entry.size = *size;
    }
    return {true, std::move(entries), {}, {}};
}

SessionList::Built SessionList::forReceiving(const std::string& stagingFolder,
                                             const ReceiveSelection& selection,
                                             const std::vector<comm::FileEntry>& configList) {
    if (selection.empty() && selection.programs.empty()) return {false, {}, kNoSelectionText, {}};

    Built built;
    auto fixed = [&](bool wanted, std::initializer_list<const char*> names) {
        if (!wanted) return;
        for (const char* name : names) {
            comm::FileEntry entry = configEntry(name, staged(stagingFolder, name));
            for (const comm::FileEntry& listed : configList)
                if (listed.name == entry.name) entry.size = listed.size;
            built.entries.push_back(std::move(entry));
        }
    };
    fixed(selection.plcProgram, {kPlcProgram});
    fixed(selection.parameters, {Names::kParaB, Names::kParaW});
    fixed(selection.toolOffsets, {Names::kToolOffsets});
    fixed(selection.pitchCompensation, {Names::kPitchCompensation});

    std::vector<comm::FileEntry> programs = selection.programs;
    std::stable_sort(
        programs.begin(), programs.end(),
        [](const comm::FileEntry& a, const comm::FileEntry& b) { return a.area < b.area; });
    std::vector<std::string> taken;
    for (comm::FileEntry& program : programs) {
        // The names come from the controller and become paths here.
        if (!comm::ControllerName::isSafe(program.name) ||
            program.area < comm::FileEntry::kUserArea || program.area > comm::FileEntry::kLastArea)
            return {false, {}, Names::format(Names::kUnsafeNameText, program.name), {}};
        if (std::find(taken.begin(), taken.end(), program.name) != taken.end()) {
            built.skipped.push_back(std::move(program));
            continue;
        }
        taken.push_back(program.name);
        program.localPath = staged(stagingFolder, program.name);
        program.kind = comm::FileEntry::kFileKind;
        built.entries.push_back(std::move(program));
    }
    if (built.entries.empty()) return {false, {}, kNoSelectionText, std::move(built.skipped)};
    built.ok = true;
    return built;
}

std::string SessionList::stagingFolderPath(const std::string& tempFolder, std::uint64_t seconds) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    do {
        hex.insert(hex.begin(), kDigits[seconds % 16]);
        seconds /= 16;
    } while (seconds != 0);
    return Names::join(tempFolder, kStagingPrefix + hex);
}

bool SessionList::makeStagingFolder(const std::string& path) {
    app::DirectoryTree::remove(path);
    // Received files are adopted from here, so the folder must be a new one
    // of ours: a folder left by someone else makes this fail.
    return ::mkdir(path.c_str(), 0700) == 0;
}

std::uint64_t SessionList::totalSize(const std::vector<comm::FileEntry>& entries) noexcept {
    std::uint64_t total = 0;
    for (const comm::FileEntry& entry : entries)
        total += entry.size;
    return total;
}

}  // namespace kelcc::core::transfer
