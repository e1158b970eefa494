#include "ladder_editor/ladder_recovery.h"

#include "common/interaction.h"
#include "common/recovery_store.h"
#include "compiler/grid_text.h"
#include "plc/program_file.h"
#include "plc/project_state.h"

namespace kelcc::core::ladder_editor {

namespace {

constexpr std::string_view kProgramPart = "program";
constexpr std::string_view kLadderPart = "ladder";

bool load(plc::PlcDocument& doc, const common::RecoveryStore::Parts& parts, std::string& error) {
    common::RecordingInteraction quiet;
    if (plc::ProgramFile::read(parts.find(kProgramPart)->second, doc, quiet) !=
        plc::ProgramFile::kReadOk) {
        error = "the copy's program cannot be read";
        return false;
    }
    const compiler::GridText::ParseResult parsed =
        compiler::GridText::parse(parts.find(kLadderPart)->second, doc);
    if (!parsed.ok)
        error = "the copy's ladder, line " + std::to_string(parsed.line) + ": " + parsed.error;
    return parsed.ok;
}

}  // namespace

std::string LadderRecovery::content(const plc::PlcDocument& doc) {
    return common::RecoveryStore::pack({{kProgramPart, plc::ProgramFile::write(doc)},
                                        {kLadderPart, compiler::GridText::format(doc)}});
}

bool LadderRecovery::restore(plc::PlcDocument& doc, std::string_view content, std::string& error) {
    const auto parts = common::RecoveryStore::unpack(content);
    if (!parts || !parts->contains(kProgramPart) || !parts->contains(kLadderPart)) {
        error = "not the copy of a PLC program";
        return false;
    }
    // Tried on a scratch document first, so that a bad copy changes nothing.
    plc::SimpleProjectState scratchProject;
    plc::PlcDocument scratch(scratchProject);
    if (!load(scratch, *parts, error)) return false;
    load(doc, *parts, error);
    doc.reloaded();
    doc.setModified(true);
    doc.project().markProjectModified();
    return true;
}

}  // namespace kelcc::core::ladder_editor
