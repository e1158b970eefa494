#include "fixpoint_check.h"

#include <algorithm>

#include "compiler/il_check.h"
#include "compiler/ladder_compiler.h"
#include "compiler/ladder_rebuild.h"
#include "il_test_program.h"
#include "plc/program_file.h"

namespace kelcc::core::compiler::test {

using plc::LadderCell;
using plc::LadderGrid;

namespace {

std::string differences(const plc::IlStore& expected, const plc::IlStore& actual) {
    std::string diff;
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const std::string a = i < expected.size() ? expected[i].text : "";
        const std::string b = i < actual.size() ? actual[i].text : "";
        if (a != b) diff += std::to_string(i) + ": [" + a + "] -> [" + b + "]\n";
    }
    return diff;
}

std::string firstDifferentRow(const LadderGrid& a, const LadderGrid& b) {
    for (int r = 1; r <= LadderGrid::kRows; ++r) {
        for (int c = 1; c <= LadderGrid::kColumns; ++c) {
            const LadderCell* x = a.cell(r, c);
            const LadderCell* y = b.cell(r, c);
            if ((x == nullptr) != (y == nullptr) || (x && !(*x == *y)))
                return "drawing differs from row " + std::to_string(r) + " column " +
                       std::to_string(c) + "\n";
        }
    }
    return "drawing differs\n";
}

// The checksum is the second line after PLC_INFO's keyword and count line.
std::string withoutChecksum(const std::string& file) {
    const std::size_t info = file.find("\r\nPLC_INFO\r\n");
    if (info == std::string::npos) return file;
    std::size_t line = info + 2;
    for (int i = 0; i < 3; ++i)
        line = file.find("\r\n", line) + 2;
    return file.substr(0, line) + file.substr(file.find("\r\n", line));
}

}  // namespace

FixpointCheck::FixpointCheck() : m_source(m_project), m_doc(m_project) {}

std::string FixpointCheck::check(const std::vector<std::string>& program, bool normalised) {
    // The source document only writes the file; its ladder stays empty.
    m_source.il() = IlTestProgram::store(program);
    m_source.setStepCount(static_cast<int>(m_source.il().size()));
    const plc::IlStore& original = m_source.il();
    const std::string file = plc::ProgramFile::write(m_source);

    if (plc::ProgramFile::read(file, m_doc, m_ui) != plc::ProgramFile::kReadOk)
        return "program file not read\n";
    const StepError checked = IlCheck::checkAndDivide(m_doc);
    if (!checked.ok()) return "check: error " + std::to_string(checked.code) + "\n";
    if (!m_doc.warnings().empty()) return "check: warnings\n";
    const StepError drawn = LadderRebuild::rebuild(m_doc, m_doc.networkSteps());
    if (!drawn.ok()) return "rebuild: error " + std::to_string(drawn.code) + "\n";
    m_doc.setStepCount(static_cast<int>(m_doc.il().size()));
    int nextRow = 1;
    for (const plc::NetworkRows& n : m_doc.networkRows()) {
        if (n.firstRow != nextRow || n.lastRow - n.firstRow > 13) return "network rows\n";
        nextRow = n.lastRow + 1;
    }
    const LadderGrid grid = m_doc.grid();

    const plc::CompileResult result = LadderCompiler::compile(m_doc);
    if (result.code != 0)
        return "compile: error " + std::to_string(result.code) + " at row " +
               std::to_string(result.row) + " column " + std::to_string(result.column) + "\n";
    std::string failure;
    if (!(m_doc.grid() == grid)) failure += firstDifferentRow(grid, m_doc.grid());
    if (normalised) {
        if (!(m_doc.il() == original))
            failure += "list differs\n" + differences(original, m_doc.il());
        if (m_doc.checksum() != m_doc.il().checksum()) failure += "checksum not set\n";
        if (withoutChecksum(plc::ProgramFile::write(m_doc)) != withoutChecksum(file))
            failure += "written file differs\n";
    } else if (!failure.empty()) {
        failure += differences(original, m_doc.il());
    }
    return failure;
}

}  // namespace kelcc::core::compiler::test
