// Feeds arbitrary bytes to the tool offset and pitch compensation readers,
// their table views and the cell rules. A refused file must leave the
// document alone; an accepted one must write out and read back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cnc_data/cell_rules.h"
#include "cnc_data/pitch_compensation_table.h"
#include "cnc_data/tool_offset_table.h"
#include "common/interaction.h"

namespace {

using kelcc::core::cnc_data::CellRules;
using kelcc::core::cnc_data::CncTableDocument;

void fail(const char* what) {
    std::fprintf(stderr, "cnc_tables_fuzz: %s\n", what);
    std::abort();
}

bool isDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

template <class Doc, class Table>
void checkTable(std::string_view bytes) {
    Doc doc;
    const std::string empty = doc.write();
    if (doc.read(bytes) != CncTableDocument::ReadResult::Ok) {
        if (doc.write() != empty) fail("a refused file changed the document");
        return;
    }
    const std::string first = doc.write();
    for (const std::string& entry : doc.entries())
        if (entry.find('\n') != std::string::npos) fail("line feed inside an entry");
    Doc again;
    if (again.read(first) != CncTableDocument::ReadResult::Ok) fail("own file refused");
    if (again.entries() != doc.entries()) fail("entries changed through write and read");

    Table table(doc);
    kelcc::core::common::RecordingInteraction ui;
    const bool shown = table.show(ui);
    if (shown != ui.messages().empty()) fail("message and result disagree");
    if (ui.messages().size() > 1) fail("more than one message");
    if (!shown) {
        if (doc.write() != first) fail("a failed show changed the document");
        return;
    }
    if (doc.modified()) fail("showing marked the document modified");
    // What a shown table wrote back shows again to the same lines.
    const std::string collected = doc.write();
    Doc reread;
    if (reread.read(collected) != CncTableDocument::ReadResult::Ok) fail("collected file refused");
    Table table2(reread);
    if (!table2.show(ui) || reread.write() != collected) fail("show is not stable");
}

void checkCellRules(std::string_view text) {
    if (const auto decimal = CellRules::normaliseDecimal(text)) {
        std::string_view d = *decimal;
        if (d.size() > CellRules::kDecimalChars) fail("decimal too long");
        if (!d.empty() && d.front() == '-') d.remove_prefix(1);
        const auto point = d.find('.');
        if (point == std::string_view::npos || point > 3 || d.size() != point + 4 ||
            !isDigits(d.substr(0, point)) || !isDigits(d.substr(point + 1)))
            fail("decimal not in the three-decimal form");
        if (CellRules::normaliseDecimal(*decimal) != decimal) fail("decimal not idempotent");
    } else if (CellRules::isDecimalInput(text)) {
        fail("typed decimal refused");
    }
    if (const auto value = CellRules::normaliseSigned(text)) {
        const auto number = CellRules::leadingInteger(*value);
        if (!number || *number < -255 || *number > 255 || std::to_string(*number) != *value)
            fail("signed value out of range");
    } else if (CellRules::isSignedInput(text)) {
        fail("typed signed value refused");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkTable<kelcc::core::cnc_data::ToolOffsetDocument, kelcc::core::cnc_data::ToolOffsetTable>(
        bytes);
    // Most inputs lack the header; give the readers their lines as well.
    const std::string withHeader = std::string(CncTableDocument::kHeader) + std::string(bytes);
    checkTable<kelcc::core::cnc_data::ToolOffsetDocument, kelcc::core::cnc_data::ToolOffsetTable>(
        withHeader);
    checkTable<kelcc::core::cnc_data::PitchCompensationDocument,
               kelcc::core::cnc_data::PitchCompensationTable>(withHeader);
    if (size <= 64) checkCellRules(bytes);
    return 0;
}
