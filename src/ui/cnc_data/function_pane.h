#pragma once

#include <QWidget>

#include "cnc_data/parameter_table_model.h"

class QComboBox;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelcc::ui {

class ParameterPanel;

// The by-function pane of the parameter window: the tree with one of its
// two roots, the grid of the selected group's items and the edit panel of
// the selected parameter.
class FunctionPane final : public QWidget {
    Q_OBJECT

public:
    enum class Root { ByFunction, ByNumber };

    FunctionPane(core::cnc_data::ParameterTableModel& model, QWidget* parent = nullptr);

    Root root() const noexcept { return m_root; }
    void setRoot(Root root);
    // The group shown in the grid, -1 for none.
    int group() const noexcept { return m_group; }
    void showGroup(int group);
    // Selects the parameter without telling anyone: the table selected it.
    void showParameter(int number);
    // The document changed under the pane.
    void refresh();

    QComboBox* rootChoice() const noexcept { return m_rootChoice; }
    QTreeWidget* tree() const noexcept { return m_tree; }
    QTableWidget* grid() const noexcept { return m_grid; }
    ParameterPanel* panel() const noexcept { return m_panel; }

signals:
    void parameterSelected(int number);

private:
    void buildTree();
    void treeSelected(QTreeWidgetItem* item);
    void gridSelected(int row);
    void refreshGrid();

    core::cnc_data::ParameterTableModel& m_model;
    Root m_root = Root::ByFunction;
    int m_group = -1;
    bool m_quiet = false;
    QComboBox* m_rootChoice = nullptr;
    QTreeWidget* m_tree = nullptr;
    QTableWidget* m_grid = nullptr;
    ParameterPanel* m_panel = nullptr;
};

}  // namespace kelcc::ui
