#pragma once

#include <cstdint>

namespace kelcc::core::app {

// Record types of the project file. 104 and 113 never appear as records:
// they name the two further windows of the PLC program.
enum class ProjectItemType : std::uint8_t {
    PlcProgram = 2,
    Parameters = 100,
    ToolOffsets = 101,
    PitchCompensation = 102,
    PartProgram = 103,
    PlcInformation = 104,
    PlcDataTables = 113,
};

}  // namespace kelcc::core::app
