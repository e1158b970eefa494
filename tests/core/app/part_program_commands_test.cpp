#include "app/part_program_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../common/temp_folder.h"
#include "app/project_file.h"
#include "app/project_file_names.h"
#include "common/atomic_file.h"

namespace kelcc::core::app {
namespace {

namespace fs = std::filesystem;
using common::Answer;
using common::RecordingInteraction;

// The tree's rule is the name edit's rule (tested with ProgramName); what
// matters here is that a refused name never becomes a path.
TEST(TreeProgramNameTest, PadsValidNamesAndRefusesPaths) {
    EXPECT_EQ(ProjectFileNames::programName("O7"), "O0007");
    EXPECT_EQ(ProjectFileNames::programName("O000012"), "O0012");
    EXPECT_FALSE(ProjectFileNames::programName("O999999999"));
    EXPECT_FALSE(ProjectFileNames::programName("O1/.."));
}

std::string readAll(const fs::path& path) {
    std::string bytes;
    EXPECT_TRUE(common::AtomicFile::read(path.string(), bytes).ok) << path;
    return bytes;
}

class PartProgramCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host.setAutoOpen(false);
        bool asked = false;
        ASSERT_TRUE(m_project.newProject([&]() -> std::optional<ProjectLocation> {
            if (asked) return std::nullopt;
            asked = true;
            return ProjectLocation{"demo", m_dir.string()};
        }));
    }

    static PartProgramCommands::NameDialog typing(std::vector<std::string> list) {
        auto shared = std::make_shared<std::vector<std::string>>(std::move(list));
        return [shared]() -> std::optional<std::string> {
            if (shared->empty()) return std::nullopt;
            std::string next = shared->front();
            shared->erase(shared->begin());
            return next;
        };
    }
    std::uint32_t recordedPrograms() {
        return ProjectFile::parse(readAll(m_dir / "demo" / "demo.gpr")).header.partProgramCount;
    }

    common::TempFolder m_folder{"kelcc_programs_"};
    const fs::path& m_dir = m_folder.path();
    RecordingInteraction m_ui;
    HeadlessProjectHost m_host;
    Project m_project{m_ui, m_host};
};

TEST_F(PartProgramCommandsTest, NewProgramChecksTheNameAndAsksBeforeReplacing) {
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"", "P1", "O7"})));
    ASSERT_EQ(m_ui.messages().size(), 2u);  // texts: ProgramNameTest
    const fs::path file = m_dir / "demo" / "O0007.cnc";
    EXPECT_EQ(readAll(file), "O0007\r\n");
    EXPECT_EQ(m_host.opened().back(), std::make_pair(file.string(), ProjectItemType::PartProgram));
    EXPECT_EQ(recordedPrograms(), 1u);

    common::AtomicFile::write(file.string(), "edited");
    // The question itself is checked through the dialog in the UI tests.
    m_ui.script({Answer::Cancel, Answer::Ok});
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"O7", "O0007"})));
    EXPECT_EQ(readAll(file), "O0007\r\n");
    EXPECT_FALSE(m_host.isDocumentOpen(file.string()));  // closed, not reopened
    EXPECT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
}

// Importing (the preset, the copied lines, the questions) is the golden
// corpus' project/add_program_* cases.
TEST_F(PartProgramCommandsTest, DeleteRemovesTheEntryAndOptionallyTheFile) {
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"O1"})));
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"O2"})));
    EXPECT_EQ(recordedPrograms(), 2u);
    ASSERT_TRUE(PartProgramCommands::deleteProgram(m_project, "O0001", false));
    EXPECT_TRUE(fs::exists(m_dir / "demo" / "O0001.cnc"));
    ASSERT_TRUE(PartProgramCommands::deleteProgram(m_project, "O0002", true));
    EXPECT_FALSE(fs::exists(m_dir / "demo" / "O0002.cnc"));
    EXPECT_EQ(recordedPrograms(), 0u);
    EXPECT_FALSE(PartProgramCommands::deleteProgram(m_project, "O0002", true));
}

}  // namespace
}  // namespace kelcc::core::app
