#pragma once

#include <QString>
#include <initializer_list>
#include <string>

namespace kelcc::ui {

// Translates the core's message texts (UTF-8 Chinese source texts) in the
// context "Messages". The core hands over texts with their arguments
// already put in, so a text that has no translation of its own is matched
// against the registered templates ("%1".."%9" standing for arguments) and
// the template's translation gets the captured arguments back.
class MessageTranslator final {
public:
    static constexpr const char* kContext = "Messages";

    static void addTemplates(std::initializer_list<const char*> templates);
    static QString translate(const std::string& text);
};

}  // namespace kelcc::ui
