#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "common/interaction.h"
#include "plc/instruction_code.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace {

using kelcc::core::plc::InstructionCode;
using kelcc::core::plc::PlcDocument;
using kelcc::core::plc::ProgramFile;
using kelcc::core::plc::SimpleProjectState;

constexpr const char* kZh = "\xD6\xF7\xD6\xE1\xD5\xFD\xD7\xAA";  // GBK text

// A program at every limit: 5000 steps, every table and comment filled.
void fillFullDocument(PlcDocument& doc) {
    for (int i = 0; i < 5000; ++i) {
        const bool last = i == 4999;
        const auto code = last    ? InstructionCode::END2
                          : i % 2 ? InstructionCode::OUT
                                  : InstructionCode::LD;
        std::string text = last ? "END2" : i % 2 ? "OUT     Y0001.7" : "LD      X0000.0";
        (void)doc.il().append(static_cast<std::uint32_t>(code), std::move(text));
    }
    doc.project().setPlcInfo(0, "designer");
    doc.project().setPlcInfo(1, "V1.00");
    doc.project().setPlcInfo(2, kZh);
    char line[128];
    for (int i = 0; i < 400; ++i) {
        std::snprintf(line, sizeof line, "A%04d.%d\t%d\t%s alarm text", 100 + i / 8, i % 8,
                      1000 + i, kZh);
        doc.alarms().emplace_back(line);
    }
    for (int i = 0; i < PlcDocument::kDCount; ++i)
        doc.dTable()[i] = {static_cast<std::uint8_t>(i), kZh, "D comment"};
    for (int i = 0; i < PlcDocument::kDcCount; ++i) {
        doc.dcTable()[i] = {0xDEADBEEFu + i, 0x12345678u, 0x9ABCDEFu, kZh, "DC comment"};
        doc.dtTable()[i] = {4000000000u - i, 0xFFFFu, 0x1u, kZh, "DT comment"};
    }
    for (int i = 0; i < PlcDocument::kKCount; ++i)
        doc.kTable()[i] = static_cast<std::uint8_t>(0xF0 + i);
    for (int i = 0; i < 512; ++i) {
        std::snprintf(line, sizeof line, "%04d\tX%04d.%d\t%s\tinput", i + 1, i / 8, i % 8, kZh);
        doc.ioComments().emplace_back(line);
    }
    for (int row = 1; row <= 5000; row += 5)
        doc.loadRowComment(row, std::string(kZh) + " network");
}

void BM_ReadFullFile(benchmark::State& state) {
    SimpleProjectState project;
    PlcDocument source(project);
    fillFullDocument(source);
    const std::string file = ProgramFile::write(source);
    SimpleProjectState target;
    PlcDocument doc(target);
    kelcc::core::common::RecordingInteraction ui;
    for (auto _ : state) {
        const int result = ProgramFile::read(file, doc, ui);
        if (result != ProgramFile::kReadOk) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(doc.il().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadFullFile)->Unit(benchmark::kMicrosecond);

void BM_WriteFullFile(benchmark::State& state) {
    SimpleProjectState project;
    PlcDocument doc(project);
    fillFullDocument(doc);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string file = ProgramFile::write(doc);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteFullFile)->Unit(benchmark::kMicrosecond);

}  // namespace
