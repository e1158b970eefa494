#include "cli_interaction.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "app/project.h"
#include "comm/resume_decision.h"
#include "transfer/transfer_session.h"

namespace kelcc::cli {
namespace {

// The fixed part of a question text before its "%1".
bool startsLike(const std::string& text, std::string_view pattern) {
    const std::string_view head = pattern.substr(0, pattern.find("%1"));
    return text.compare(0, head.size(), head) == 0;
}

bool offered(const std::vector<core::common::Answer>& buttons, core::common::Answer answer) {
    return std::find(buttons.begin(), buttons.end(), answer) != buttons.end();
}

}  // namespace

void CliInteraction::inform(const std::string& text, const std::string&, MessageIcon) {
    m_texts.push_back(text);
    std::fprintf(stderr, "kelcc-cli: %s\n", text.c_str());
}

CliInteraction::Answer CliInteraction::ask(const std::string& text, const std::string&,
                                           const std::vector<Answer>& buttons, MessageIcon) {
    m_texts.push_back(text);
    Answer answer = buttons.empty() ? Answer::Cancel : buttons.front();
    if (text == core::transfer::TransferSession::kOverwriteText) {
        answer = Answer::Ok;
    } else if (startsLike(text, core::app::Project::kOverwriteStagedText)) {
        answer = m_overwrite ? Answer::Ok : Answer::Cancel;
        if (!m_overwrite) m_keptProgram = true;
    } else if (startsLike(text, core::comm::ResumeDecision::kQuestionText)) {
        answer = Answer::Yes;
    }
    if (!offered(buttons, answer) && !buttons.empty()) answer = buttons.front();
    std::fprintf(stderr, "kelcc-cli: %s -> %s\n", text.c_str(),
                 answer == Answer::Cancel || answer == Answer::No ? "no" : "yes");
    return answer;
}

bool CliInteraction::told(const std::string& text) const {
    return std::find(m_texts.begin(), m_texts.end(), text) != m_texts.end();
}

}  // namespace kelcc::cli
