#include "app/project_host.h"

namespace kelcc::core::app {

bool HeadlessProjectHost::openDocument(const std::string& path, ProjectItemType type) {
    m_open.insert(path);
    m_opened.emplace_back(path, type);
    return true;
}

bool HeadlessProjectHost::isDocumentOpen(const std::string& path) const {
    return m_open.count(path) != 0;
}

void HeadlessProjectHost::activateDocument(const std::string& path, ProjectItemType type) {
    m_activated.emplace_back(path, type);
}

bool HeadlessProjectHost::reloadDocument(const std::string& path, ProjectItemType type) {
    m_reloaded.emplace_back(path, type);
    return m_reloadSucceeds;
}

void HeadlessProjectHost::showProject(bool open, const std::string& windowTitle) {
    m_projectMenu = open;
    m_title = windowTitle;
}

}  // namespace kelcc::core::app
