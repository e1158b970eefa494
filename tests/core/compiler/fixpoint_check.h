#pragma once

#include <string>
#include <vector>

#include "common/interaction.h"
#include "plc/plc_document.h"
#include "plc/project_state.h"

namespace kelcc::core::compiler::test {

// The two fixpoints of compiler and rebuild, checked on one program at a
// time (one document for all: opening replaces its program and ladder, and a
// new document per program would double the time):
//   - drawing: compiling a drawn ladder and drawing the result again gives
//     the same grid, cell by cell and flag by flag;
//   - list (normalised programs only): opening the program file and
//     compiling gives the same list back, and the file written afterwards
//     differs from the opened one in its checksum line alone.
class FixpointCheck final {
public:
    FixpointCheck();

    // Empty when both hold, else what broke.
    std::string check(const std::vector<std::string>& program, bool normalised);

private:
    plc::SimpleProjectState m_project;
    plc::PlcDocument m_source;
    plc::PlcDocument m_doc;
    common::RecordingInteraction m_ui;
};

}  // namespace kelcc::core::compiler::test
