#pragma once

#include <string>
#include <vector>

#include "common/interaction.h"

namespace kelcc::cli {

// Answers the questions of a transfer session without a person: reading
// into the named project is confirmed, a part program already in the
// project is replaced only when `overwrite` is set, and an interrupted
// send is resumed from where it broke off. Every message is printed to
// stderr as it comes and kept.
class CliInteraction final : public core::common::Interaction {
public:
    using Answer = core::common::Answer;
    using MessageIcon = core::common::MessageIcon;

    explicit CliInteraction(bool overwrite) : m_overwrite(overwrite) {}

    void inform(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption,
               const std::vector<Answer>& buttons, MessageIcon icon) override;

    bool told(const std::string& text) const;
    // A part program of the project was kept because overwriting was not
    // allowed.
    bool keptProgram() const noexcept { return m_keptProgram; }

private:
    bool m_overwrite;
    bool m_keptProgram = false;
    std::vector<std::string> m_texts;
};

}  // namespace kelcc::cli
