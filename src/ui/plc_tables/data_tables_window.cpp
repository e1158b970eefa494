#include "plc_tables/data_tables_window.h"

#include <QTabWidget>

#include "plc_tables/data_table_model.h"
#include "tables/table_view.h"

namespace kelcc::ui {

using core::plc_tables::DataTableModel;

DataTablesWindow::DataTablesWindow(Workbench& workbench, const std::string& path, QWidget* parent)
    : PlcTableWindow(workbench, path, core::app::ProjectItemType::PlcDataTables, parent) {
    setWindowTitle(tr("数据设置表") + QStringLiteral("[*]"));
    auto& doc = plcDocument();
    addTablePage(std::make_unique<DataTableModel>(doc, DataTableModel::Table::D), tr("D (1字节)"));
    addTablePage(std::make_unique<DataTableModel>(doc, DataTableModel::Table::DC),
                 tr("DC (计数器)"));
    addTablePage(std::make_unique<DataTableModel>(doc, DataTableModel::Table::DT),
                 tr("DT (定时器)"));
    setFocusProxy(page(0));
}

TableView* DataTablesWindow::page(int index) const {
    return qobject_cast<TableView*>(pages()->widget(index));
}

}  // namespace kelcc::ui
