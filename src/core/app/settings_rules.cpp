#include "app/settings_rules.h"

#include <algorithm>
#include <cstdint>

namespace kelcc::core::app {
namespace {

// Leading blanks, an optional sign, then digits; saturates instead of
// overflowing.
std::int64_t leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), INT32_MAX);
    return negative ? -value : value;
}

std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == count)
            return text.substr(0, i);
    return text;
}

}  // namespace

SettingsRules::Communication SettingsRules::communication(const std::optional<std::string>& port,
                                                          const std::optional<std::string>& baud) {
    if (!port || !baud || port->empty() || baud->empty()) return {};
    const char digit = (*port)[0];
    if (digit != '1' && digit != '2') return {};
    // A rate the dialog does not offer (or no number at all) would open the
    // port at a speed the controller never uses.
    const std::int64_t rate = leadingNumber(firstCharacters(*baud, kBaudCharacters));
    if (std::find(kBaudRates.begin(), kBaudRates.end(), rate) == kBaudRates.end()) return {};
    return {digit - '0', static_cast<int>(rate)};
}

int SettingsRules::integerValue(const std::optional<std::string>& text, int defaultValue) {
    if (!text) return defaultValue;
    return static_cast<int>(leadingNumber(*text));
}

SettingsRules::Options SettingsRules::options(const std::optional<std::string>& autoLoad,
                                              const std::optional<std::string>& autoOpen,
                                              const std::optional<std::string>& lang) {
    Options o;
    o.autoLoad = integerValue(autoLoad, 1) != 0;
    o.autoOpen = integerValue(autoOpen, 1) == 1;
    o.language = integerValue(lang, 0) == 0 ? 0 : 1;
    return o;
}

std::optional<std::string> SettingsRules::projectToReopen(const Options& options,
                                                          const std::optional<std::string>& path,
                                                          bool (*fileExists)(const std::string&)) {
    if (!options.autoLoad || !path || path->empty()) return std::nullopt;
    std::string cut = firstCharacters(*path, kPathCharacters);
    if (fileExists == nullptr || !fileExists(cut)) return std::nullopt;
    return cut;
}

SettingsRules::OptionsChange SettingsRules::optionsChange(const Options& before,
                                                          const Options& chosen) {
    OptionsChange change;
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    if (before.autoLoad != chosen.autoLoad)
        change.writes.push_back({kAutoLoad, flag(chosen.autoLoad)});
    if (before.autoOpen != chosen.autoOpen)
        change.writes.push_back({kAutoOpen, flag(chosen.autoOpen)});
    // Compared as languages: a stored 2 and the dialog's English are the same.
    const bool englishBefore = before.language != 0;
    const bool englishChosen = chosen.language != 0;
    if (englishBefore != englishChosen) {
        change.writes.push_back({kLang, flag(englishChosen)});
        change.languageChanged = true;
    }
    return change;
}

SettingsRules::LanguageStart SettingsRules::languageAfterLoading(int language, bool loaded) {
    const int index = language == 0 ? 0 : 1;
    if (loaded) return {index, std::nullopt};
    if (index == 0) return {0, std::nullopt};
    std::string warning = kLibraryLoadFailedFormat;
    warning.replace(warning.find("%s"), 2, languageLibrary(index));
    return {0, std::move(warning)};
}

}  // namespace kelcc::core::app
