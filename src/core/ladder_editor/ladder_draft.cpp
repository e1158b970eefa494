#include "ladder_editor/ladder_draft.h"

#include <filesystem>
#include <system_error>

#include "compiler/grid_text.h"

namespace kelcc::core::ladder_editor {

namespace fs = std::filesystem;

std::string LadderDraft::pathFor(const std::string& programPath) {
    return programPath + kExtension;
}

common::FileResult LadderDraft::save(const plc::PlcDocument& doc, const std::string& programPath) {
    return common::AtomicFile::write(pathFor(programPath), compiler::GridText::format(doc));
}

bool LadderDraft::newerDraftExists(const std::string& programPath) {
    std::error_code error;
    const auto draft = fs::last_write_time(pathFor(programPath), error);
    if (error) return false;
    const auto program = fs::last_write_time(programPath, error);
    return error || draft > program;
}

bool LadderDraft::open(plc::PlcDocument& doc, const std::string& programPath, std::string& error) {
    std::string text;
    const common::FileResult read = common::AtomicFile::read(pathFor(programPath), text);
    if (!read.ok) {
        error = read.error;
        return false;
    }
    const compiler::GridText::ParseResult parsed = compiler::GridText::parse(text, doc);
    if (!parsed.ok) {
        error = pathFor(programPath) + ":" + std::to_string(parsed.line) + ": " + parsed.error;
        return false;
    }
    doc.reloaded();
    doc.setModified(true);
    doc.project().markProjectModified();
    return true;
}

}  // namespace kelcc::core::ladder_editor
