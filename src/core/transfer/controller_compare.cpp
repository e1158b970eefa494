#include "transfer/controller_compare.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/project.h"
#include "app/project_file_names.h"
#include "comm/file_list.h"
#include "common/atomic_file.h"
#include "common/interaction.h"
#include "common/line_diff.h"
#include "compiler/grid_text.h"
#include "compiler/il_check.h"
#include "compiler/ladder_rebuild.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"
#include "plc/project_state.h"

namespace kelcc::core::transfer {
namespace {

using Names = app::ProjectFileNames;

// A file's line diff is cut here; the rest is counted.
constexpr std::size_t kMaxDetailLines = 200;
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

const comm::FileEntry* findListed(const ControllerCompare::Lists& lists, int area,
                                  const std::string& name) {
    const auto it = lists.find(area);
    if (it == lists.end()) return nullptr;
    for (const comm::FileEntry& entry : it->second)
        if (Names::equalsIgnoreCase(entry.name, name)) return &entry;
    return nullptr;
}

std::optional<std::string> readAll(const std::string& path) {
    std::string bytes;
    if (!common::AtomicFile::read(path, bytes, kMaxFileBytes).ok) return std::nullopt;
    return bytes;
}

bool isPlcProgram(const std::string& name) {
    return name == SessionList::kPlcProgram;
}

// The grid text of each network, rows counted from the network's first.
struct Ladder {
    std::uint16_t checksum = 0;
    std::vector<std::string> networks;
};

std::optional<Ladder> ladderOf(const std::string& bytes) {
    plc::SimpleProjectState state;
    plc::PlcDocument doc(state);
    common::RecordingInteraction quiet;
    // As the workbench opens it: the ladder is rebuilt from the IL.
    if (plc::ProgramFile::read(bytes, doc, quiet) != plc::ProgramFile::kReadOk ||
        !compiler::IlCheck::checkAndDivide(doc).ok() ||
        !compiler::LadderRebuild::rebuild(doc, doc.networkSteps()).ok())
        return std::nullopt;
    Ladder ladder;
    ladder.checksum = doc.il().checksum();
    const std::vector<std::string> lines = common::LineDiff::split(compiler::GridText::format(doc));
    for (const plc::Network& network : doc.grid().divideNetworks()) {
        std::string text;
        for (const std::string& line : lines) {
            const bool comment = !line.empty() && line[0] == '#';
            const int row = std::atoi(line.c_str() + (comment ? 1 : 0));
            if (row < network.firstRow || row > network.lastRow) continue;
            const auto tab = line.find('\t');
            text += std::to_string(row - network.firstRow) + (comment ? "#" : "") +
                    line.substr(tab == std::string::npos ? line.size() : tab) + "\n";
        }
        ladder.networks.push_back(std::move(text));
    }
    return ladder;
}

std::string hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

std::vector<std::string> plcDifferences(const std::string& projectBytes,
                                        const std::string& controllerBytes) {
    const auto mine = ladderOf(projectBytes);
    const auto theirs = ladderOf(controllerBytes);
    if (!mine || !theirs) {
        std::vector<std::string> details{std::string("not readable as a PLC program: ") +
                                         (!mine ? "project" : "controller")};
        return details;
    }
    std::vector<std::string> details;
    details.push_back("checksum " + hex4(mine->checksum) + " project, " + hex4(theirs->checksum) +
                      " controller");
    // Numbered from 1 as the ladder window counts them; runs as "3-7".
    std::string differing;
    const std::size_t count = std::max(mine->networks.size(), theirs->networks.size());
    const auto same = [&](std::size_t i) {
        return i < mine->networks.size() && i < theirs->networks.size() &&
               mine->networks[i] == theirs->networks[i];
    };
    for (std::size_t i = 0; i < count; ++i) {
        if (same(i)) continue;
        std::size_t last = i;
        while (last + 1 < count && !same(last + 1))
            ++last;
        differing += (differing.empty() ? "" : ", ") + std::to_string(i + 1);
        if (last > i) differing += "-" + std::to_string(last + 1);
        i = last;
    }
    details.push_back("networks " + std::to_string(mine->networks.size()) + " project, " +
                      std::to_string(theirs->networks.size()) + " controller");
    // Texts outside the ladder (tables, comments, alarms) differ too.
    details.push_back(differing.empty() ? "networks that differ: none"
                                        : "networks that differ: " + differing);
    return details;
}

}  // namespace

std::vector<ControllerCompare::LocalFile> ControllerCompare::projectFiles(
    const app::Project& project) {
    std::vector<LocalFile> files;
    const auto add = [&](const SessionList::SendSelection& selection) {
        const SessionList::Built built = SessionList::forSending(project, selection);
        if (built.ok) {
            for (const comm::FileEntry& entry : built.entries)
                if (entry.name != SessionList::kPlcBinary)
                    files.push_back({entry.name, entry.localPath, entry.area, true, {}});
            return;
        }
        // Named again as a send would name them, each one checked alone.
        const auto missing = [&](const std::string& name, const std::string& path,
                                 std::uint8_t area) {
            struct stat st {};
            const bool there = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
            files.push_back({name, path, area, there, there ? std::string() : built.error});
        };
        if (selection.plcProgram)
            missing(SessionList::kPlcProgram, project.plcProgramPath(),
                    comm::FileEntry::kConfigArea);
        if (selection.parameters) {
            missing(Names::kParaB, project.filePath(Names::kParaB), comm::FileEntry::kConfigArea);
            missing(Names::kParaW, project.filePath(Names::kParaW), comm::FileEntry::kConfigArea);
        }
        if (selection.toolOffsets)
            missing(Names::kToolOffsets, project.filePath(Names::kToolOffsets),
                    comm::FileEntry::kConfigArea);
        if (selection.pitchCompensation)
            missing(Names::kPitchCompensation, project.filePath(Names::kPitchCompensation),
                    comm::FileEntry::kConfigArea);
        for (const std::string& program : selection.programs) {
            const std::string name = Names::partProgram(program);
            missing(name, project.filePath(name), comm::FileEntry::kUserArea);
        }
    };
    SessionList::SendSelection one;
    one.plcProgram = true;
    add(one);
    one = {};
    one.parameters = true;
    add(one);
    one = {};
    one.toolOffsets = true;
    add(one);
    one = {};
    one.pitchCompensation = true;
    add(one);
    for (const auto& program : project.tree().enumeratePrograms()) {
        one = {};
        one.programs = {program.name};
        add(one);
    }
    return files;
}

SessionList::ReceiveSelection ControllerCompare::toReceive(const std::vector<LocalFile>& files,
                                                           const Lists& lists) {
    SessionList::ReceiveSelection selection;
    const auto both = [&](const char* name) {
        const auto local = std::find_if(files.begin(), files.end(),
                                        [name](const LocalFile& f) { return f.name == name; });
        return local != files.end() && local->present &&
               findListed(lists, comm::FileEntry::kConfigArea, name) != nullptr;
    };
    selection.plcProgram = both(SessionList::kPlcProgram);
    selection.parameters = both(Names::kParaB) && both(Names::kParaW);
    selection.toolOffsets = both(Names::kToolOffsets);
    selection.pitchCompensation = both(Names::kPitchCompensation);
    for (const LocalFile& file : files) {
        if (file.area != comm::FileEntry::kUserArea || !file.present) continue;
        if (const comm::FileEntry* listed = findListed(lists, file.area, file.name))
            selection.programs.push_back(*listed);
    }
    return selection;
}

std::vector<ControllerCompare::Row> ControllerCompare::compare(const std::vector<LocalFile>& files,
                                                               const Lists& lists,
                                                               const std::string& stagingFolder) {
    std::vector<Row> rows;
    for (const LocalFile& file : files) {
        Row row{file.name, file.area, Status::NotCompared, {}};
        const bool listed = lists.count(file.area) != 0;
        const comm::FileEntry* theirs = findListed(lists, file.area, file.name);
        if (!listed) {
            row.details.emplace_back("the controller's file list was not read");
        } else if (!file.present) {
            row.status = theirs ? Status::OnlyOnController : Status::NotCompared;
            row.details.push_back(file.error);
            if (!theirs) row.details.emplace_back("not on the controller either");
        } else if (!theirs) {
            row.status = Status::OnlyInProject;
        } else {
            const std::string staged = Names::join(stagingFolder, theirs->name);
            std::error_code ec;
            const auto size = std::filesystem::file_size(staged, ec);
            const auto controllerBytes =
                ec || size != theirs->size ? std::nullopt : readAll(staged);
            const auto projectBytes = readAll(file.localPath);
            const char* partner = file.name == Names::kParaB   ? Names::kParaW
                                  : file.name == Names::kParaW ? Names::kParaB
                                                               : nullptr;
            if (!controllerBytes && partner &&
                !findListed(lists, comm::FileEntry::kConfigArea, partner)) {
                row.details.push_back(std::string("read only together with ") + partner +
                                      ", which the controller lacks");
            } else if (!controllerBytes) {
                row.details.emplace_back("not read from the controller");
            } else if (!projectBytes) {
                row.details.emplace_back("cannot be read in the project");
            } else {
                row.details = differences(file.name, *projectBytes, *controllerBytes);
                row.status = row.details.empty() ? Status::Same : Status::Different;
            }
        }
        rows.push_back(std::move(row));
    }
    // What only the controller has: the part programs it offers and the
    // configuration files the project would send but lacks (reported above).
    for (const auto& [area, entries] : lists) {
        if (area < comm::FileEntry::kUserArea) continue;
        for (const comm::FileEntry& entry : comm::FileList::offeredPrograms(entries)) {
            const bool known =
                std::any_of(files.begin(), files.end(), [&, area = area](const LocalFile& f) {
                    return f.area == area && Names::equalsIgnoreCase(f.name, entry.name);
                });
            if (!known)
                rows.push_back(
                    {entry.name, static_cast<std::uint8_t>(area), Status::OnlyOnController, {}});
        }
    }
    return rows;
}

std::vector<std::string> ControllerCompare::differences(const std::string& name,
                                                        const std::string& projectBytes,
                                                        const std::string& controllerBytes) {
    if (projectBytes == controllerBytes) return {};
    if (isPlcProgram(name)) return plcDifferences(projectBytes, controllerBytes);
    std::vector<std::string> lines = common::LineDiff::unified(projectBytes, controllerBytes);
    // Only line ends differ: the lines are the same, the bytes are not.
    if (lines.empty()) return {"the bytes differ, the lines do not (line ends)"};
    lines.insert(lines.begin(), {"--- project", "+++ controller"});
    if (lines.size() > kMaxDetailLines) {
        const std::size_t more = lines.size() - kMaxDetailLines;
        lines.resize(kMaxDetailLines);
        lines.push_back("... " + std::to_string(more) + " more lines");
    }
    return lines;
}

const char* ControllerCompare::statusText(Status status) noexcept {
    switch (status) {
        case Status::Same:
            return "same";
        case Status::Different:
            return "different";
        case Status::OnlyInProject:
            return "only in the project";
        case Status::OnlyOnController:
            return "only on the controller";
        case Status::NotCompared:
            return "not compared";
    }
    return "";
}

bool ControllerCompare::allSame(const std::vector<Row>& rows) noexcept {
    return std::all_of(rows.begin(), rows.end(),
                       [](const Row& row) { return row.status == Status::Same; });
}

}  // namespace kelcc::core::transfer
