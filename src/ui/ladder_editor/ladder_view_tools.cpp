// The ladder view's commands that leave the ladder: the PDF, the draft and
// the cross-reference window.
#include <QAction>

#include "app/project.h"
#include "app/workbench.h"
#include "ladder_editor/cross_reference_window.h"
#include "ladder_editor/ladder_dialogs.h"
#include "ladder_editor/ladder_draft.h"
#include "ladder_editor/ladder_printout.h"
#include "ladder_editor/ladder_view.h"

namespace kelcc::ui {

void LadderView::exportPdf() {
    // Beside the program file, named after it.
    QString suggested = QString::fromStdString(m_doc.path());
    if (suggested.endsWith(QStringLiteral(".ldx"), Qt::CaseInsensitive)) suggested.chop(4);
    const auto path =
        m_dialogs.pdfFile(suggested + QStringLiteral(".pdf"), m_workbench.dialogParent());
    if (!path) return;
    QString error;
    if (LadderPrintout::writePdf(m_doc, m_workbench.project().name(), *path, error, m_geometry) < 0)
        m_workbench.interaction().inform(error.toStdString(), core::common::kMessageCaption,
                                         core::common::MessageIcon::Warning);
}

void LadderView::showCrossReference() {
    if (m_crossReference == nullptr) {
        // A window of its own beside the workbench; it closes with the view.
        m_crossReference = new CrossReferenceWindow(m_doc.grid(), this);
        connect(m_crossReference, &CrossReferenceWindow::placeChosen, this,
                [this](int row, int column) {
                    moveCursorTo(row, column);
                    takeFocusBack();
                });
    }
    m_crossReference->refresh();
    m_crossReference->show();
    m_crossReference->raise();
}

void LadderView::saveDraft() {
    closeCommentEditor();
    const auto saved = core::ladder_editor::LadderDraft::save(m_doc, m_doc.path());
    if (!saved.ok) {
        m_workbench.interaction().inform(saved.error, core::common::kMessageCaption,
                                         core::common::MessageIcon::Stop);
        return;
    }
    m_workbench.appendOutput(
        tr("草稿已保存: %1")
            .arg(QString::fromStdString(core::ladder_editor::LadderDraft::pathFor(m_doc.path()))));
    m_workbench.showOutput();
}

}  // namespace kelcc::ui
