// Open (read + check + rebuild) and compile (with its rebuild) of a program
// of about 5000 steps with a realistic mix of networks.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "common/interaction.h"
#include "compiler/il_check.h"
#include "compiler/ladder_compiler.h"
#include "compiler/ladder_rebuild.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace {

using namespace kelcc::core;

std::string bit(char letter, int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%04d.%d", letter, n % 200, n % 8);
    return buf;
}

std::string pad(const char* mnemonic) {
    std::string s = mnemonic;
    s.resize(8, ' ');
    return s;
}

// The IL lines of a program close to the 5000-step store.
std::string fullProgramFile() {
    std::vector<std::string> il;
    int n = 0;
    while (il.size() < 4990) {
        switch (n % 5) {
            case 0:  // series and parallel contacts
                il.push_back(pad("LD") + bit('X', n));
                il.push_back(pad("AND") + bit('X', n + 1));
                il.push_back(pad("OR") + bit('R', n));
                il.push_back(pad("ANI") + bit('R', n + 1));
                il.push_back(pad("OUT") + bit('Y', n));
                break;
            case 1:  // a parallel pair in series, two outputs
                il.push_back(pad("LD") + bit('X', n));
                il.push_back(pad("LD") + bit('R', n));
                il.push_back(pad("ORI") + bit('R', n + 2));
                il.push_back(pad("ANB"));
                il.push_back(pad("OUT") + bit('R', n + 3));
                il.push_back(pad("OUT") + bit('Y', n + 1));
                break;
            case 2: {  // two series branches in parallel, a timer
                il.push_back(pad("LD") + bit('X', n));
                il.push_back(pad("AND") + bit('X', n + 3));
                il.push_back(pad("LD") + bit('R', n + 4));
                il.push_back(pad("AND") + bit('R', n + 5));
                il.push_back(pad("ORB"));
                char timer[48];
                std::snprintf(timer, sizeof timer, "TMRB    T%04d 1000 %s", n % 100,
                              bit('R', n + 6).c_str());
                il.push_back(timer);
                break;
            }
            case 3:  // a comparison
                il.push_back(pad("LD") + bit('F', n));
                il.push_back("CMP     0001 D0001 100 " + bit('R', n + 7));
                break;
            default:  // set and reset
                il.push_back(pad("LDI") + bit('G', n));
                il.push_back(pad("SET") + bit('Y', n + 2));
                break;
        }
        ++n;
    }
    il.push_back("END1    ");
    il.push_back("END2    ");
    std::string file =
        "PLC VER1.0\r\nPLC_ORGANIZATION\r\nTOTALSTEPS\t" + std::to_string(il.size()) + "\r\n";
    for (std::size_t i = 0; i < il.size(); ++i) {
        char num[32];
        std::snprintf(num, sizeof num, "%04zu    ", i);
        file += num + il[i] + "\r\n";
    }
    return file + "END_PLC_ORGANIZATION\r\n\r\n";
}

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
