#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kelcc::core::app {

// The rules over the values of the settings file "KELCC.ini". The
// application reads and writes the file; these functions decide what the
// values read mean. A missing key is std::nullopt.
class SettingsRules final {
public:
    static constexpr const char* kFileName = "KELCC.ini";
    static constexpr const char* kOptions = "Options";
    static constexpr const char* kAutoLoad = "AutoLoad";
    static constexpr const char* kAutoOpen = "AutoOpen";
    static constexpr const char* kLang = "Lang";
    static constexpr const char* kLastProject = "LastProj";
    static constexpr const char* kPath = "Path";
    static constexpr const char* kCommSection = "COMMSET";
    static constexpr const char* kPort = "port";
    static constexpr const char* kBaud = "baud";
    static constexpr const char* kLanguageChangedText = "程序语言已更改,请退出程序重新运行.";

    static constexpr int kDefaultPort = 1;
    static constexpr int kDefaultBaud = 38400;
    static constexpr std::size_t kPortCharacters = 5;
    static constexpr std::size_t kBaudCharacters = 10;
    static constexpr std::size_t kPathCharacters = 259;
    // The rates the communication dialog offers.
    static constexpr std::array<int, 6> kBaudRates = {4800, 9600, 19200, 38400, 57600, 115200};

    struct Communication {
        int port = kDefaultPort;
        int baud = kDefaultBaud;
        bool operator==(const Communication&) const = default;
    };

    // Port and baud are taken together or not at all: both present and not
    // empty, the port beginning with '1' or '2' (that digit is the port),
    // and the baud one of the offered rates. Anything else gives port 1 at
    // 38400 baud.
    static Communication communication(const std::optional<std::string>& port,
                                       const std::optional<std::string>& baud);

    // An integer key as the settings file reads it: a leading decimal
    // number; text that is no number reads as 0; a missing key gives the
    // default.
    static int integerValue(const std::optional<std::string>& text, int defaultValue);

    struct Options {
        bool autoLoad = true;  // "AutoLoad" not 0
        bool autoOpen = true;  // "AutoOpen" is 1
        int language = 0;      // "Lang": 0 Chinese, anything else 1 (English)
        bool operator==(const Options&) const = default;
    };

    static Options options(const std::optional<std::string>& autoLoad,
                           const std::optional<std::string>& autoOpen,
                           const std::optional<std::string>& lang);

    // The project to reopen at start-up: only with AutoLoad, a remembered
    // path (cut to 259 characters) that names an existing file.
    static std::optional<std::string> projectToReopen(const Options& options,
                                                      const std::optional<std::string>& path,
                                                      bool (*fileExists)(const std::string&));

    struct Write {
        std::string key;
        std::string value;  // "0" or "1"
        bool operator==(const Write&) const = default;
    };

    struct OptionsChange {
        std::vector<Write> writes;     // section "Options", only what changed
        bool languageChanged = false;  // tell the user and close the program
    };

    // OK in the options dialog: `before` as the dialog opened, `chosen` as
    // it closed.
    static OptionsChange optionsChange(const Options& before, const Options& chosen);

    static const char* languageLibrary(int language) {
        return language == 0 ? "KELCC_ResCHS.dll" : "KELCC_ResENU.dll";
    }

    static constexpr const char* kLibraryLoadFailedFormat = "Failed to load \"%s\" !";

    struct LanguageStart {
        int language = 0;                    // the language index used from now on
        std::optional<std::string> warning;  // shown before going on
        bool operator==(const LanguageStart&) const = default;
    };

    // After trying to load languageLibrary(language): a failure falls back to
    // the built-in Chinese resources and is reported only for English, since
    // the Chinese warning would itself need the missing library.
    static LanguageStart languageAfterLoading(int language, bool loaded);
};

}  // namespace kelcc::core::app
