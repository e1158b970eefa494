#pragma once

#include <QObject>
#include <deque>

#include "common/interaction.h"

namespace kelcc::ui {

// The transfer session's messages, shown once the link call that raised
// them has returned: a message box opened inside the link's input would
// hold the engine still for as long as it stays open. Questions cannot
// wait for their answer; they show what is queued first and ask at once.
class DeferredInteraction final : public QObject, public core::common::Interaction {
    Q_OBJECT

public:
    explicit DeferredInteraction(core::common::Interaction& target, QObject* parent = nullptr);

    void inform(const std::string& text, const std::string& caption,
                core::common::MessageIcon icon) override;
    core::common::Answer ask(const std::string& text, const std::string& caption,
                             const std::vector<core::common::Answer>& buttons,
                             core::common::MessageIcon icon) override;

    // Shows what is queued now.
    void flush();
    bool pending() const noexcept { return !m_queue.empty(); }

private:
    struct Message {
        std::string text;
        std::string caption;
        core::common::MessageIcon icon;
    };

    core::common::Interaction& m_target;
    std::deque<Message> m_queue;
    bool m_flushing = false;
};

}  // namespace kelcc::ui
