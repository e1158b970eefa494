#include "xref_command.h"

#include <cstdio>

#include "common/interaction.h"
#include "compiler/plc_document_file.h"
#include "ladder_editor/cross_reference.h"
#include "plc/plc_document.h"
#include "plc/project_state.h"

namespace kelcc::cli {

int XrefCommand::run(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("kelcc-cli: xref needs IN.ldx\n", stderr);
        return 2;
    }
    core::plc::SimpleProjectState project;
    core::plc::PlcDocument doc(project);
    core::common::RecordingInteraction ui;
    if (!core::compiler::PlcDocumentFile::open(doc, args[0], ui)) {
        for (const auto& message : ui.messages())
            std::fprintf(stderr, "%s: %s\n", args[0].c_str(), message.text.c_str());
        return 2;
    }
    const core::ladder_editor::CrossReference xref(doc.grid());
    std::fputs(xref.text().c_str(), stdout);
    return 0;
}

}  // namespace kelcc::cli
