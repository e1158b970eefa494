#include "cnc_data/function_pane.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/message_translator.h"
#include "cnc_data/function_groups.h"
#include "cnc_data/numeric_edit.h"
#include "cnc_data/parameter_panel.h"
#include "cnc_data/parameter_places.h"

namespace kelcc::ui {

using core::cnc_data::FunctionGroups;
using core::cnc_data::GroupItem;
using core::cnc_data::ParameterCatalogue;
using core::cnc_data::ParameterPlaces;

namespace {

// Tree items carry a group (>= 0) or a parameter number (as -number).
constexpr int kRole = Qt::UserRole;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

QString numberText(int number) {
    return QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}

}  // namespace

FunctionPane::FunctionPane(core::cnc_data::ParameterTableModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    m_rootChoice = new QComboBox(this);
    m_rootChoice->addItem(
        MessageTranslator::translate(std::string(FunctionGroups::kByFunctionRoot)));
    m_rootChoice->addItem(MessageTranslator::translate(std::string(FunctionGroups::kByNumberRoot)));
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_grid = new QTableWidget(0, 3, this);
    m_grid->setHorizontalHeaderLabels(
        {MessageTranslator::translate(std::string(FunctionGroups::kItemColumn)),
         MessageTranslator::translate(std::string(FunctionGroups::kValueColumn)),
         MessageTranslator::translate(std::string(FunctionGroups::kNumberColumn))});
    m_grid->setColumnWidth(0, FunctionGroups::kItemColumnWidth);
    // The width of the Chinese caption; a longer translation still fits.
    m_grid->setColumnWidth(1, std::max(FunctionGroups::kValueColumnWidth,
                                       m_grid->horizontalHeader()->fontMetrics().horizontalAdvance(
                                           m_grid->horizontalHeaderItem(1)->text()) +
                                           16));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_panel = new ParameterPanel(model, this);

    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(m_grid);
    right->addWidget(m_panel);
    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* left = new QWidget(split);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_rootChoice);
    leftLayout->addWidget(m_tree);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    connect(m_rootChoice, &QComboBox::currentIndexChanged, this,
            [this](int index) { setRoot(index == 0 ? Root::ByFunction : Root::ByNumber); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { treeSelected(item); });
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row) { gridSelected(row); });
    buildTree();
}

void FunctionPane::setRoot(Root root) {
    if (root == m_root) return;
    m_root = root;
    const int number = m_panel->number();
    m_rootChoice->setCurrentIndex(root == Root::ByFunction ? 0 : 1);
    buildTree();
    // The grid belongs to a group of the by-function root.
    showGroup(-1);
    m_grid->setVisible(root == Root::ByFunction);
    if (number) showParameter(number);
}

void FunctionPane::buildTree() {
    const bool quiet = std::exchange(m_quiet, true);
    m_tree->clear();
    const auto language = m_model.language();
    if (m_root == Root::ByFunction) {
        auto* top = new QTreeWidgetItem(
            m_tree, {MessageTranslator::translate(std::string(FunctionGroups::kByFunctionRoot))});
        top->setData(0, kRole, -1000);
        const auto groups = FunctionGroups::all();
        for (std::size_t group = 0; group < groups.size(); ++group) {
            auto* item = new QTreeWidgetItem(top, {fromUtf8(groups[group].name(language))});
            item->setData(0, kRole, static_cast<int>(group));
        }
    } else {
        auto* top = new QTreeWidgetItem(
            m_tree, {MessageTranslator::translate(std::string(FunctionGroups::kByNumberRoot))});
        top->setData(0, kRole, -1000);
        for (int branch = 0; branch < 2; ++branch) {
            auto* node = new QTreeWidgetItem(
                top, {MessageTranslator::translate(std::string(
                         branch == 0 ? FunctionGroups::kBitBranch : FunctionGroups::kDataBranch))});
            node->setData(0, kRole, -1000);
            const int count =
                branch == 0 ? ParameterCatalogue::kBitCount : ParameterCatalogue::kDataCount;
            for (int child = 0; child < count; ++child) {
                const int number = ParameterPlaces::numberOf({branch, child});
                auto* leaf = new QTreeWidgetItem(
                    node, {numberText(number) + QStringLiteral("  ") +
                           fromUtf8(ParameterCatalogue::description(number, language)).left(40)});
                leaf->setData(0, kRole, -number);
            }
        }
    }
    m_tree->expandToDepth(0);
    m_quiet = quiet;
}

void FunctionPane::showGroup(int group) {
    const auto groups = FunctionGroups::all();
    if (group < 0 || group >= static_cast<int>(groups.size())) {
        m_group = -1;
        m_grid->setRowCount(0);
        return;
    }
    const bool quiet = std::exchange(m_quiet, true);
    m_group = group;
    const auto language = m_model.language();
    const auto& items = groups[static_cast<std::size_t>(group)].items;
    m_grid->clearContents();
    m_grid->setRowCount(static_cast<int>(items.size()));
    for (int row = 0; row < static_cast<int>(items.size()); ++row) {
        const GroupItem& item = items[static_cast<std::size_t>(row)];
        m_grid->setItem(row, 0, new QTableWidgetItem(fromUtf8(item.name(language))));
        m_grid->setItem(row, 2, new QTableWidgetItem(numberText(item.number)));
        if (item.isSwitch()) {
            // A switch is a choice of its two options.
            auto* choice = new QComboBox(m_grid);
            choice->addItems(
                {fromUtf8(item.option(0, language)), fromUtf8(item.option(1, language))});
            connect(choice, &QComboBox::activated, this, [this, item](int option) {
                m_model.setBit(item.number, item.bit, option != 0);
            });
            m_grid->setCellWidget(row, 1, choice);
        } else {
            auto* edit = new NumericEdit(m_grid);
            edit->setFrame(false);
            edit->setNumber(item.number);
            connect(edit, &QLineEdit::editingFinished, this, [this, edit, number = item.number] {
                m_model.setValue(number, edit->text().toStdString());
                edit->setText(QString::fromStdString(m_model.table().value(number)));
            });
            m_grid->setCellWidget(row, 1, edit);
        }
    }
    refreshGrid();
    m_quiet = quiet;
}

void FunctionPane::refreshGrid() {
    if (m_group < 0) return;
    const auto& items = FunctionGroups::all()[static_cast<std::size_t>(m_group)].items;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const GroupItem& item = items[static_cast<std::size_t>(row)];
        QWidget* cell = m_grid->cellWidget(row, 1);
        if (auto* choice = qobject_cast<QComboBox*>(cell))
            choice->setCurrentIndex(m_model.table().bitOf(item.number, item.bit));
        else if (auto* edit = qobject_cast<QLineEdit*>(cell); edit && !edit->hasFocus())
            edit->setText(QString::fromStdString(m_model.table().value(item.number)));
    }
}

void FunctionPane::refresh() {
    refreshGrid();
    m_panel->refresh();
}

void FunctionPane::treeSelected(QTreeWidgetItem* item) {
    if (!item) return;
    const int data = item->data(0, kRole).toInt();
    if (data >= 0) {
        showGroup(data);
        return;
    }
    if (data == -1000) return;
    m_panel->showParameter(-data);
    if (!m_quiet) emit parameterSelected(-data);
}

void FunctionPane::gridSelected(int row) {
    if (m_quiet || m_group < 0 || row < 0) return;
    const auto& items = FunctionGroups::all()[static_cast<std::size_t>(m_group)].items;
    if (row >= static_cast<int>(items.size())) return;
    const int number = items[static_cast<std::size_t>(row)].number;
    m_panel->showParameter(number);
    emit parameterSelected(number);
}

void FunctionPane::showParameter(int number) {
    const bool quiet = std::exchange(m_quiet, true);
    m_panel->showParameter(number);
    if (m_root == Root::ByFunction) {
        if (const auto place = ParameterPlaces::inGroups(number, m_group)) {
            QTreeWidgetItem* top = m_tree->topLevelItem(0);
            if (place->group != m_group) {
                m_tree->setCurrentItem(top->child(place->group));
                showGroup(place->group);
            }
            m_grid->setCurrentCell(place->item, 0);
        } else {
            m_grid->clearSelection();
        }
    } else if (const auto place = ParameterPlaces::inBranches(number)) {
        QTreeWidgetItem* node = m_tree->topLevelItem(0)->child(place->branch);
        m_tree->setCurrentItem(node->child(place->child));
    }
    m_quiet = quiet;
}

}  // namespace kelcc::ui
