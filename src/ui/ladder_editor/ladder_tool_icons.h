#pragma once

#include <QIcon>

#include "ladder_editor/ladder_view.h"

class QAction;

namespace kelcc::ui {

// The ladder toolbar's images, drawn in ladder symbols (24 x 24), and the
// tooltips that name each tool's key.
class LadderToolIcons final {
public:
    static QIcon icon(LadderView::Command command);
    // The action's text without its menu mnemonic, key or dots, followed
    // by its first shortcut: "触点 (F1)".
    static QString toolTip(const QAction& action);
};

}  // namespace kelcc::ui
