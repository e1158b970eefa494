#pragma once

#include <string>

namespace kelcc::core::app {

// The contents this system gives a project file it creates.
class DefaultFiles final {
public:
    // A new project's PLC program: two end steps and four empty
    // information lines.
    static std::string plcProgram();
    // The binary ladder image of that program (its END1 and END2 rows), so
    // that a new project can be sent before its program was ever saved.
    static std::string plcImage();
    // A missing PLC program seeded on opening: the header and the IL
    // section only.
    static std::string shortPlcProgram();
    // ParaB.par, ParaW.par, Tcomp.cmp, Wcomp.wmp: the four header bytes of
    // those files, a valid file without entries.
    static std::string cncDataFile() { return std::string("\x03\x04\x05\x06", 4); }
    // A part program: its name and a line end.
    static std::string partProgram(const std::string& name) { return name + "\r\n"; }
};

}  // namespace kelcc::core::app
