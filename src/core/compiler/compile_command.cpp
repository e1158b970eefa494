#include "compile_command.h"

#include <cstdio>
#include <string_view>

#include "compiler/ladder_compiler.h"
#include "compiler/program_references.h"
#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

using plc::LadderCell;

namespace {

// The output pane lines. The Chinese texts are the controller workbench's
// own; the English ones keep their structure and placeholders.
struct Texts {
    const char* header;  // %s: project name
    const char* preprocessing;
    const char* compiling;
    const char* errorNoRow;     // code, message
    const char* errorNoColumn;  // code, row, message
    const char* errorAt;        // code, row, column, message
    const char* warningSp;      // code, row, number, tail
    const char* warningLbl;
    const char* tailSp;
    const char* tailLbl;
    const char* failed;     // warning count
    const char* succeeded;  // warning count
    const char* failedBox;
};

constexpr Texts kChinese = {
    "----------------工程 %s : 编译PLC主程序----------------",
    "预处理......",
    "正在编译......",
    "    错误 %04d                 : %s",
    "    错误 %04d : [行(%d)列( )] : %s",
    "    错误 %04d : [行(%d)列(%d)] : %s",
    "    警告 %04d : [行(%d)列(1)] : SP S%d%s",
    "    警告 %04d : [行(%d)列(1)] : LBL L%d%s",
    "子程序未被调用",
    "没有跳转至该标号位置的JMPB指令",
    "编译失败 : 1 错误, %d 警告.",
    "编译成功 : 0 错误, %d 警告.",
    "PLC程序编译失败!",
};

constexpr Texts kEnglish = {
    "----------------Project %s : Compile PLC main program----------------",
    "Preprocessing......",
    "Compiling......",
    "    Error %04d                 : %s",
    "    Error %04d : [Row(%d)Column( )] : %s",
    "    Error %04d : [Row(%d)Column(%d)] : %s",
    "    Warning %04d : [Row(%d)Column(1)] : SP S%d%s",
    "    Warning %04d : [Row(%d)Column(1)] : LBL L%d%s",
    "Subprograme is not called.",
    "No JUMP.",
    "Compile failed : 1 error(s), %d warning(s).",
    "Compile succeeded : 0 error(s), %d warning(s).",
    "PLC program compile failed!",
};

constexpr int kWarningSp = 80;
constexpr int kWarningLbl = 81;

const Texts& textsFor(common::Language language) {
    return language == common::Language::Chinese ? kChinese : kEnglish;
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    const int size = std::snprintf(nullptr, 0, pattern, args...);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern, args...);
    out.resize(static_cast<std::size_t>(size));
    return out;
}

// The row whose column-1 cell is the SP or LBL with that number; 0 when the
// ladder has none.
int rowOf(const plc::PlcDocument& doc, plc::InstructionCode code, int number) {
    const int last = doc.lastUsedRow();
    for (int r = 1; r <= last; ++r) {
        const LadderCell* cell = doc.cell(r, 1);
        if (cell && cell->element && cell->kind == static_cast<int>(code) &&
            ProgramReferences::numberOf(cell->text) == number) {
            return r;
        }
    }
    return 0;
}

}  // namespace

std::string CompileCommand::errorLine(const plc::CompileResult& result, common::Language language) {
    const Texts& t = textsFor(language);
    const std::string message(CompileErrors::text(result.code, language));
    if (result.row == -1) return format(t.errorNoRow, result.code, message.c_str());
    if (result.column == -1) {
        return format(t.errorNoColumn, result.code, result.row, message.c_str());
    }
    return format(t.errorAt, result.code, result.row, result.column, message.c_str());
}

std::vector<std::string> CompileCommand::warningLines(const plc::PlcDocument& doc,
                                                      common::Language language) {
    const Texts& t = textsFor(language);
    std::vector<std::string> lines;
    for (const plc::ProgramWarning& w : doc.warnings()) {
        const bool subprogram = w.kind == 'P';
        const int row =
            rowOf(doc, subprogram ? plc::InstructionCode::SP : plc::InstructionCode::LBL, w.number);
        lines.push_back(format(subprogram ? t.warningSp : t.warningLbl,
                               subprogram ? kWarningSp : kWarningLbl, row, w.number,
                               subprogram ? t.tailSp : t.tailLbl));
    }
    return lines;
}

CompileCommand::Outcome CompileCommand::run(plc::PlcDocument& doc, const std::string& projectName,
                                            common::Language language,
                                            common::Interaction& interaction) {
    const Texts& t = textsFor(language);
    Outcome outcome;
    outcome.lines.push_back(format(t.header, projectName.c_str()));
    outcome.lines.emplace_back(t.preprocessing);
    outcome.lines.emplace_back(t.compiling);

    doc.warnings().clear();
    const plc::CompileResult result = LadderCompiler::compile(doc);
    if (result.code != 0) outcome.lines.push_back(errorLine(result, language));

    std::vector<std::string> warnings = warningLines(doc, language);
    doc.setWarningCount(static_cast<int>(warnings.size()));
    for (std::string& line : warnings)
        outcome.lines.push_back(std::move(line));
    outcome.lines.emplace_back("\t");

    outcome.success = result.code == 0;
    if (outcome.success) {
        outcome.lines.push_back(format(t.succeeded, doc.warningCount()));
        doc.project().setPlcCompiled(true);
    } else {
        outcome.lines.push_back(format(t.failed, doc.warningCount()));
        doc.project().setPlcCompiled(false);
        interaction.inform(t.failedBox, common::kMessageCaption, common::MessageIcon::Stop);
    }
    doc.setWarningCount(0);
    return outcome;
}

}  // namespace kelcc::core::compiler
