#include <benchmark/benchmark.h>

#include "common/crc16.h"

namespace {

void BM_ChecksumOf5000Steps(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "LD      X0000.0";
    for (auto _ : state) benchmark::DoNotOptimize(kelcc::core::common::Crc16::of(text));
}
BENCHMARK(BM_ChecksumOf5000Steps);

}  // namespace
