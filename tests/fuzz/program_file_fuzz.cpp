// Feeds arbitrary bytes to the program file reader. Whatever it accepts must
// write out and read back to the same file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/interaction.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace {

using kelcc::core::plc::PlcDocument;
using kelcc::core::plc::ProgramFile;
using kelcc::core::plc::SimpleProjectState;

void fail(const char* what) {
    std::fprintf(stderr, "program_file_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Documents are large (two ladder grids); build them once.
    static SimpleProjectState project;
    static PlcDocument doc(project);
    static SimpleProjectState project2;
    static PlcDocument doc2(project2);

    const std::size_t stepsBefore = doc.il().size();
    const std::size_t alarmsBefore = doc.alarms().size();
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
        if (doc.il().size() != stepsBefore || doc.alarms().size() != alarmsBefore)
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
