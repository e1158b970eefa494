#include "comm/deferred_interaction.h"

#include <QTimer>

namespace kelcc::ui {

DeferredInteraction::DeferredInteraction(core::common::Interaction& target, QObject* parent)
    : QObject(parent), m_target(target) {}

void DeferredInteraction::inform(const std::string& text, const std::string& caption,
                                 core::common::MessageIcon icon) {
    m_queue.push_back({text, caption, icon});
    QTimer::singleShot(0, this, &DeferredInteraction::flush);
}

core::common::Answer DeferredInteraction::ask(const std::string& text, const std::string& caption,
                                              const std::vector<core::common::Answer>& buttons,
                                              core::common::MessageIcon icon) {
    flush();
    return m_target.ask(text, caption, buttons, icon);
}

void DeferredInteraction::flush() {
    // A box's own event loop may call again; the outer loop shows the rest.
    if (m_flushing) return;
    m_flushing = true;
    while (!m_queue.empty()) {
        const Message message = std::move(m_queue.front());
        m_queue.pop_front();
        m_target.inform(message.text, message.caption, message.icon);
    }
    m_flushing = false;
}

}  // namespace kelcc::ui
