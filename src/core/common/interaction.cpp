#include "interaction.h"

namespace kelcc::core::common {

void RecordingInteraction::inform(const std::string& text, const std::string& caption,
                                  MessageIcon icon) {
    m_messages.push_back({text, caption, icon, false});
}

Answer RecordingInteraction::ask(const std::string& text, const std::string& caption,
                                 const std::vector<Answer>& buttons, MessageIcon icon) {
    m_messages.push_back({text, caption, icon, true});
    if (m_next < m_answers.size()) return m_answers[m_next++];
    return buttons.empty() ? Answer::Ok : buttons.front();
}

}  // namespace kelcc::core::common
