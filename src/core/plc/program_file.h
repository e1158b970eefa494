#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/atomic_file.h"
#include "common/interaction.h"
#include "plc/plc_document.h"

namespace kelcc::core::plc {

// The ".ldx" PLC program file: a header line "PLC VER1.0" and keyword
// sections of CR LF lines, GBK texts kept as bytes.
//
// Reading (result 0 read, 1 format error, 255 header not accepted):
// - Only the IL section can fail. It is read first and into a scratch store,
//   so on any result other than 0 the caller's document and the project's
//   information texts are left exactly as they were.
// - A file with more than 5000 IL lines is refused like an unknown mnemonic:
//   result 1 after "文件数据格式错误!". Reading stops at the 5001st line.
// - Numbers are leading decimal or hexadecimal digits after optional blanks;
//   anything else reads as 0. Values beyond 32 bits saturate at 0xFFFFFFFF,
//   so no input overflows.
// - Empty lines carry no record in any section except PLC_INFO, where an
//   empty line is an empty text.
//
// Writing:
// - Texts are written as held; a line feed inside a text (which no editor
//   should let in) is written as a blank so that one record stays one line.
// - An information text or address comment record that is exactly a section
//   keyword or end line gets one trailing blank, or a later section search
//   would stop at it.
// - An alarm string whose address part is not "A<byte>.<bit 0-7>" cannot be
//   given an alarm number; it is left out of the file rather than written
//   under an address nobody entered.
class ProgramFile final {
public:
    static constexpr int kReadOk = 0;
    static constexpr int kReadFormatError = 1;
    static constexpr int kReadUnsupportedVersion = 255;
    // readFile only: the file could not be read at all.
    static constexpr int kReadUnreadable = -1;

    static constexpr std::string_view kHeader = "PLC VER1.0";
    static constexpr const char* kFormatErrorText = "文件数据格式错误!";
    // Shown by the open path for results 1 and 255 and failed checks.
    static constexpr const char* kUnsupportedVersionText = "不支持的文件版本!";
    // Real program files stay far below this; larger ones are refused as
    // unreadable instead of being loaded whole.
    static constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

    struct ReadFileResult {
        int result = kReadUnreadable;
        std::string error;  // the system's error text when unreadable
    };

    // Fills the document from the file's bytes. Result 1 has been shown to
    // the user through `interaction` (warning icon, caption "KELCC").
    static int read(std::string_view bytes, PlcDocument& doc, common::Interaction& interaction);
    // As read(); a file that cannot be read shows the system's error text and
    // gives kReadUnreadable with that text.
    static ReadFileResult readFile(const std::string& path, PlcDocument& doc,
                                   common::Interaction& interaction);

    static std::string write(const PlcDocument& doc);
    static common::FileResult writeFile(const std::string& path, const PlcDocument& doc);

    // The file a new project starts with: steps END1 and END2, four empty
    // PLC_INFO lines, no further sections.
    static std::string newProjectFile();
};

}  // namespace kelcc::core::plc
