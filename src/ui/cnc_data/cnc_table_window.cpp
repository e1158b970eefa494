#include "cnc_data/cnc_table_window.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "app/message_translator.h"
#include "app/project.h"
#include "app/workbench.h"
#include "cnc_data/pitch_compensation_table.h"
#include "cnc_data/tool_offset_table.h"
#include "common/interaction.h"
#include "tables/table_item_model.h"
#include "tables/table_view.h"

namespace kelcc::ui {

using core::app::ProjectItemType;
using core::cnc_data::CncTableDocument;
using core::cnc_data::PitchCompensationDocument;
using core::cnc_data::PitchCompensationTable;
using core::cnc_data::ToolOffsetDocument;
using core::cnc_data::ToolOffsetTable;

namespace {

template <class Doc>
std::shared_ptr<Doc> sharedDocument(Workbench& workbench, const std::string& path) {
    auto doc =
        workbench.project().documents().open<Doc>(path, [] { return std::make_shared<Doc>(); });
    // The file is open as another kind of document: this window keeps its own.
    if (!doc) {
        doc = std::make_shared<Doc>();
        doc->setPath(path);
    }
    return doc;
}

}  // namespace

CncTableWindow::CncTableWindow(Workbench& workbench, const std::string& path, ProjectItemType type,
                               QWidget* parent)
    : CncDataWindow(workbench, path, type, parent) {
    std::unique_ptr<core::common::TableModel> table;
    int width = 0;
    if (type == ProjectItemType::PitchCompensation) {
        auto doc = sharedDocument<PitchCompensationDocument>(workbench, path);
        auto pitch = std::make_unique<PitchCompensationTable>(*doc);
        m_show = [pitch = pitch.get(), &workbench] { return pitch->show(workbench.interaction()); };
        table = std::move(pitch);
        width = PitchCompensationTable::kColumnWidth;
        m_doc = std::move(doc);
    } else {
        auto doc = sharedDocument<ToolOffsetDocument>(workbench, path);
        auto offsets = std::make_unique<ToolOffsetTable>(*doc);
        m_show = [offsets = offsets.get(), &workbench] {
            return offsets->show(workbench.interaction());
        };
        table = std::move(offsets);
        width = ToolOffsetTable::kColumnWidth;
        m_doc = std::move(doc);
    }
    m_doc->setProjectMark(
        [&project = workbench.project()](bool) { project.markProjectModified(); });
    attach(m_doc);
    setWindowTitle(MessageTranslator::translate(m_doc->title()) + QStringLiteral("[*]"));

    auto* model = new TableItemModel(*m_doc, std::move(table), workbench.interaction());
    m_view = new TableView(model, this);
    m_view->horizontalHeader()->setStretchLastSection(false);
    for (int column = 1; column < model->columnCount(); ++column)
        m_view->setColumnWidth(column, width);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
}

CncTableWindow::~CncTableWindow() = default;

bool CncTableWindow::read() {
    const CncTableDocument::OpenResult opened = m_doc->open(path());
    if (!opened.ok) {
        tell(opened.error.empty() ? ToolOffsetTable::kUnknownFormatText : opened.error);
        return false;
    }
    // A row the table cannot show is reported by the table; the document
    // then counts as unread, so the next window tries again.
    if (!m_show()) {
        m_doc->setLoaded(false);
        return false;
    }
    m_view->tableModel()->documentReloaded();
    return true;
}

bool CncTableWindow::load() {
    if (m_doc->loaded()) {
        m_view->tableModel()->documentReloaded();
        return true;
    }
    return read();
}

bool CncTableWindow::reload() {
    if (!read()) return false;
    m_doc->reloaded();
    return true;
}

bool CncTableWindow::saveSilently() {
    const core::common::FileResult saved = m_doc->save(path());
    if (!saved.ok) tell(saved.error);
    return saved.ok;
}

std::optional<DocumentWindow::RecoveryCopy> CncTableWindow::recoveryCopy() const {
    return RecoveryCopy{type(), m_doc->recoveryContent()};
}

bool CncTableWindow::restoreRecovery(std::string_view content, std::string& error) {
    if (m_doc->restore(content)) return true;
    error = path() + ": not the copy of this window's data";
    return false;
}

}  // namespace kelcc::ui
