#include "app/recovery_keeper.h"

#include <QTimer>
#include <algorithm>

#include "app/document_window.h"
#include "app/main_window.h"
#include "app/project.h"
#include "plc/plc_document.h"

namespace kelcc::ui {

using core::common::Answer;
using core::common::MessageIcon;
using core::ladder_editor::LadderRecovery;

namespace {

std::vector<core::plc::PlcDocument*> plcDocuments(const MainWindow& window) {
    std::vector<core::plc::PlcDocument*> out;
    for (DocumentWindow* document : window.documents())
        if (auto* plc = dynamic_cast<core::plc::PlcDocument*>(document->document()))
            if (std::find(out.begin(), out.end(), plc) == out.end()) out.push_back(plc);
    return out;
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const QString& folder)
    : QObject(&window), m_window(window), m_recovery(folder.toStdString()) {
    m_timer = new QTimer(this);
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &RecoveryKeeper::update);
    m_timer->start();
}

void RecoveryKeeper::update() {
    const std::vector<core::plc::PlcDocument*> open = plcDocuments(m_window);
    for (const auto& entry : m_recovery.entries()) {
        const bool stillModified = std::any_of(open.begin(), open.end(), [&](auto* doc) {
            return doc->modified() && doc->path() == entry.programPath;
        });
        if (!stillModified) m_recovery.remove(entry.programPath);
    }
    for (core::plc::PlcDocument* doc : open)
        if (doc->modified()) m_recovery.write(*doc);
}

void RecoveryKeeper::removeAll() {
    for (const auto& entry : m_recovery.entries())
        m_recovery.remove(entry.programPath);
}

void RecoveryKeeper::offerRestore() {
    core::app::Project& project = m_window.project();
    if (!project.hasProject()) return;
    for (const auto& entry : m_recovery.entries()) {
        if (!core::app::Project::samePath(entry.programPath, project.plcProgramPath())) continue;
        auto& ui = m_window.messageBoxes();
        if (ui.ask(LadderRecovery::kOfferText, LadderRecovery::kOfferCaption,
                   {Answer::Yes, Answer::No}, MessageIcon::Question) != Answer::Yes) {
            m_recovery.remove(entry.programPath);
            continue;
        }
        project.openTreeEntry(core::app::ProjectTree::Entry::LadderProgram);
        for (core::plc::PlcDocument* doc : plcDocuments(m_window)) {
            if (!core::app::Project::samePath(doc->path(), entry.programPath)) continue;
            std::string error;
            if (!LadderRecovery::restore(*doc, entry, error))
                ui.inform(error, core::common::kMessageCaption, MessageIcon::Stop);
        }
    }
}

}  // namespace kelcc::ui
