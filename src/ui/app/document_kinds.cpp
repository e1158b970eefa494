#include "app/document_kinds.h"

#include <utility>

namespace kelcc::ui {

std::map<core::app::ProjectItemType, DocumentKinds::Factory>& DocumentKinds::factories() {
    static std::map<core::app::ProjectItemType, Factory> table;
    return table;
}

void DocumentKinds::registerKind(core::app::ProjectItemType type, Factory factory) {
    if (!factory) {
        unregisterKind(type);
        return;
    }
    factories()[type] = std::move(factory);
}

void DocumentKinds::unregisterKind(core::app::ProjectItemType type) {
    factories().erase(type);
}

DocumentKinds::Factory DocumentKinds::factory(core::app::ProjectItemType type) {
    const auto it = factories().find(type);
    return it == factories().end() ? Factory() : it->second;
}

bool DocumentKinds::has(core::app::ProjectItemType type) {
    return factories().count(type) != 0;
}

DocumentWindow* DocumentKinds::create(Workbench& workbench, const std::string& path,
                                      core::app::ProjectItemType type) {
    const auto it = factories().find(type);
    return it == factories().end() ? nullptr : it->second(workbench, path, type);
}

}  // namespace kelcc::ui
