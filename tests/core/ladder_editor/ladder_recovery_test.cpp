#include "ladder_editor/ladder_recovery.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "common/recovery_store.h"
#include "compiler/grid_text.h"
#include "plc/program_file.h"
#include "plc/project_state.h"

namespace kelcc::core::ladder_editor {
namespace {

namespace fs = std::filesystem;
using common::RecoveryStore;

constexpr int kPlcKind = 2;

// The copy outlives a process killed right after writing it, and brings
// back the ladder, its comments and the tables.
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
        doc.setD(7, 42);
        const bool written = RecoveryStore(folder.string())
                                 .write(program, kPlcKind, LadderRecovery::content(doc))
                                 .ok;
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

    const RecoveryStore store(folder.string());
    const auto entries = store.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path, program);
    EXPECT_EQ(entries[0].kind, kPlcKind);
    std::string content;
    std::string error;
    ASSERT_TRUE(RecoveryStore::read(entries[0], content, error)) << error;

    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    ASSERT_TRUE(LadderRecovery::restore(doc, content, error)) << error;
    ASSERT_NE(doc.cell(1, 1), nullptr);
    EXPECT_EQ(doc.cell(1, 1)->text, "X0000.1");
    EXPECT_EQ(doc.rowComment(1), "unsaved");
    EXPECT_EQ(doc.dTable()[7].value, 42);
    EXPECT_TRUE(doc.modified());
    EXPECT_TRUE(project.projectModified());

    // A damaged copy changes nothing.
    plc::SimpleProjectState otherProject;
    plc::PlcDocument other(otherProject);
    other.setRowComment(2, "kept");
    other.setModified(false);
    EXPECT_FALSE(LadderRecovery::restore(other, content.substr(0, content.size() / 2), error));
    EXPECT_EQ(other.rowComment(2), "kept");
    EXPECT_FALSE(other.modified());

    store.remove(program);
    EXPECT_TRUE(store.entries().empty());
    fs::remove_all(folder);
}

// Any bytes survive packing (tabs, line ends, lengths of digits), and a cut
// or padded pack is refused rather than read short.
TEST(RecoveryStoreTest, PartsSurvivePackingAndACutPackIsRefused) {
    std::mt19937 random(20261208);
    const std::string alphabet("ab\t\n\r0123456789\0\xff", 17);
    for (int round = 0; round < 200; ++round) {
        std::string first(random() % 40, ' ');
        std::string second(random() % 40 + 1, ' ');
        for (char& c : first)
            c = alphabet[random() % alphabet.size()];
        for (char& c : second)
            c = alphabet[random() % alphabet.size()];
        const std::string packed = RecoveryStore::pack({{"one", first}, {"two", second}});
        const auto parts = RecoveryStore::unpack(packed);
        ASSERT_TRUE(parts.has_value());
        EXPECT_EQ(parts->at("one"), first);
        EXPECT_EQ(parts->at("two"), second);
        EXPECT_FALSE(RecoveryStore::unpack(packed.substr(0, packed.size() - 1)).has_value());
    }
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
