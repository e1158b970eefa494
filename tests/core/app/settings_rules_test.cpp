#include "app/settings_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kelcc::core::app {
namespace {

using Comm = SettingsRules::Communication;
using Text = std::optional<std::string>;

TEST(SettingsRulesTest, CommunicationTakesBothOrNeither) {
    const std::tuple<Text, Text, Comm> cases[] = {
        {std::nullopt, std::nullopt, {1, 38400}},
        {"2", "9600", {2, 9600}},
        {"2x", "4800", {2, 4800}},  // only the first character
        {"3", "9600", {1, 38400}},  // port 3 is not taken at start-up
        {"2", "", {1, 38400}},      // an empty baud drops both
        {"", "9600", {1, 38400}},
        {"2", "600", {1, 38400}},  // not a rate the dialog offers
        {"2", "99999999999999999999", {1, 38400}},
        {"2", "19200 baud", {2, 19200}}};
    for (const auto& [port, baud, expected] : cases)
        EXPECT_EQ(SettingsRules::communication(port, baud), expected)
            << port.value_or("-") << " " << baud.value_or("-");
}

TEST(SettingsRulesTest, OptionsTheirDefaultsAndTheLanguageLibrary) {
    const auto none = SettingsRules::options(std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(none, (SettingsRules::Options{true, true, 0}));
    EXPECT_EQ(SettingsRules::options("0", "2", "2"), (SettingsRules::Options{false, false, 1}));
    EXPECT_EQ(SettingsRules::options("7", "1", "abc"), (SettingsRules::Options{true, true, 0}));

    // A missing English library falls back to Chinese.
    using Start = SettingsRules::LanguageStart;
    // "Lang" = 2 asks for the English library.
    const int english = SettingsRules::options(std::nullopt, std::nullopt, "2").language;
    EXPECT_EQ(SettingsRules::languageAfterLoading(english, true), (Start{1, std::nullopt}));
    EXPECT_EQ(SettingsRules::languageAfterLoading(english, false),
              (Start{0, std::string("Failed to load \"KELCC_ResENU.dll\" !")}));
    // A missing Chinese library is not reported.
    EXPECT_EQ(SettingsRules::languageAfterLoading(0, false), (Start{0, std::nullopt}));
    EXPECT_EQ(SettingsRules::languageAfterLoading(0, true), (Start{0, std::nullopt}));
}

TEST(SettingsRulesTest, ReopensOnlyAnExistingRememberedProject) {
    auto yes = +[](const std::string&) { return true; };
    auto no = +[](const std::string&) { return false; };
    const SettingsRules::Options on{true, true, 0};
    EXPECT_EQ(SettingsRules::projectToReopen(on, "/p/x.gpr", yes), "/p/x.gpr");
    EXPECT_EQ(SettingsRules::projectToReopen(on, "/p/x.gpr", no), std::nullopt);
    EXPECT_EQ(SettingsRules::projectToReopen(on, "", yes), std::nullopt);
    EXPECT_EQ(SettingsRules::projectToReopen({false, true, 0}, "/p/x.gpr", yes), std::nullopt);
    EXPECT_EQ(SettingsRules::projectToReopen(on, std::string(300, 'a'), yes)->size(), 259u);
}

TEST(SettingsRulesTest, OptionsDialogWritesOnlyWhatChanged) {
    const SettingsRules::Options before{true, true, 0};
    auto change = SettingsRules::optionsChange(before, {false, true, 0});
    EXPECT_EQ(change.writes, (std::vector<SettingsRules::Write>{{"AutoLoad", "0"}}));
    EXPECT_FALSE(change.languageChanged);
    change = SettingsRules::optionsChange(before, {true, true, 1});
    EXPECT_EQ(change.writes, (std::vector<SettingsRules::Write>{{"Lang", "1"}}));
    EXPECT_TRUE(change.languageChanged);
    EXPECT_TRUE(SettingsRules::optionsChange(before, before).writes.empty());
}

}  // namespace
}  // namespace kelcc::core::app
