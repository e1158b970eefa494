#pragma once

#include <functional>

namespace kelcc::core::cnc_data {

// How a CNC data document tells the open project that it changed: called
// with true on every real change of project data. Empty when no project
// listens (tests, command-line tools).
using ProjectMark = std::function<void(bool modified)>;

}  // namespace kelcc::core::cnc_data
