#pragma once

#include <functional>
#include <map>
#include <string>

#include "app/project_item_type.h"

namespace kelcc::ui {

class DocumentWindow;
class Workbench;

// Which window kind opens which project item type. Each window kind
// registers itself; a tree command whose type has no window stays disabled.
class DocumentKinds final {
public:
    using Factory = std::function<DocumentWindow*(Workbench& workbench, const std::string& path,
                                                  core::app::ProjectItemType type)>;

    static void registerKind(core::app::ProjectItemType type, Factory factory);
    // Tests that stand in a window kind put back what was there before.
    static void unregisterKind(core::app::ProjectItemType type);
    static Factory factory(core::app::ProjectItemType type);
    static bool has(core::app::ProjectItemType type);
    // A new, not yet loaded window, or nullptr when the type has none.
    static DocumentWindow* create(Workbench& workbench, const std::string& path,
                                  core::app::ProjectItemType type);

private:
    static std::map<core::app::ProjectItemType, Factory>& factories();
};

}  // namespace kelcc::ui
