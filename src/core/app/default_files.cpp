#include "app/default_files.h"

#include "plc/program_file.h"

namespace kelcc::core::app {

std::string DefaultFiles::plcProgram() {
    return plc::ProgramFile::newProjectFile();
}

std::string DefaultFiles::shortPlcProgram() {
    // The first six lines of the new-project file, up to the end of the IL.
    const std::string full = plc::ProgramFile::newProjectFile();
    const std::string end = "END_PLC_ORGANIZATION\r\n";
    return full.substr(0, full.find(end) + end.size());
}

}  // namespace kelcc::core::app
