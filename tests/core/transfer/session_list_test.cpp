#include "transfer/session_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "../comm/test_folder.h"
#include "app/project.h"
#include "comm/file_list.h"
#include "comm/modem_file.h"
#include "common/atomic_file.h"

namespace kelcc::core::transfer {
namespace {

namespace fs = std::filesystem;
using common::RecordingInteraction;
using Send = SessionList::SendSelection;
using Receive = SessionList::ReceiveSelection;

std::vector<std::string> namesOf(const std::vector<comm::FileEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(e.name);
    return out;
}

std::set<std::string> filesIn(const fs::path& dir) {
    std::set<std::string> out;
    for (const auto& entry : fs::directory_iterator(dir))
        out.insert(entry.path().filename().string());
    return out;
}

class SessionListTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = comm::testing::testFolder("kelcc_session_");
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_host.setAutoOpen(false);
        ASSERT_TRUE(m_project.newProject([this]() -> std::optional<app::ProjectLocation> {
            return app::ProjectLocation{"demo", m_dir.string()};
        }));
        write(folder() / "main_demo.ldx.bin", std::string(700, 'b'));
        for (const char* program : {"O0002", "O0001", "O0010"}) {
            m_project.tree().findOrAddProgram(program);
            write(folder() / (std::string(program) + ".cnc"), std::string(program) + "\nM30\n");
        }
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path folder() const { return m_dir / "demo"; }
    static void write(const fs::path& path, const std::string& bytes) {
        ASSERT_TRUE(common::AtomicFile::write(path.string(), bytes).ok) << path;
    }

    fs::path m_dir;
    RecordingInteraction m_ui;
    app::HeadlessProjectHost m_host;
    app::Project m_project{m_ui, m_host};
};

struct SendCase {
    const char* what;
    SessionList::SendSelection selection;
    std::vector<std::string> names;
};

class SendListTest : public SessionListTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendListTest, FilesInTheirFixedOrder) {
    const auto built = SessionList::forSending(m_project, GetParam().selection);
    ASSERT_TRUE(built.ok) << built.error;
    EXPECT_EQ(namesOf(built.entries), GetParam().names);
}

template <typename Selection>
Selection selection(bool plc, bool parameters, bool tools, bool pitch,
                    decltype(Selection::programs) programs = {}) {
    Selection s;
    s.plcProgram = plc;
    s.parameters = parameters;
    s.toolOffsets = tools;
    s.pitchCompensation = pitch;
    s.programs = std::move(programs);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Selections, SendListTest,
    ::testing::Values(
        SendCase{"plc", selection<Send>(true, false, false, false), {"plc.ldx", "plc.bin"}},
        SendCase{"tools", selection<Send>(false, false, true, false), {"Tcomp.cmp"}},
        // Part programs follow the project's order, not the order checked.
        SendCase{"programs",
                 selection<Send>(false, false, false, false, {"O0001", "O0002"}),
                 {"O0002.cnc", "O0001.cnc"}},
        SendCase{"everything",
                 selection<Send>(true, true, true, true, {"O0010", "O0002", "O0001"}),
                 {"plc.ldx", "plc.bin", "ParaB.par", "ParaW.par", "Tcomp.cmp", "Wcomp.wmp",
                  "O0002.cnc", "O0001.cnc", "O0010.cnc"}}));

TEST_F(SessionListTest, SendEntriesNameTheProjectFilesWithTheirSizes) {
    const auto built =
        SessionList::forSending(m_project, selection<Send>(true, true, false, false, {"O0001"}));
    ASSERT_TRUE(built.ok);
    ASSERT_EQ(built.entries.size(), 5u);
    const std::string ladder = (folder() / "main_demo.ldx").string();
    EXPECT_EQ(built.entries[0].localPath, ladder);
    EXPECT_EQ(built.entries[0].size, fs::file_size(ladder));
    EXPECT_EQ(built.entries[1], (comm::FileEntry{"plc.bin", ladder + ".bin", 1, 1, 700}));
    EXPECT_EQ(built.entries[2].localPath, (folder() / "ParaB.par").string());
    EXPECT_EQ(built.entries[4],
              (comm::FileEntry{"O0001.cnc", (folder() / "O0001.cnc").string(), 2, 1, 10}));
    for (const auto& entry : built.entries) {
        EXPECT_EQ(entry.kind, 1);
        EXPECT_EQ(entry.area, entry.name == "O0001.cnc" ? 2 : 1) << entry.name;
    }
    EXPECT_EQ(SessionList::totalSize(built.entries),
              fs::file_size(ladder) + 700 + fs::file_size(folder() / "ParaB.par") +
                  fs::file_size(folder() / "ParaW.par") + 10);
}

TEST_F(SessionListTest, MissingFileGivesItsErrorAndNoList) {
    fs::remove(folder() / "main_demo.ldx.bin");
    const auto built =
        SessionList::forSending(m_project, selection<Send>(true, false, false, false));
    EXPECT_FALSE(built.ok);
    EXPECT_TRUE(built.entries.empty());
    EXPECT_NE(built.error.find("main_demo.ldx.bin"), std::string::npos) << built.error;
    EXPECT_FALSE(fs::exists(folder() / "main_demo.ldx.bin"));
}

TEST_F(SessionListTest, EmptySelectionIsRefused) {
    for (const auto& selection : {selection<Send>(false, false, false, false),
                                  selection<Send>(false, false, false, false, {"O9999"})}) {
        const auto built = SessionList::forSending(m_project, selection);
        EXPECT_FALSE(built.ok);
        EXPECT_EQ(built.error, "未选定文件!");
    }
    const auto received = SessionList::forReceiving("/tmp/s", {}, {});
    EXPECT_FALSE(received.ok);
    EXPECT_EQ(received.error, "未选定文件!");
}

TEST_F(SessionListTest, ProgramNameThatDoesNotFitTheHeaderIsRefused) {
    m_project.tree().findOrAddProgram("O123456789");
    write(folder() / "O123456789.cnc", "O123456789\n");
    const auto built = SessionList::forSending(
        m_project, selection<Send>(false, false, false, false, {"O123456789"}));
    EXPECT_FALSE(built.ok);
    EXPECT_EQ(built.error, "无效的文件名 \"O123456789.cnc\"!");
}

TEST(ReceiveListTest, EverythingGoesToTheStagingFolder) {
    const auto config =
        comm::FileList::parse("plc.ldx\t4000\t1\t\r\nplc.bin\t900\t1\t\r\nTcomp.cmp\t300\t1\t\r\n");
    ASSERT_TRUE(config.ok);
    const auto built = SessionList::forReceiving("/tmp/KELCC1",
                                                 selection<Receive>(true, true, true, true,
                                                                    {{"O0003.cnc", "", 4, 1, 30},
                                                                     {"O0001.cnc", "", 2, 1, 10},
                                                                     {"O0002.cnc", "", 3, 1, 20}}),
                                                 config.entries);
    ASSERT_TRUE(built.ok);
    const std::vector<comm::FileEntry> expected = {
        {"plc.ldx", "/tmp/KELCC1/plc.ldx", 1, 1, 4000},
        {"ParaB.par", "/tmp/KELCC1/ParaB.par", 1, 1, 0},
        {"ParaW.par", "/tmp/KELCC1/ParaW.par", 1, 1, 0},
        {"Tcomp.cmp", "/tmp/KELCC1/Tcomp.cmp", 1, 1, 300},
        {"Wcomp.wmp", "/tmp/KELCC1/Wcomp.wmp", 1, 1, 0},
        {"O0001.cnc", "/tmp/KELCC1/O0001.cnc", 2, 1, 10},
        {"O0002.cnc", "/tmp/KELCC1/O0002.cnc", 3, 1, 20},
        {"O0003.cnc", "/tmp/KELCC1/O0003.cnc", 4, 1, 30},
    };
    EXPECT_EQ(built.entries, expected);
    EXPECT_TRUE(built.skipped.empty());
}

TEST(ReceiveListTest, SameProgramInTwoAreasIsReceivedOnce) {
    const auto built = SessionList::forReceiving(
        "/s",
        selection<Receive>(false, false, false, false,
                           {{"O0001.cnc", "", 3, 1, 11}, {"O0001.cnc", "", 2, 1, 10}}),
        {});
    ASSERT_TRUE(built.ok);
    EXPECT_EQ(built.entries,
              (std::vector<comm::FileEntry>{{"O0001.cnc", "/s/O0001.cnc", 2, 1, 10}}));
    ASSERT_EQ(built.skipped.size(), 1u);
    EXPECT_EQ(built.skipped[0].area, 3);
}

TEST(ReceiveListTest, HostileProgramNameIsRefused) {
    for (const char* name : {"../O0001.cnc", "/etc/x", ""}) {
        const auto built = SessionList::forReceiving(
            "/s", selection<Receive>(true, false, false, false, {{name, "", 2, 1, 1}}), {});
        EXPECT_FALSE(built.ok) << name;
        EXPECT_TRUE(built.entries.empty());
    }
    const auto wrongArea = SessionList::forReceiving(
        "/s", selection<Receive>(false, false, false, false, {{"O0001.cnc", "", 1, 1, 1}}), {});
    EXPECT_FALSE(wrongArea.ok);
}

TEST(StagingFolderTest, NameIsKelccAndTheTimeInLowerCaseHex) {
    EXPECT_EQ(SessionList::stagingFolderPath("/tmp", 0x65ABCDEF), "/tmp/KELCC65abcdef");
    EXPECT_EQ(SessionList::stagingFolderPath("/tmp", 0), "/tmp/KELCC0");
}

TEST_F(SessionListTest, StagingFolderIsMadeAfreshForThisUserOnly) {
    const std::string staging = SessionList::stagingFolderPath(m_dir.string(), 0xABC);
    fs::create_directory(staging);
    write(fs::path(staging) / "stale.cnc", "old");
    ASSERT_TRUE(SessionList::makeStagingFolder(staging));
    EXPECT_TRUE(fs::is_empty(staging));
    struct stat st {};
    ASSERT_EQ(::stat(staging.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_FALSE(SessionList::makeStagingFolder((m_dir / "no" / "KELCC1").string()));
}

// The receive session writes only into the staging folder, each file whole
// or not at all; the project changes only when the staged files are adopted.
TEST_F(SessionListTest, ReceivedPiecesNeverLeaveAHalfFileInTheProject) {
    const std::string staging = SessionList::stagingFolderPath(m_dir.string(), 0x1234);
    ASSERT_TRUE(SessionList::makeStagingFolder(staging));
    const auto built = SessionList::forReceiving(
        staging, selection<Receive>(false, false, true, false, {{"O0001.cnc", "", 2, 1, 9}}), {});
    ASSERT_TRUE(built.ok);
    ASSERT_EQ(built.entries.size(), 2u);
    for (const auto& entry : built.entries)
        EXPECT_EQ(fs::path(entry.localPath).parent_path(), fs::path(staging)) << entry.localPath;

    std::string toolsBefore;
    ASSERT_TRUE(common::AtomicFile::read((folder() / "Tcomp.cmp").string(), toolsBefore).ok);
    const auto projectBefore = filesIn(folder());

    comm::ModemFile file;
    ASSERT_TRUE(file.openForReceive(built.entries[0].localPath));
    ASSERT_TRUE(file.writePiece("new tools"));
    ASSERT_TRUE(file.finish());
    ASSERT_TRUE(file.openForReceive(built.entries[1].localPath));
    ASSERT_TRUE(file.writePiece("O0001\r\n"));
    file.abort();  // the link broke mid-file

    EXPECT_EQ(filesIn(folder()), projectBefore);
    std::string toolsNow;
    ASSERT_TRUE(common::AtomicFile::read((folder() / "Tcomp.cmp").string(), toolsNow).ok);
    EXPECT_EQ(toolsNow, toolsBefore);
    EXPECT_EQ(filesIn(staging), std::set<std::string>{"Tcomp.cmp"});
}

}  // namespace
}  // namespace kelcc::core::transfer
