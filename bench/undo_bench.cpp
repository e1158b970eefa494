// Undo and redo on a program of about 5000 steps: one cell edit, a block
// delete of 1000 rows, and the memory that 10,000 single-cell steps hold.
#include <benchmark/benchmark.h>

#include <string>

#include "common/interaction.h"
#include "compiler/il_check.h"
#include "compiler/ladder_rebuild.h"
#include "full_program.h"
#include "ladder_editor/ladder_editor.h"
#include "plc/instruction_code.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace {

using namespace kelcc::core;

struct Program {
    plc::SimpleProjectState project;
    plc::PlcDocument doc{project};
    common::RecordingInteraction ui;
    bool ok = false;

    Program() {
        if (plc::ProgramFile::read(kelcc::bench::fullProgramFile(), doc, ui) != 0) return;
        if (!compiler::IlCheck::checkAndDivide(doc).ok()) return;
        ok = compiler::LadderRebuild::rebuild(doc, doc.networkSteps()).ok();
    }
};

void BM_UndoRedoOneCellEdit(benchmark::State& state) {
    Program p;
    if (!p.ok) {
        state.SkipWithError("the program did not open");
        return;
    }
    const int row = p.doc.lastUsedRow() / 2;
    p.doc.setCell(row, 3, static_cast<int>(plc::InstructionCode::LD), "X0001.0");
    auto& stack = p.doc.undoStack();
    for (auto _ : state) {
        stack.undo();
        stack.redo();
    }
    state.SetLabel("one undo plus one redo per iteration");
}
BENCHMARK(BM_UndoRedoOneCellEdit)->Unit(benchmark::kMicrosecond);

void BM_UndoBlockDelete1000Rows(benchmark::State& state) {
    Program p;
    if (!p.ok || p.doc.lastUsedRow() < 1000) {
        state.SkipWithError("the program did not open");
        return;
    }
    ladder_editor::LadderEditor editor(p.doc, p.ui);
    editor.deleteSelection({1, 1, 1000, 8});
    auto& stack = p.doc.undoStack();
    if (!stack.canUndo()) {
        state.SkipWithError("the delete changed nothing");
        return;
    }
    for (auto _ : state) {
        stack.undo();
        state.PauseTiming();
        stack.redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoBlockDelete1000Rows)->Unit(benchmark::kMillisecond);

void BM_MemoryOf10000CellSteps(benchmark::State& state) {
    constexpr int kSteps = 10000;
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Program p;
        state.ResumeTiming();
        for (int i = 0; i < kSteps; ++i) {
            const int row = 1 + (i * 7) % 4000;
            const int column = 1 + i % 7;
            // A new operand each time, so that every call is a step.
            p.doc.setCell(row, column, static_cast<int>(plc::InstructionCode::AND),
                          "R" + std::to_string(1000 + i % 9000) + ".1");
        }
        bytes = p.doc.undoStack().bytes();
        state.counters["steps"] = p.doc.undoStack().count();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_step"] = static_cast<double>(bytes) / kSteps;
}
BENCHMARK(BM_MemoryOf10000CellSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
