#include "app/document_registry.h"

#include <algorithm>
#include <filesystem>

#include "app/project.h"

namespace kelcc::core::app {

namespace fs = std::filesystem;

void DocumentRegistry::prune() const {
    std::erase_if(m_entries, [](const auto& entry) { return entry.expired(); });
}

std::shared_ptr<common::Document> DocumentRegistry::find(const std::string& path) const {
    prune();
    for (const auto& entry : m_entries)
        if (auto doc = entry.lock(); doc && Project::samePath(doc->path(), path)) return doc;
    return nullptr;
}

void DocumentRegistry::add(const std::shared_ptr<common::Document>& doc) {
    prune();
    m_entries.push_back(doc);
}

void DocumentRegistry::forget(const std::string& path) {
    std::erase_if(m_entries, [&](const auto& entry) {
        auto doc = entry.lock();
        return !doc || Project::samePath(doc->path(), path);
    });
}

std::vector<std::shared_ptr<common::Document>> DocumentRegistry::documents() const {
    prune();
    std::vector<std::shared_ptr<common::Document>> open;
    for (const auto& entry : m_entries)
        if (auto doc = entry.lock()) open.push_back(std::move(doc));
    return open;
}

bool DocumentRegistry::anyModified() const {
    const auto open = documents();
    return std::any_of(open.begin(), open.end(), [](const auto& doc) { return doc->modified(); });
}

void DocumentRegistry::moveFolder(const std::string& oldFolder, const std::string& newFolder,
                                  const std::vector<std::pair<std::string, std::string>>& renames) {
    for (const auto& doc : documents()) {
        const auto renamed = std::find_if(renames.begin(), renames.end(), [&](const auto& r) {
            return Project::samePath(r.first, doc->path());
        });
        if (renamed != renames.end()) {
            doc->setPath(renamed->second);
            continue;
        }
        const fs::path file(doc->path());
        if (Project::samePath(file.parent_path().string(), oldFolder))
            doc->setPath((fs::path(newFolder) / file.filename()).string());
    }
}

}  // namespace kelcc::core::app
