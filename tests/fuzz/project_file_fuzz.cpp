// Feeds arbitrary bytes to LoadProjectFile. A file it accepts must write back
// to a file that loads to the same tree; a refused file leaves the tree as
// it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/project.h"
#include "app/project_file.h"
#include "app/project_file_names.h"
#include "app/project_host.h"
#include "common/interaction.h"

namespace {

using kelcc::core::app::HeadlessProjectHost;
using kelcc::core::app::Project;
using kelcc::core::app::ProjectFile;
using kelcc::core::app::ProjectFileNames;
using kelcc::core::app::ProjectTree;

void fail(const char* what) {
    std::fprintf(stderr, "project_file_fuzz: %s\n", what);
    std::abort();
}

bool samePrograms(const ProjectTree& a, const ProjectTree& b) {
    const auto& pa = a.enumeratePrograms();
    const auto& pb = b.enumeratePrograms();
    if (pa.size() != pb.size()) return false;
    for (std::size_t i = 0; i < pa.size(); ++i)
        if (pa[i].name != pb[i].name || pa[i].record.number != pb[i].record.number ||
            pa[i].record.textA != pb[i].record.textA || pa[i].record.textC != pb[i].record.textC)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kelcc::core::common::RecordingInteraction ui;
    HeadlessProjectHost host;
    Project project(ui, host);
    project.tree().rebuild("before");
    project.tree().findOrAddProgram("O0001");

    const ProjectFile::ParseStatus status = ProjectFile::parse(bytes).status;
    if (!project.loadProjectBytes(bytes, true)) {
        if (project.tree().enumeratePrograms().size() != 1 ||
            project.tree().enumeratePrograms()[0].name != "O0001")
            fail("a refused file changed the tree");
        if (status == ProjectFile::ParseStatus::NoPlcProgram ? !ui.messages().empty()
                                                             : ui.messages().size() != 1)
            fail("wrong messages for a refused file");
        return 0;
    }
    if (status != ProjectFile::ParseStatus::Ok) fail("a file the parser refuses was loaded");
    for (const auto& program : project.tree().enumeratePrograms())
        if (!ProjectFileNames::isSafeName(program.name)) fail("an unsafe program name was kept");

    // No folder: the fixed records carry empty times, the programs are
    // those of the tree.
    const std::string written = project.projectFileBytes();
    Project again(ui, host);
    if (!again.loadProjectBytes(written, true)) fail("own file refused");
    if (!samePrograms(project.tree(), again.tree()))
        fail("the programs changed through write and load");
    if (again.projectFileBytes() != written) fail("write(load(write)) differs from write");
    return 0;
}
