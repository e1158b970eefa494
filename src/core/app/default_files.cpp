#include "app/default_files.h"

#include "plc/instruction_code.h"
#include "plc/ladder_grid.h"
#include "plc/ladder_image.h"
#include "plc/program_file.h"

namespace kelcc::core::app {

std::string DefaultFiles::plcProgram() {
    return plc::ProgramFile::newProjectFile();
}

std::string DefaultFiles::plcImage() {
    // The ladder the rebuild draws from the two end steps.
    plc::LadderGrid grid;
    grid.setElement(1, 1, static_cast<int>(plc::InstructionCode::END1), "END1");
    grid.setElement(2, 1, static_cast<int>(plc::InstructionCode::END2), "END2");
    return plc::LadderImage::build(grid);
}

std::string DefaultFiles::shortPlcProgram() {
    // The first six lines of the new-project file, up to the end of the IL.
    const std::string full = plc::ProgramFile::newProjectFile();
    const std::string end = "END_PLC_ORGANIZATION\r\n";
    return full.substr(0, full.find(end) + end.size());
}

}  // namespace kelcc::core::app
