#pragma once

#include <string>

namespace kelcc::ui {

class Workbench;

// The project tree's part-program commands: the dialogs of new, import and
// delete around the core commands. Each returns whether the command did
// what it was asked; the project tree is shown again after it changed.
class PartProgramActions final {
public:
    static bool newProgram(Workbench& workbench);
    static bool importProgram(Workbench& workbench);
    static bool openProgram(Workbench& workbench, const std::string& name);
    static bool deleteProgram(Workbench& workbench, const std::string& name);
    // The part-program window kind, and the message templates it and these
    // commands show.
    static void registerWindowKind();
};

}  // namespace kelcc::ui
