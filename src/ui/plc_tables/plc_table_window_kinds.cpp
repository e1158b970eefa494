#include "plc_tables/plc_table_window_kinds.h"

#include "app/document_kinds.h"
#include "plc_tables/data_tables_window.h"
#include "plc_tables/information_window.h"

namespace kelcc::ui {

void registerPlcTableWindowKinds() {
    using core::app::ProjectItemType;
    DocumentKinds::registerKind(
        ProjectItemType::PlcDataTables,
        [](Workbench& workbench, const std::string& path, ProjectItemType) -> DocumentWindow* {
            return new DataTablesWindow(workbench, path);
        });
    DocumentKinds::registerKind(
        ProjectItemType::PlcInformation,
        [](Workbench& workbench, const std::string& path, ProjectItemType) -> DocumentWindow* {
            return new InformationWindow(workbench, path);
        });
}

}  // namespace kelcc::ui
