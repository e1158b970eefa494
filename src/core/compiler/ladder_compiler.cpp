#include "ladder_compiler.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/circuit_graph.h"
#include "compiler/il_generator.h"
#include "compiler/ladder_rebuild.h"
#include "compiler/program_check.h"

namespace kelcc::core::compiler {

using plc::LadderGrid;

namespace {

// What deleting the empty rows changes, kept so that a failed rebuild can
// put the ladder back. Only taken when there is something to delete.
struct LadderBackup {
    LadderGrid grid;
    std::vector<std::string> comments;
};

bool hasEmptyRows(const LadderGrid& grid) {
    const int last = grid.lastUsedRow();
    for (int r = 1; r < last; ++r) {
        if (grid.rowIsEmpty(r)) return true;
    }
    return false;
}

plc::CompileResult runPipeline(plc::PlcDocument& doc) {
    CircuitGraph graph(doc.grid());
    plc::CompileResult result = graph.build();
    if (result.code == 0) result = graph.check();
    if (result.code == 0) result = graph.divide(doc.networkTable());
    if (result.code == 0) {
        IlGenerator generator(graph, doc.compileIl(), LadderCompiler::kBlockStackEntries);
        result = generator.generate(doc.networkTable(), doc.networkSteps());
    }
    if (result.code == 0) {
        const int code = ProgramCheck::run(doc.compileIl(), doc.warnings());
        if (code != 0) result = {code, -1, -1, 0};
    }
    return result;
}

// Makes the compiled program the document's and redraws the ladder from it.
// A rebuild error undoes everything: program, step count and ladder stay as
// they were before the compile.
plc::CompileResult install(plc::PlcDocument& doc) {
    plc::IlStore previous = std::move(doc.il());
    const int previousSteps = doc.stepCount();
    doc.il() = std::move(doc.compileIl());
    doc.setStepCount(static_cast<int>(doc.il().size()));

    std::optional<LadderBackup> backup;
    if (hasEmptyRows(doc.grid())) {
        backup.emplace();
        backup->grid = doc.grid();
        backup->comments.reserve(LadderGrid::kRows + 1);
        for (int r = 0; r <= LadderGrid::kRows; ++r)
            backup->comments.push_back(doc.rowComment(r));
        doc.deleteEmptyRows();
    }

    const StepError rebuilt = LadderRebuild::rebuild(doc, doc.networkSteps());
    if (rebuilt.ok()) {
        doc.updateChecksum();
        doc.replacedIl(std::move(previous));
        return {};
    }
    doc.compileIl() = std::move(doc.il());
    doc.il() = std::move(previous);
    doc.setStepCount(previousSteps);
    if (backup) {
        doc.grid() = std::move(backup->grid);
        for (int r = 1; r <= LadderGrid::kRows; ++r) {
            doc.loadRowComment(r, backup->comments[static_cast<std::size_t>(r)]);
        }
    }
    return {rebuilt.code, -1, -1, 0};
}

}  // namespace

plc::CompileResult LadderCompiler::compile(plc::PlcDocument& doc) {
    // The whole compile is one undo step, and none when nothing changed.
    doc.beginProgramChange();
    doc.project().setPlcCompiled(false);
    doc.setChecksum(0);
    doc.warnings().clear();
    doc.compileIl().clear();
    doc.networkTable().clear();
    doc.networkSteps().clear();

    plc::CompileResult result = runPipeline(doc);
    if (result.code == 0) result = install(doc);

    doc.compileIl().clear();
    doc.setCompileResult(result);
    doc.endProgramChange();
    return result;
}

}  // namespace kelcc::core::compiler
