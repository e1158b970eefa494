// Feeds arbitrary bytes to the ParaB.par and ParaW.par readers. Whatever
// they accept must hold only well-formed lines at their own index and must
// write out and read back to the same file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cnc_data/parameter_file.h"

namespace {

using kelcc::core::cnc_data::ParameterFile;
using kelcc::core::cnc_data::ParameterKind;

void fail(const char* what) {
    std::fprintf(stderr, "parameter_files_fuzz: %s\n", what);
    std::abort();
}

void check(std::string_view bytes, ParameterKind kind, std::size_t limit) {
    const auto lines = ParameterFile::read(bytes, kind);
    const bool header = bytes.substr(0, ParameterFile::kHeader.size()) == ParameterFile::kHeader;
    if (lines.has_value() != header) fail("header decision differs from the first four bytes");
    if (!lines) return;
    if (lines->size() != limit) fail("wrong number of entries");
    for (std::size_t i = 0; i < lines->size(); ++i) {
        const std::string& line = (*lines)[i];
        if (line.empty()) continue;
        const auto index = ParameterFile::lineIndex(line, kind);
        if (!index || static_cast<std::size_t>(*index) != i) fail("entry stored at a wrong index");
        if (line.find_first_of("\r\n") != std::string::npos) fail("line end inside an entry");
    }
    const std::string first = ParameterFile::write(*lines, limit);
    const auto again = ParameterFile::read(first, kind);
    if (!again || *again != *lines) fail("entries changed through write and read");
    if (ParameterFile::write(*again, limit) != first) fail("second write differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(bytes, ParameterKind::Bit, 30);
    check(bytes, ParameterKind::Data, 149);
    return 0;
}
