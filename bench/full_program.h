#pragma once

#include <string>

namespace kelcc::bench {

// A program file of about 5000 steps with a realistic mix of networks:
// series and parallel contacts, block joins, timers, comparisons and
// set/reset, shared by the benchmarks that open, compile or paint it.
std::string fullProgramFile();

}  // namespace kelcc::bench
