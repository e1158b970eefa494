#include "common/document.h"

#include <algorithm>

namespace kelcc::core::common {

Document::Document(std::string path) : m_path(std::move(path)) {
    m_undo.setOnChanged([this] { stackChanged(); });
}

Document::~Document() {
    m_undo.setOnChanged({});
}

void Document::setModified(bool modified) {
    if (modified)
        m_undo.resetClean();
    else
        m_undo.setClean();
}

void Document::addListener(DocumentListener* listener) {
    if (listener &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void Document::removeListener(DocumentListener* listener) {
    std::erase(m_listeners, listener);
}

void Document::reloaded() {
    m_undo.clear();
    m_undo.setClean();
    // A copy: a listener may detach while it is told.
    const auto listeners = m_listeners;
    for (DocumentListener* listener : listeners)
        listener->documentReloaded();
}

void Document::notifyChanged(const DocumentChange& change) {
    if (change.empty()) return;
    const auto listeners = m_listeners;
    for (DocumentListener* listener : listeners)
        listener->documentChanged(change);
}

void Document::stackChanged() {
    const auto listeners = m_listeners;
    const bool now = modified();
    if (now != m_lastModified) {
        m_lastModified = now;
        for (DocumentListener* listener : listeners)
            listener->modifiedChanged(now);
    }
    for (DocumentListener* listener : listeners)
        listener->undoStateChanged();
}

}  // namespace kelcc::core::common
