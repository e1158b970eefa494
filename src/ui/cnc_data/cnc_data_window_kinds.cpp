#include "cnc_data/cnc_data_window_kinds.h"

#include "app/document_kinds.h"
#include "cnc_data/cnc_table_window.h"
#include "cnc_data/parameter_window.h"

namespace kelcc::ui {

void registerCncDataWindowKinds() {
    using core::app::ProjectItemType;
    DocumentKinds::registerKind(
        ProjectItemType::Parameters,
        [](Workbench& workbench, const std::string& path, ProjectItemType) -> DocumentWindow* {
            return new ParameterWindow(workbench, path);
        });
    for (const ProjectItemType type :
         {ProjectItemType::ToolOffsets, ProjectItemType::PitchCompensation})
        DocumentKinds::registerKind(type,
                                    [](Workbench& workbench, const std::string& path,
                                       ProjectItemType kind) -> DocumentWindow* {
                                        return new CncTableWindow(workbench, path, kind);
                                    });
}

}  // namespace kelcc::ui
