// Feeds arbitrary grids to the compiler and arbitrary instruction lists to
// the open check and the rebuild. The first byte picks the mode.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/il_check.h"
#include "compiler/ladder_compiler.h"
#include "compiler/ladder_rebuild.h"
#include "plc/instruction_code.h"
#include "plc/plc_document.h"

namespace {

using namespace kelcc::core;

constexpr int kKinds[] = {0,  1,  2,  6,  15, 19, 20, 21, 22, 23, 25, 26, 27, 28, 29,
                          30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 3,  255};
constexpr const char* kTexts[] = {
    "X0000.0",
    "Y0001.2",
    "R0010.7",
    "",
    "END1    ",
    "END2    ",
    "SPE     ",
    "SP      P0001",
    "CALL    P0001",
    "JMPB    L0002",
    "LBL     L0002",
    "SET     Y0000.1",
    "DIFU    R0001.1",
    "CMP     0001 D0001 5 R0002.0",
    "TMRB    T0001 100 R0003.0",
    "\xD6\xF7",
    "X",
};

// One document for the process: building one per input cost more than the
// compile. clear() gives the state of a new document, so no input sees what
// an earlier one left.
plc::PlcDocument& freshDocument() {
    static plc::SimpleProjectState project;
    static plc::PlcDocument doc(project);
    project = plc::SimpleProjectState{};
    doc.clear();
    return doc;
}

// Cells: 4 bytes each (row, column, kind, text + flags), rows kept within a
// band so that networks actually form.
void fuzzGrid(std::string_view data) {
    plc::PlcDocument& doc = freshDocument();
    const std::size_t rowBand = data.empty() ? 1 : 1 + static_cast<unsigned char>(data[0]) % 64;
    for (std::size_t i = 1; i + 3 < data.size(); i += 4) {
        const int row = 1 + static_cast<unsigned char>(data[i]) % static_cast<int>(rowBand);
        const int column = 1 + static_cast<unsigned char>(data[i + 1]) % 8;
        const int kind = kKinds[static_cast<unsigned char>(data[i + 2]) % std::size(kKinds)];
        const auto extra = static_cast<unsigned char>(data[i + 3]);
        const char* text = kTexts[extra % std::size(kTexts)];
        if (kind == plc::kCellKindVerticalLink || (extra & 0x80))
            doc.grid().placeVerticalLink(row, column);
        if (kind != plc::kCellKindVerticalLink) doc.grid().setElement(row, column, kind, text);
    }
    auto result = compiler::LadderCompiler::compile(doc);
    if (result.code == 0) {
        // A successful compile leaves a ladder that compiles to the same IL.
        const plc::IlStore first = doc.il();
        auto again = compiler::LadderCompiler::compile(doc);
        if (again.code != 0 || !(doc.il() == first)) __builtin_trap();
    }
}

// One IL line per text line: "CODE TEXT" where CODE is the mnemonic.
void fuzzIl(std::string_view data) {
    plc::PlcDocument& doc = freshDocument();
    while (!data.empty()) {
        auto nl = data.find('\n');
        std::string_view line = data.substr(0, nl);
        data.remove_prefix(nl == std::string_view::npos ? data.size() : nl + 1);
        auto blank = line.find(' ');
        auto code = plc::InstructionCodeOf(line.substr(0, blank));
        if (code == plc::InstructionCode::Unknown) continue;
        if (!doc.il().append(static_cast<std::uint32_t>(code), std::string(line))) break;
    }
    if (!compiler::IlCheck::checkAndDivide(doc).ok()) return;
    if (!compiler::LadderRebuild::rebuild(doc, doc.networkSteps()).ok()) return;
    compiler::LadderCompiler::compile(doc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1)
        fuzzIl(input);
    else
        fuzzGrid(input);
    return 0;
}
