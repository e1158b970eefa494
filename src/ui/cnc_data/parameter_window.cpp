#include "cnc_data/parameter_window.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/project.h"
#include "app/workbench.h"
#include "cnc_data/function_pane.h"
#include "cnc_data/parameter_delegate.h"
#include "cnc_data/parameter_panel.h"
#include "tables/table_item_model.h"
#include "tables/table_view.h"

namespace kelcc::ui {

using core::cnc_data::BitValueControl;
using core::cnc_data::ParameterDocument;
using core::cnc_data::ParameterTable;
using core::cnc_data::ParameterTableModel;
using core::common::Language;

ParameterWindow::ParameterWindow(Workbench& workbench, const std::string& path, QWidget* parent)
    : CncDataWindow(workbench, path, core::app::ProjectItemType::Parameters, parent),
      m_doc(workbench.project().documents().open<ParameterDocument>(
          path, [] { return std::make_shared<ParameterDocument>(); })) {
    if (!m_doc) {
        m_doc = std::make_shared<ParameterDocument>();
        m_doc->setPath(path);
    }
    m_doc->setProjectMark(
        [&project = workbench.project()](bool) { project.markProjectModified(); });
    attach(m_doc);
    setWindowTitle(tr("参数") + QStringLiteral("[*]"));

    const Language language = workbench.language() == 0 ? Language::Chinese : Language::English;
    auto table = std::make_unique<ParameterTableModel>(*m_doc, language);
    m_table = table.get();
    m_model = new TableItemModel(*m_doc, std::move(table), workbench.interaction());

    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* left = new QWidget(split);
    m_filter = new QLineEdit(left);
    m_filter->setPlaceholderText(tr("筛选: 序号、助记符或说明"));
    m_filter->setClearButtonEnabled(true);
    m_view = new TableView(m_model, left);
    auto* delegate = new ParameterDelegate(m_view);
    m_view->setItemDelegate(delegate);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->horizontalHeader()->setStretchLastSection(false);
    for (int column = 0; column < ParameterTable::kColumns; ++column)
        m_view->setColumnWidth(column, ParameterTable::kHeaders[column].width);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_filter);
    leftLayout->addWidget(m_view);
    m_pane = new FunctionPane(*m_table, split);
    split->addWidget(left);
    split->addWidget(m_pane);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    setFocusProxy(m_view);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { tableRowChanged(current.row()); });
    connect(m_pane, &FunctionPane::parameterSelected, this, &ParameterWindow::selectNumber);
    connect(delegate, &ParameterDelegate::leaveCell, this, &ParameterWindow::leaveCell);
    connect(delegate, &ParameterDelegate::cursorMoved, m_pane->panel(),
            &ParameterPanel::markCursorBit);
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        const int number = m_table->numberAt(m_view->currentIndex().row());
        m_table->setFilter(text.trimmed().toStdString());
        m_model->reset();
        if (number && m_table->rowOfNumber(number) >= 0) selectNumber(number);
    });
}

ParameterWindow::~ParameterWindow() = default;

std::string ParameterWindow::folder() const {
    const auto slash = path().find_last_of('/');
    return slash == std::string::npos ? std::string() : path().substr(0, slash);
}

bool ParameterWindow::load() {
    if (!m_doc->loaded() && !m_doc->open(folder(), workbench().interaction())) return false;
    m_model->documentReloaded();
    m_pane->refresh();
    return true;
}

bool ParameterWindow::reload() {
    if (!m_doc->open(folder(), workbench().interaction())) return false;
    m_doc->reloaded();
    return true;
}

bool ParameterWindow::saveSilently() {
    return m_doc->save(folder(), workbench().interaction());
}

void ParameterWindow::selectNumber(int number) {
    const int row = m_table->rowOfNumber(number);
    if (row < 0) {
        // Filtered out: the by-function pane still shows it.
        m_pane->showParameter(number);
        return;
    }
    m_view->goTo(row, ParameterTable::kValueColumn);
}

void ParameterWindow::tableRowChanged(int row) {
    if (m_syncing) return;
    m_syncing = true;
    m_pane->showParameter(m_table->numberAt(row));
    m_syncing = false;
}

void ParameterWindow::leaveCell(const QModelIndex& index, BitValueControl::Move move) {
    using Move = BitValueControl::Move;
    const int page = std::max(1, m_view->viewport()->height() / std::max(1, m_view->rowHeight(0)));
    int row = index.row();
    int column = index.column();
    switch (move) {
        case Move::PreviousCell:
            --column;
            break;
        case Move::NextCell:
            ++column;
            break;
        case Move::PreviousRow:
            --row;
            break;
        case Move::NextRow:
            ++row;
            break;
        case Move::PreviousPage:
            row -= page;
            break;
        case Move::NextPage:
            row += page;
            break;
        case Move::None:
            return;
    }
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    column = std::clamp(column, 1, m_model->columnCount() - 1);
    m_view->goTo(row, column);
    m_view->setFocus();
}

void ParameterWindow::documentChanged(const core::common::DocumentChange& change) {
    // The grid model hears of the change after this window: the values are
    // read first so that the by-function pane shows the new ones.
    m_table->refresh();
    m_pane->refresh();
    (void)change;
}

void ParameterWindow::documentReloaded() {
    m_table->refresh();
    m_pane->refresh();
}

std::optional<DocumentWindow::RecoveryCopy> ParameterWindow::recoveryCopy() const {
    return RecoveryCopy{type(), m_doc->recoveryContent()};
}

bool ParameterWindow::restoreRecovery(std::string_view content, std::string& error) {
    if (m_doc->restore(content)) return true;
    error = path() + ": not the copy of this window's data";
    return false;
}

}  // namespace kelcc::ui
