// Feeds arbitrary bytes to the program file reader. Whatever it accepts must
// write out and read back to the same file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/interaction.h"
#include "plc/instruction_code.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace {

using kelcc::core::plc::InstructionCode;
using kelcc::core::plc::PlcDocument;
using kelcc::core::plc::ProgramFile;
using kelcc::core::plc::SimpleProjectState;

void fail(const char* what) {
    std::fprintf(stderr, "program_file_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One pair of documents for the process, cleared to the state of new
    // ones, so that no input sees what an earlier one left. The marker step
    // and alarm show whether a refused file touched the document.
    static SimpleProjectState project;
    static PlcDocument doc(project);
    static SimpleProjectState project2;
    static PlcDocument doc2(project2);
    project = SimpleProjectState{};
    project2 = SimpleProjectState{};
    doc.clear();
    doc2.clear();
    if (!doc.il().append(static_cast<std::uint32_t>(InstructionCode::END1), "END1"))
        fail("marker step refused");
    doc.alarms().push_back("A0000.0");

    kelcc::core::common::RecordingInteraction ui;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int result = ProgramFile::read(bytes, doc, ui);
    if (result == ProgramFile::kReadFormatError) {
        if (ui.messages().size() != 1 || ui.messages()[0].text != ProgramFile::kFormatErrorText)
            fail("format error without its message");
    } else if (!ui.messages().empty()) {
        fail("message without a format error");
    }
    if (result != ProgramFile::kReadOk) {
        if (result != ProgramFile::kReadFormatError &&
            result != ProgramFile::kReadUnsupportedVersion)
            fail("unexpected result");
        if (doc.il().size() != 1 || doc.alarms().size() != 1)
            fail("a failed read changed the document");
        return 0;
    }
    if (doc.il().size() > 5000) fail("more than 5000 steps");

    const std::string first = ProgramFile::write(doc);
    if (ProgramFile::read(first, doc2, ui) != ProgramFile::kReadOk) fail("own file refused");
    if (!(doc2.il() == doc.il())) fail("IL changed through write and read");
    const std::string second = ProgramFile::write(doc2);
    if (first != second) fail("write(read(write(doc))) differs from write(doc)");
    return 0;
}
