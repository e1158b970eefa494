#pragma once

#include <string>

#include "common/atomic_file.h"
#include "plc/plc_document.h"

namespace kelcc::core::ladder_editor {

// A ladder that does not compile cannot go into the program file, which
// holds the instruction list. Its draft keeps the grid and the row comments
// in a file beside the program ("main_X.ldx.draft", the grid text of the
// command-line tool); the program file stays as it was. A draft older than
// its program file is out of date: the program was saved after it.
class LadderDraft final {
public:
    static constexpr const char* kExtension = ".draft";
    static constexpr const char* kOfferText = "此程序有一份比程序文件新的草稿, 是否打开草稿?";
    static constexpr const char* kOfferCaption = "打开草稿";

    static std::string pathFor(const std::string& programPath);
    static common::FileResult save(const plc::PlcDocument& doc, const std::string& programPath);
    // A draft newer than the program file (or without one).
    static bool newerDraftExists(const std::string& programPath);
    // Puts the draft's ladder and comments in place of the document's: the
    // history starts anew and the document is modified (it differs from the
    // program file). False, with the document unchanged, for a draft that
    // cannot be read.
    static bool open(plc::PlcDocument& doc, const std::string& programPath, std::string& error);
};

}  // namespace kelcc::core::ladder_editor
