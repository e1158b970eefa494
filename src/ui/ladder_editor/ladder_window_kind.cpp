#include "ladder_editor/ladder_window_kind.h"

#include "app/document_kinds.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/ladder_window.h"

namespace kelcc::ui {

namespace {

// The ladder clipboard lives as long as the application, so cells copied
// in one window can be pasted after it was closed or into another project.
core::ladder_editor::CopyBuffer& applicationCopyBuffer() {
    static core::ladder_editor::CopyBuffer buffer;
    return buffer;
}

}  // namespace

void registerLadderWindowKind() {
    DocumentKinds::registerKind(
        core::app::ProjectItemType::PlcProgram,
        [](Workbench& workbench, const std::string& path, core::app::ProjectItemType) {
            return new LadderWindow(workbench, path, applicationCopyBuffer());
        });
}

}  // namespace kelcc::ui
