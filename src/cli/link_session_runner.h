#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/project.h"
#include "app/project_host.h"
#include "cli_interaction.h"
#include "comm/file_entry.h"
#include "comm/link_host.h"
#include "comm/port_paths.h"
#include "transfer/link_host_port.h"
#include "transfer/session_list.h"
#include "transfer/transfer_session.h"
#include "transfer/transfer_session_input.h"

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
    int connect();
    // Runs the loop until `done` or the bound; the 2 s timer and the
    // progress lines go on meanwhile.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds bound);
    // Ends the link if the session left it open; true once it is closed.
    bool finish();
    int sessionResult(const char* successText);
    void printProgress();

    Settings m_settings;
    CliInteraction m_ui;
    core::app::HeadlessProjectHost m_projectHost;
    core::app::Project m_project;
    core::comm::LinkHost m_host;
    core::transfer::LinkHostPort m_port;
    core::transfer::TransferSession m_session;
    core::transfer::TransferSessionInput m_input{m_session};

    bool m_sendDialog = false;
    bool m_readDialog = false;
    core::transfer::TransferSession::ReadChoices m_choices;
    std::map<int, std::vector<core::comm::FileEntry>> m_lists;
};

}  // namespace kelcc::cli
