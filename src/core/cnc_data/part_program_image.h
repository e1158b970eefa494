#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/interaction.h"

namespace kelcc::core::cnc_data {

// What the controller is sent for a part program: the file's text checked
// and rewritten line by line with CR LF ends. Other files go unchanged.
class PartProgramImage final {
public:
    // Values as the transfer code expects them.
    enum class Result : int {
        Ok = 0,
        Unreadable = -1,
        TooLong = -2,
        BadFirstLine = 2,
        BadCharacter = 3,
    };

    static constexpr std::size_t kMaxFileBytes = 2097152;  // 2 MB, still accepted

    struct Prepared {
        Result result = Result::Ok;
        bool isImage = false;  // false: send the file as it is on disk
        std::string image;     // the bytes to send when isImage and Ok
        std::string error;     // the system's error text when Unreadable
    };

    struct Message {
        std::string text;
        std::string caption;
        common::MessageIcon icon = common::MessageIcon::Stop;
    };

    // A file whose controller name does not end in ".cnc" (any letter case)
    // is sent as it is. Otherwise the file is read and prepared; a file of
    // more than kMaxFileBytes bytes gives TooLong. The caller reports an
    // Unreadable file's error text.
    static Prepared PrepareProgram(const std::string& localPath, std::string_view name);

    // The checks and the rewrite on a file's bytes, read as text (CR LF is
    // a line end):
    // - the first line must begin with 'O' or 'o'; one trailing ';' is
    //   removed and the line is kept as it is;
    // - later lines: empty ones are dropped, one trailing ';' is removed,
    //   the rest is upper-cased and may hold only A-Z, 0-9 and "#-+/ .;%";
    //   every ';' left becomes a line break.
    static Prepared prepareText(std::string_view bytes);

    // The message box for TooLong, BadFirstLine and BadCharacter, with the
    // file's name for %1; nullopt for the other results.
    static std::optional<Message> messageFor(Result result, std::string_view fileName);
};

}  // namespace kelcc::core::cnc_data
