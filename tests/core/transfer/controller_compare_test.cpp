#include "transfer/controller_compare.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../comm/test_folder.h"
#include "app/project.h"
#include "app/project_host.h"
#include "common/atomic_file.h"
#include "common/line_diff.h"

namespace kelcc::core::transfer {
namespace {

namespace fs = std::filesystem;
using common::LineDiff;
using Status = ControllerCompare::Status;
using Strings = std::vector<std::string>;

TEST(LineDiffTest, HunksCarryContextAndJoinOnlyWhenClose) {
    EXPECT_TRUE(LineDiff::unified("a\r\nb\r\n", "a\nb\n").empty());
    EXPECT_EQ(LineDiff::unified("1\n2\n3\n4\n5\n", "1\n2\nX\n4\n5\n"),
              (Strings{"@@ -1,5 +1,5 @@", " 1", " 2", "-3", "+X", " 4", " 5"}));
    // Six unchanged lines between two changes: two hunks.
    const Strings apart = LineDiff::unified("a\n1\n2\n3\n4\n5\n6\nb\n", "A\n1\n2\n3\n4\n5\n6\nB\n");
    EXPECT_EQ(apart, (Strings{"@@ -1,3 +1,3 @@", "-a", "+A", " 1", " 2", "@@ -6,3 +6,3 @@", " 5",
                              " 6", "-b", "+B"}));
    EXPECT_EQ(LineDiff::unified("", "new\n"), (Strings{"@@ -0,0 +1,1 @@", "+new"}));
}

class ControllerCompareTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = comm::testing::testFolder("kelcc_compare_");
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "staging");
        m_host.setAutoOpen(false);
        ASSERT_TRUE(m_project.newProject([this]() -> std::optional<app::ProjectLocation> {
            return app::ProjectLocation{"demo", m_dir.string()};
        }));
        m_project.tree().findOrAddProgram("O0001");
        write(m_dir / "demo" / "O0001.cnc", "O0001\r\nG00 X1\r\nM30\r\n");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    static void write(const fs::path& path, const std::string& bytes) {
        ASSERT_TRUE(common::AtomicFile::write(path.string(), bytes).ok) << path;
    }
    static comm::FileEntry listed(const std::string& name, std::uint8_t area, std::uint32_t size) {
        return {name, {}, area, comm::FileEntry::kFileKind, size};
    }
    Status statusOf(const std::vector<ControllerCompare::Row>& rows, const std::string& name) {
        for (const auto& row : rows)
            if (row.name == name) return row.status;
        ADD_FAILURE() << name << " has no row";
        return Status::Same;
    }

    fs::path m_dir;
    common::RecordingInteraction m_ui;
    app::HeadlessProjectHost m_host;
    app::Project m_project{m_ui, m_host};
};

TEST_F(ControllerCompareTest, OnlyFilesOnBothSidesAreReadAndEachRowSaysWhy) {
    fs::remove(m_dir / "demo" / "Tcomp.cmp");
    const auto files = ControllerCompare::projectFiles(m_project);
    ASSERT_EQ(files.size(), 6u);  // no ladder image among them
    const std::string program = "O0001\r\nG00 X2\r\nM30\r\n";
    ControllerCompare::Lists lists{
        {1, {listed("ParaB.par", 1, 10), listed("Tcomp.cmp", 1, 5), listed("Wcomp.wmp", 1, 99)}},
        {2, {listed("o0001.CNC", 2, static_cast<std::uint32_t>(program.size()))}},
        {4, {listed("O0002.cnc", 4, 3)}}};

    const SessionList::ReceiveSelection wanted = ControllerCompare::toReceive(files, lists);
    EXPECT_FALSE(wanted.plcProgram);
    EXPECT_FALSE(wanted.parameters);   // ParaW.par is not on the controller
    EXPECT_FALSE(wanted.toolOffsets);  // missing in the project
    EXPECT_TRUE(wanted.pitchCompensation);
    ASSERT_EQ(wanted.programs.size(), 1u);
    EXPECT_EQ(wanted.programs[0].name, "o0001.CNC");

    write(m_dir / "staging" / "o0001.CNC", program);
    write(m_dir / "staging" / "Wcomp.wmp", "cut short");
    const auto rows = ControllerCompare::compare(files, lists, (m_dir / "staging").string());
    EXPECT_EQ(statusOf(rows, "plc.ldx"), Status::OnlyInProject);
    EXPECT_EQ(statusOf(rows, "ParaW.par"), Status::OnlyInProject);
    EXPECT_EQ(statusOf(rows, "ParaB.par"), Status::NotCompared);  // its pair is missing there
    EXPECT_EQ(statusOf(rows, "Tcomp.cmp"), Status::OnlyOnController);
    EXPECT_EQ(statusOf(rows, "Wcomp.wmp"), Status::NotCompared);  // not at its listed size
    EXPECT_EQ(statusOf(rows, "O0001.cnc"), Status::Different);
    EXPECT_EQ(statusOf(rows, "O0002.cnc"), Status::OnlyOnController);
    EXPECT_FALSE(ControllerCompare::allSame(rows));

    // Areas whose list never came: nothing there is judged.
    const auto unlisted = ControllerCompare::compare(files, {{1, lists[1]}}, {});
    EXPECT_EQ(statusOf(unlisted, "O0001.cnc"), Status::NotCompared);
}

}  // namespace
}  // namespace kelcc::core::transfer
