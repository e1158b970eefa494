#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelcc::core::cnc_data {

// Part program names: 'O' and the program number with at least four digits
// ("O%04d"); the file is <name>.cnc in the project folder.
class ProgramName final {
public:
    static constexpr const char* kDefaultName = "O0001";
    static constexpr const char* kExtension = ".cnc";
    static constexpr const char* kEmptyText = "请输入文件名!";
    static constexpr const char* kInvalidText = "请输入以字母 'O' 开头后加数字的文件名!";
    // The controller takes names of at most 13 characters with ".cnc", so a
    // name has at most 'O' and eight digits.
    static constexpr std::uint32_t kMaxNumber = 99999999;
    // The import dialog presets the source's file title cut to this many
    // characters.
    static constexpr std::size_t kImportPresetChars = 5;

    struct Parsed {
        bool ok = false;
        std::string name;   // the "O%04d" name when ok
        std::string error;  // kEmptyText or kInvalidText otherwise
    };

    // The text of the name edit (whose letters are typed as capitals): 'O'
    // followed by at least one digit and nothing else. O1 becomes O0001,
    // O12345 stays O12345; a number beyond kMaxNumber is refused.
    static Parsed parse(std::string_view typed);
    static std::string format(std::uint32_t number);

    static std::string fileName(std::string_view name);
    static std::string filePath(std::string_view folder, std::string_view name);
    // The program name of a part program path: its file name without
    // folder and extension.
    static std::string fromPath(std::string_view path);

    // Import accepts a source whose extension is exactly "cnc" or "CNC".
    static bool importExtensionAccepted(std::string_view path) noexcept;
    // The first five characters (not bytes) of a UTF-8 file title.
    static std::string importPreset(std::string_view fileTitle);
};

}  // namespace kelcc::core::cnc_data
