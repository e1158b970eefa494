#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelcc::core::app {

// The fixed file names of a project folder and the rules for names that
// come from outside (a project file, a staging folder, the controller).
class ProjectFileNames final {
public:
    static constexpr const char* kParaB = "ParaB.par";
    static constexpr const char* kParaW = "ParaW.par";
    static constexpr const char* kToolOffsets = "Tcomp.cmp";
    static constexpr const char* kPitchCompensation = "Wcomp.wmp";
    static constexpr const char* kStagedPlcProgram = "plc.ldx";
    static constexpr const char* kProjectExtension = "gpr";
    static constexpr const char* kPartProgramExtension = "cnc";
    // Shown (caption "KELCC") when such a name would leave the folder.
    static constexpr const char* kUnsafeNameText = "无效的文件名 \"%1\"!";

    static std::string projectFile(const std::string& name) { return name + ".gpr"; }
    static std::string plcProgram(const std::string& name) { return "main_" + name + ".ldx"; }
    static std::string partProgram(const std::string& program) { return program + ".cnc"; }
    static std::string join(const std::string& folder, const std::string& name) {
        return folder + "/" + name;
    }

    // A single, plain component: not empty, not "." or "..", no '/' or '\\'
    // (a separator on the controller's side), no NUL.
    static bool isSafeName(std::string_view name);

    // The program name typed in the part-program dialogs: 'O' and up to 9
    // digits, written back as "O%04d" (O1 -> O0001, O12345 stays). Longer
    // numbers do not fit the controller's program number and are refused.
    static std::optional<std::string> programName(std::string_view typed);

    // Text after the last '.' of the last path component; empty when none.
    static std::string extension(std::string_view path);
    static std::string stem(std::string_view path);
    static bool equalsIgnoreCase(std::string_view a, std::string_view b);
    // Replaces the first "%1" of a message.
    static std::string format(std::string_view text, std::string_view argument);
};

}  // namespace kelcc::core::app
