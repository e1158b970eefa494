#pragma once

#include <QAction>
#include <functional>

#include <functional>
#include "comm/port_paths.h"

#include "app/settings_rules.h"

namespace kelcc::core::app {
class Project;
}

namespace kelcc::ui {

// The Transfer menu's "与CNC比较(&P)...": opens the compare dialog for the
// open project on the port and rate of the settings.
class CompareWithCncAction final : public QAction {
    Q_OBJECT
public:
    using Communication = std::function<core::app::SettingsRules::Communication()>;

    using Paths = std::function<core::comm::PortPaths()>;

    CompareWithCncAction(core::app::Project& project, Communication communication, QWidget* parent);
    // The device of each port number, as the transfer commands use them.
    void setPortPaths(Paths paths) { m_paths = std::move(paths); }

private:
    void compare();

    core::app::Project& m_project;
    Communication m_communication;
    Paths m_paths;
    QWidget* m_parent;
};

}  // namespace kelcc::ui
