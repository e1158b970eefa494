#pragma once

#include <string>
#include <vector>

namespace kelcc::core::common {

// The caption of every message the workbench shows of its own.
inline constexpr const char* kMessageCaption = "KELCC";

enum class MessageIcon { None, Information, Question, Warning, Stop };

enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// The seam through which core operations talk to the user. Texts are UTF-8
// here; the Qt side shows them in message boxes, tests script the answers.
class Interaction {
public:
    virtual ~Interaction() = default;
    virtual void inform(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    virtual Answer ask(const std::string& text, const std::string& caption,
                       const std::vector<Answer>& buttons, MessageIcon icon) = 0;
};

// Records every message and answers from a script; used by tests and by the
// command-line tool, which prints the recorded messages.
class RecordingInteraction final : public Interaction {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon = MessageIcon::None;
        bool question = false;
    };

    void inform(const std::string& text, const std::string& caption, MessageIcon icon) override;
    Answer ask(const std::string& text, const std::string& caption,
               const std::vector<Answer>& buttons, MessageIcon icon) override;

    // Answers handed out in order; when they run out the first button is taken.
    void script(std::vector<Answer> answers) {
        m_answers = std::move(answers);
        m_next = 0;
    }
    const std::vector<Message>& messages() const { return m_messages; }

private:
    std::vector<Message> m_messages;
    std::vector<Answer> m_answers;
    std::size_t m_next = 0;
};

}  // namespace kelcc::core::common
