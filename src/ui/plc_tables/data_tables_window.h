#pragma once

#include "plc_tables/plc_table_window.h"

namespace kelcc::ui {

// "数据设置表": the D, DC and DT pages of the PLC program.
class DataTablesWindow final : public PlcTableWindow {
    Q_OBJECT

public:
    DataTablesWindow(Workbench& workbench, const std::string& path, QWidget* parent = nullptr);

    TableView* page(int index) const;
};

}  // namespace kelcc::ui
