#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/project_item_type.h"

namespace kelcc::core::app {

// What the project commands need from the windows around them. The Qt
// application implements it with its document windows, menus and settings;
// HeadlessProjectHost stands in for the command-line tool and the tests.
class ProjectHost {
public:
    virtual ~ProjectHost() = default;

    // Opens the file in the document window for the type; false when the
    // document could not be loaded.
    virtual bool openDocument(const std::string& path, ProjectItemType type) = 0;
    virtual bool isDocumentOpen(const std::string& path) const = 0;
    // Brings the window of an open document for the type to the front.
    virtual void activateDocument(const std::string& path, ProjectItemType type) = 0;
    virtual void markDocumentModified(const std::string& path) = 0;
    virtual void closeDocument(const std::string& path) = 0;
    virtual void closeAllDocuments() = 0;
    // Every open document saves itself when modified; false if one refuses.
    virtual bool saveModifiedDocuments() = 0;
    // Reloads an open document from its file and refreshes its views; false
    // when the file could not be loaded.
    virtual bool reloadDocument(const std::string& path, ProjectItemType type) = 0;

    // Project menu, title and project pane follow the project.
    virtual void showProject(bool open, const std::string& windowTitle) = 0;
    virtual void addRecentFile(const std::string& path) = 0;
    // "LastProj"/"Path" in the settings file.
    virtual void rememberLastProject(const std::string& path) = 0;
    // The "AutoOpen" option, read each time it is needed.
    virtual bool autoOpen() const = 0;
};

// Keeps a list of open documents and records what the windows were asked to
// do; every document opens and saves successfully unless told otherwise.
class HeadlessProjectHost final : public ProjectHost {
public:
    bool openDocument(const std::string& path, ProjectItemType type) override;
    bool isDocumentOpen(const std::string& path) const override;
    void activateDocument(const std::string& path, ProjectItemType type) override;
    void markDocumentModified(const std::string& path) override {
        m_markedModified.push_back(path);
    }
    void closeDocument(const std::string& path) override { m_open.erase(path); }
    void closeAllDocuments() override { m_open.clear(); }
    bool saveModifiedDocuments() override { return m_saveSucceeds; }
    bool reloadDocument(const std::string& path, ProjectItemType type) override;
    void showProject(bool open, const std::string& windowTitle) override;
    void addRecentFile(const std::string& path) override { m_recent.push_back(path); }
    void rememberLastProject(const std::string& path) override { m_lastProject = path; }
    bool autoOpen() const override { return m_autoOpen; }

    void setAutoOpen(bool on) { m_autoOpen = on; }
    void setSaveSucceeds(bool ok) { m_saveSucceeds = ok; }
    void setReloadSucceeds(bool ok) { m_reloadSucceeds = ok; }

    // Every open, activation and reload in order, as (path, type).
    const std::vector<std::pair<std::string, ProjectItemType>>& opened() const { return m_opened; }
    const std::vector<std::pair<std::string, ProjectItemType>>& reloaded() const {
        return m_reloaded;
    }
    const std::vector<std::pair<std::string, ProjectItemType>>& activated() const {
        return m_activated;
    }
    const std::vector<std::string>& markedModified() const { return m_markedModified; }
    const std::vector<std::string>& recentFiles() const { return m_recent; }
    const std::string& lastProject() const { return m_lastProject; }
    const std::string& windowTitle() const { return m_title; }
    bool projectMenu() const { return m_projectMenu; }

private:
    std::set<std::string> m_open;
    std::vector<std::pair<std::string, ProjectItemType>> m_opened;
    std::vector<std::pair<std::string, ProjectItemType>> m_reloaded;
    std::vector<std::pair<std::string, ProjectItemType>> m_activated;
    std::vector<std::string> m_markedModified;
    std::vector<std::string> m_recent;
    std::string m_lastProject;
    std::string m_title = "KELCC";
    bool m_projectMenu = false;
    bool m_autoOpen = true;
    bool m_saveSucceeds = true;
    bool m_reloadSucceeds = true;
};

}  // namespace kelcc::core::app
