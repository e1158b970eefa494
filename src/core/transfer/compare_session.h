#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "comm/port_paths.h"
#include "common/interaction.h"
#include "transfer/controller_compare.h"

namespace kelcc::core::app {
class Project;
}

namespace kelcc::core::transfer {

// One compare of an open project with the controller, run to its end on
// the calling thread: connect, read the four file lists, read the files
// both sides have into a staging folder (never into the project), compare,
// disconnect. The staging folder is removed when the object goes.
class CompareSession final {
public:
    struct Settings {
        comm::PortPaths paths;
        int portNumber = 1;
        std::int32_t baud = 115200;
        std::string tempFolder;
        // Bounds a broken line; the engine's own time-outs come first.
        std::chrono::milliseconds connectBound{60000};
        std::chrono::milliseconds sessionBound{3600000};
    };

    enum class Result {
        Compared,    // every file was compared (rows tell same or not)
        Incomplete,  // the link failed after the lists: some rows not compared
        NoLists,     // connected, but the file lists could not be read
        NoLink,      // no connection
    };

    struct Outcome {
        Result result = Result::NoLink;
        std::vector<ControllerCompare::Row> rows;
        // Every message of the link, as the session told it (GBK-free
        // Chinese texts of the core).
        std::vector<std::string> messages;
    };

    // The project's files are taken here, so run() may go on another thread
    // while the project changes. Messages go to `ui` as they come (the
    // caller may print them); its answers are not asked for.
    CompareSession(Settings settings, const app::Project& project, common::Interaction& ui);
    ~CompareSession();
    CompareSession(const CompareSession&) = delete;
    CompareSession& operator=(const CompareSession&) = delete;

    // Called between loop steps, e.g. for progress lines.
    void setProgress(std::function<void(const std::string& line)> progress) {
        m_progress = std::move(progress);
    }
    Outcome run();
    // From any thread: ends the session at the next step.
    void cancel() noexcept { m_cancel.store(true); }

private:
    Settings m_settings;
    std::vector<ControllerCompare::LocalFile> m_files;
    common::Interaction& m_ui;
    std::function<void(const std::string&)> m_progress;
    std::atomic<bool> m_cancel{false};
    std::string m_staging;
};

}  // namespace kelcc::core::transfer
