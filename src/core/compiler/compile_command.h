#pragma once

#include <string>
#include <vector>

#include "common/interaction.h"
#include "compiler/compile_errors.h"
#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// The compile command of the ladder view: compiles and produces the output
// pane lines (UTF-8), shows "PLC程序编译失败!" through the interaction on
// failure and sets the project's compiled mark.
//
// English lines, kept stable (tests compare them):
//   "----------------Project %s : Compile PLC main program----------------"
//   "Preprocessing......", "Compiling......"
//   "    Error %04d                 : %s"
//   "    Error %04d : [Row(%d)Column( )] : %s"
//   "    Error %04d : [Row(%d)Column(%d)] : %s"
//   "    Warning %04d : [Row(%d)Column(1)] : SP S%d%s" (and "LBL L%d%s")
//   "Compile failed : 1 error(s), %d warning(s)."
//   "Compile succeeded : 0 error(s), %d warning(s)."
//   message box "PLC program compile failed!"
// A warning whose SP or LBL is not in column 1 of the ladder shows row 0.
class CompileCommand final {
public:
    struct Outcome {
        bool success = false;
        std::vector<std::string> lines;
    };

    static Outcome run(plc::PlcDocument& doc, const std::string& projectName,
                       common::Language language, common::Interaction& interaction);

    // One line per warning of the document's list, in list order.
    static std::vector<std::string> warningLines(const plc::PlcDocument& doc,
                                                 common::Language language);
    // The error line for a compile result (one of three forms).
    static std::string errorLine(const plc::CompileResult& result, common::Language language);
};

}  // namespace kelcc::core::compiler
