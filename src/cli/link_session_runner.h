#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/project.h"
#include "app/project_host.h"
#include "cli_interaction.h"
#include "comm/port_paths.h"
#include "transfer/session_driver.h"
#include "transfer/session_list.h"

namespace kelcc::cli {

// One connection to the controller for one command: opens the line,
// connects, runs a session on this thread and always ends disconnected.
// Results are process exit codes: 0 done, 1 the controller or the session
// refused (the message was printed), 2 no link could be made.
class LinkSessionRunner final {
public:
    struct Settings {
        core::comm::PortPaths paths;
        int portNumber = 1;
        std::int32_t baud = 115200;
        bool overwrite = false;
        std::string tempFolder;  // for staging folders and uploads
    };

    explicit LinkSessionRunner(Settings settings);
    ~LinkSessionRunner();
    LinkSessionRunner(const LinkSessionRunner&) = delete;
    LinkSessionRunner& operator=(const LinkSessionRunner&) = delete;

    // 0 when the project opened, else 2 (its message was printed).
    int openProject(const std::string& path);

    int list(int area);
    int send(const core::transfer::SessionList::SendSelection& selection);
    // Programs as AREA and NAME pairs; NAME with or without ".cnc".
    int receive(const core::transfer::SessionList::Selection& selection,
                const std::vector<std::pair<int, std::string>>& programs);

private:
    // 0 once connected, else 2 (the reason was printed).
    int connect();
    int sessionResult(const char* successText);
    void printProgress();

    Settings m_settings;
    CliInteraction m_ui;
    core::app::HeadlessProjectHost m_projectHost;
    core::app::Project m_project;
    core::transfer::SessionDriver m_driver;
};

}  // namespace kelcc::cli
