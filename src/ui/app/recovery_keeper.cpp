#include "app/recovery_keeper.h"

#include <QTimer>
#include <algorithm>
#include <set>

#include "app/document_window.h"
#include "app/main_window.h"
#include "app/message_translator.h"
#include "app/project.h"

namespace kelcc::ui {

using core::app::Project;
using core::common::Answer;
using core::common::MessageIcon;

namespace {

DocumentWindow* windowFor(const MainWindow& window, const std::string& path) {
    for (DocumentWindow* document : window.documents())
        if (Project::samePath(document->path(), path)) return document;
    return nullptr;
}

bool insideFolder(const std::string& path, const std::string& folder) {
    if (folder.empty()) return false;
    const std::string prefix = folder.back() == '/' ? folder : folder + '/';
    return Project::samePath(path, folder) ||
           (path.size() > prefix.size() &&
            Project::samePath(path.substr(0, prefix.size()), prefix));
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const QString& folder)
    : QObject(&window), m_window(window), m_store(folder.toStdString()) {
    MessageTranslator::addTemplates({kOfferText});
    m_timer = new QTimer(this);
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &RecoveryKeeper::update);
    m_timer->start();
}

void RecoveryKeeper::update() {
    // Several windows can show one document: one copy per file.
    std::set<std::string> kept;
    for (DocumentWindow* document : m_window.documents()) {
        if (!document->isModified() || kept.count(document->path()) != 0) continue;
        const auto copy = document->recoveryCopy();
        if (!copy) continue;
        if (m_store.write(document->path(), static_cast<int>(copy->kind), copy->content).ok)
            kept.insert(document->path());
    }
    for (const auto& entry : m_store.entries())
        if (kept.count(entry.path) == 0) m_store.remove(entry.path);
}

void RecoveryKeeper::removeAll() {
    for (const auto& entry : m_store.entries())
        m_store.remove(entry.path);
}

void RecoveryKeeper::offerRestore() {
    Project& project = m_window.project();
    if (!project.hasProject()) return;
    std::vector<core::common::RecoveryStore::Entry> copies = m_store.entries();
    std::erase_if(copies,
                  [&](const auto& entry) { return !insideFolder(entry.path, project.folder()); });
    if (copies.empty()) return;
    std::sort(copies.begin(), copies.end(),
              [](const auto& a, const auto& b) { return a.path < b.path; });

    std::string files;
    for (const auto& entry : copies)
        files += entry.path + '\n';
    files.pop_back();
    std::string question = kOfferText;
    question.replace(question.find("%1"), 2, files);
    auto& ui = m_window.messageBoxes();
    if (ui.ask(question, kOfferCaption, {Answer::Yes, Answer::No}, MessageIcon::Question) !=
        Answer::Yes) {
        for (const auto& entry : copies)
            m_store.remove(entry.path);
        return;
    }
    for (const auto& entry : copies) {
        std::string content;
        std::string error;
        if (!core::common::RecoveryStore::read(entry, content, error)) {
            ui.inform(error, core::common::kMessageCaption, MessageIcon::Stop);
            continue;
        }
        DocumentWindow* shown = windowFor(m_window, entry.path);
        if (shown == nullptr &&
            m_window.openDocument(entry.path, static_cast<core::app::ProjectItemType>(entry.kind)))
            shown = windowFor(m_window, entry.path);
        if (shown == nullptr) continue;  // the file is gone; the copy stays
        if (!shown->restoreRecovery(content, error))
            ui.inform(error, core::common::kMessageCaption, MessageIcon::Stop);
    }
}

}  // namespace kelcc::ui
