#include "transfer/session_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <sstream>

#include "../common/case_file.h"
#include "../common/file_bytes.h"
#include "../common/temp_folder.h"
#include "app/project.h"
#include "comm/file_list.h"

namespace kelcc::core::transfer {
namespace {

namespace fs = std::filesystem;
using common::RecordingInteraction;
using test::WriteBytes;
using Send = SessionList::SendSelection;
using Receive = SessionList::ReceiveSelection;

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), {}};
}

// The items named plc, parameters, tools and pitch, and the part programs.
template <typename Selection>
Selection selection(const std::string& items, decltype(Selection::programs) programs = {}) {
    Selection s;
    for (const std::string& item : words(items)) {
        s.plcProgram |= item == "plc";
        s.parameters |= item == "parameters";
        s.toolOffsets |= item == "tools";
        s.pitchCompensation |= item == "pitch";
    }
    s.programs = std::move(programs);
    return s;
}

class SessionListTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host.setAutoOpen(false);
        ASSERT_TRUE(m_project.newProject([this]() -> std::optional<app::ProjectLocation> {
            return app::ProjectLocation{"demo", m_dir.string()};
        }));
        WriteBytes(folder() / "main_demo.ldx.bin", std::string(700, 'b'));
        for (const char* program : {"O0002", "O0001", "O0010"}) {
            m_project.tree().findOrAddProgram(program);
            WriteBytes(folder() / (std::string(program) + ".cnc"),
                       std::string(program) + "\nM30\n");
        }
    }
    fs::path folder() const { return m_dir / "demo"; }

    common::TempFolder m_folder{"kelcc_session_"};
    const fs::path& m_dir = m_folder.path();
    RecordingInteraction m_ui;
    app::HeadlessProjectHost m_host;
    app::Project m_project{m_ui, m_host};
};

TEST_F(SessionListTest, SendListsTheFilesInTheirFixedOrderOrRefuses) {
    m_project.tree().findOrAddProgram("O123456789");
    WriteBytes(folder() / "O123456789.cnc", "O123456789\n");
    for (const test::Case& c : test::ReadCases("core/transfer/cases/send_lists.txt")) {
        const auto built = SessionList::forSending(m_project, selection<Send>(c[0], words(c[1])));
        std::vector<std::string> names;
        for (const auto& entry : built.entries)
            names.push_back(entry.name);
        EXPECT_EQ(names, words(c[2])) << c.where;
        EXPECT_EQ(built.error, c[3]) << c.where;
        EXPECT_EQ(built.ok, c[3].empty()) << c.where;
    }
}

TEST_F(SessionListTest, SendEntriesNameTheProjectFilesWithTheirSizes) {
    const auto built =
        SessionList::forSending(m_project, selection<Send>("plc parameters", {"O0001"}));
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

// The other refusals are send_lists.txt rows.
TEST_F(SessionListTest, AMissingLadderImageOrNothingToReceiveGivesNoList) {
    fs::remove(folder() / "main_demo.ldx.bin");
    const auto built = SessionList::forSending(m_project, selection<Send>("plc"));
    EXPECT_FALSE(built.ok);
    EXPECT_TRUE(built.entries.empty());
    EXPECT_NE(built.error.find("main_demo.ldx.bin"), std::string::npos) << built.error;
    EXPECT_FALSE(fs::exists(folder() / "main_demo.ldx.bin"));
    const auto received = SessionList::forReceiving("/tmp/s", {}, {});
    EXPECT_FALSE(received.ok);
    EXPECT_EQ(received.error, "未选定文件!");
}

TEST(ReceiveListTest, EverythingGoesToTheStagingFolder) {
    const auto config =
        comm::FileList::parse("plc.ldx\t4000\t1\t\r\nplc.bin\t900\t1\t\r\nTcomp.cmp\t300\t1\t\r\n");
    ASSERT_TRUE(config.ok);
    const auto built = SessionList::forReceiving(
        "/tmp/KELCC1",
        selection<Receive>("plc parameters tools pitch", {{"O0003.cnc", "", 4, 1, 30},
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
        "/s", selection<Receive>("", {{"O0001.cnc", "", 3, 1, 11}, {"O0001.cnc", "", 2, 1, 10}}),
        {});
    ASSERT_TRUE(built.ok);
    EXPECT_EQ(built.entries,
              (std::vector<comm::FileEntry>{{"O0001.cnc", "/s/O0001.cnc", 2, 1, 10}}));
    ASSERT_EQ(built.skipped.size(), 1u);
    EXPECT_EQ(built.skipped[0].area, 3);
}

TEST(ReceiveListTest, HostileProgramNameIsRefused) {
    for (const char* name : {"../O0001.cnc", "/etc/x", ""}) {
        const auto built =
            SessionList::forReceiving("/s", selection<Receive>("plc", {{name, "", 2, 1, 1}}), {});
        EXPECT_FALSE(built.ok) << name;
        EXPECT_TRUE(built.entries.empty());
    }
    const auto wrongArea =
        SessionList::forReceiving("/s", selection<Receive>("", {{"O0001.cnc", "", 1, 1, 1}}), {});
    EXPECT_FALSE(wrongArea.ok);
}

TEST_F(SessionListTest, StagingFolderIsKelccAndTheTimeInHexMadeAfreshForThisUserOnly) {
    EXPECT_EQ(SessionList::stagingFolderPath("/tmp", 0x65ABCDEF), "/tmp/KELCC65abcdef");
    EXPECT_EQ(SessionList::stagingFolderPath("/tmp", 0), "/tmp/KELCC0");
    const std::string staging = SessionList::stagingFolderPath(m_dir.string(), 0xABC);
    fs::create_directory(staging);
    WriteBytes(fs::path(staging) / "stale.cnc", "old");
    ASSERT_TRUE(SessionList::makeStagingFolder(staging));
    EXPECT_TRUE(fs::is_empty(staging));
    struct stat st {};
    ASSERT_EQ(::stat(staging.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_FALSE(SessionList::makeStagingFolder((m_dir / "no" / "KELCC1").string()));
}

}  // namespace
}  // namespace kelcc::core::transfer
