#include "app/document_window.h"

#include <utility>

#include "app/project.h"
#include "app/workbench.h"
#include "common/interaction.h"

namespace kelcc::ui {

using core::common::Answer;
using core::common::MessageIcon;

DocumentWindow::DocumentWindow(Workbench& workbench, std::string path,
                               core::app::ProjectItemType type, QWidget* parent)
    : QWidget(parent), m_workbench(workbench), m_path(std::move(path)), m_type(type) {}

DocumentWindow::~DocumentWindow() {
    // The views inside listen to the document: they go while it is still
    // held here (the derived window's own handle is gone by now).
    const QObjectList children = this->children();
    for (QObject* child : children)
        delete child;
    if (m_document) {
        m_document->removeListener(this);
        m_document->detachView();
    }
}

void DocumentWindow::setPath(std::string path) {
    if (m_document) m_document->setPath(path);
    m_path = std::move(path);
}

void DocumentWindow::setDocument(std::shared_ptr<core::common::Document> document) {
    if (m_document) {
        m_document->removeListener(this);
        m_document->detachView();
    }
    m_document = std::move(document);
    if (!m_document) return;
    m_document->attachView();
    m_document->addListener(this);
    setWindowModified(m_document->modified());
}

void DocumentWindow::modifiedChanged(bool modified) {
    setWindowModified(modified);
    emit modificationChanged(modified);
}

bool DocumentWindow::queryClose() {
    // The document stays open in its other windows; the question comes
    // when the last one closes.
    if (documentShownElsewhere() || !isModified()) return true;
    const Answer answer = m_workbench.interaction().ask("文件数据已被改变,保存文件吗?", "关闭窗口",
                                                        {Answer::Yes, Answer::No, Answer::Cancel},
                                                        MessageIcon::Question);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) {
        dropDocument();
        return true;
    }
    return saveSilently();
}

void DocumentWindow::dropDocument() {
    setModified(false);
    if (m_document) m_workbench.project().documents().forget(m_document->path());
}

bool DocumentWindow::restoreRecovery(std::string_view content, std::string& error) {
    (void)content;
    error = path() + ": no recovery for this window";
    return false;
}

}  // namespace kelcc::ui
