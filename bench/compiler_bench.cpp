// Open (read + check + rebuild) and compile (with its rebuild) of a program
// of about 5000 steps with a realistic mix of networks.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "common/interaction.h"
#include "compiler/il_check.h"
#include "compiler/ladder_compiler.h"
#include "compiler/ladder_rebuild.h"
#include "full_program.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace {

using namespace kelcc::core;
using kelcc::bench::fullProgramFile;

bool openDocument(const std::string& bytes, plc::PlcDocument& doc) {
    common::RecordingInteraction ui;
    doc.clear();
    if (plc::ProgramFile::read(bytes, doc, ui) != 0) return false;
    if (!compiler::IlCheck::checkAndDivide(doc).ok()) return false;
    return compiler::LadderRebuild::rebuild(doc, doc.networkSteps()).ok();
}

void BM_OpenFullProgram(benchmark::State& state) {
    const std::string bytes = fullProgramFile();
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    for (auto _ : state) {
        if (!openDocument(bytes, doc)) {
            state.SkipWithError("the program did not open");
            break;
        }
    }
    state.counters["steps"] = static_cast<double>(doc.il().size());
}
BENCHMARK(BM_OpenFullProgram)->Unit(benchmark::kMillisecond);

void BM_CompileFullProgram(benchmark::State& state) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    if (!openDocument(fullProgramFile(), doc)) {
        state.SkipWithError("the program did not open");
        return;
    }
    for (auto _ : state) {
        auto result = compiler::LadderCompiler::compile(doc);
        if (result.code != 0) {
            state.SkipWithError(("compile error " + std::to_string(result.code)).c_str());
            break;
        }
    }
    state.counters["steps"] = static_cast<double>(doc.il().size());
    state.counters["rows"] = doc.lastUsedRow();
}
BENCHMARK(BM_CompileFullProgram)->Unit(benchmark::kMillisecond);

}  // namespace
