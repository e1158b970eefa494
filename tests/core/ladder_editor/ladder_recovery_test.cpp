#include "ladder_editor/ladder_recovery.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "plc/project_state.h"

namespace kelcc::core::ladder_editor {
namespace {

namespace fs = std::filesystem;

// The copy outlives a process that is killed right after writing it.
TEST(LadderRecoveryTest, CopyWrittenByAKilledProcessIsRestoredIntoAFreshDocument) {
    const fs::path folder =
        fs::temp_directory_path() / ("kelcc_recovery_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    const std::string program = "/projects/demo/main_demo.ldx";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        plc::SimpleProjectState project;
        plc::PlcDocument doc(project);
        doc.setPath(program);
        doc.setCell(1, 1, 1, "X0000.1");
        doc.setRowComment(1, "unsaved");
        const bool written = LadderRecovery(folder.string()).write(doc).ok;
        const char byte = written ? 'y' : 'n';
        if (::write(ready[1], &byte, 1) != 1) ::_exit(1);
        for (;;)
            ::pause();  // until killed
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(byte, 'y');

    const LadderRecovery recovery(folder.string());
    const auto entries = recovery.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].programPath, program);

    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    std::string error;
    ASSERT_TRUE(LadderRecovery::restore(doc, entries[0], error)) << error;
    ASSERT_NE(doc.cell(1, 1), nullptr);
    EXPECT_EQ(doc.cell(1, 1)->text, "X0000.1");
    EXPECT_EQ(doc.rowComment(1), "unsaved");
    EXPECT_TRUE(doc.modified());
    EXPECT_TRUE(project.projectModified());

    recovery.remove(program);
    EXPECT_TRUE(recovery.entries().empty());
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
