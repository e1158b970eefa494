#include "app/project.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../common/case_file.h"
#include "../common/file_bytes.h"
#include "../common/temp_folder.h"
#include "app/directory_tree.h"
#include "app/part_program_commands.h"
#include "app/project_file.h"
#include "app/project_file_names.h"
#include "common/text_codec.h"
#include "compiler/plc_document_file.h"
#include "plc/ladder_image.h"
#include "plc/program_file.h"

namespace kelcc::core::app {
namespace {

namespace fs = std::filesystem;
using common::Answer;
using common::RecordingInteraction;
using Outcome = Project::OpenOutcome;
using test::ReadBytes;
using test::WriteBytes;

std::uint32_t programCount(const std::string& gpr) {
    return ProjectFile::parse(gpr).header.partProgramCount;
}

// A dialog giving these answers in turn, then cancelled.
template <typename T>
std::function<std::optional<T>()> inTurn(std::vector<T> list) {
    auto shared = std::make_shared<std::vector<T>>(std::move(list));
    return [shared]() -> std::optional<T> {
        if (shared->empty()) return std::nullopt;
        T next = shared->front();
        shared->erase(shared->begin());
        return next;
    };
}

class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override { m_host.setAutoOpen(false); }

    static LocationDialog answers(std::vector<ProjectLocation> list) {
        return inTurn(std::move(list));
    }
    static PartProgramCommands::NameDialog typing(std::vector<std::string> list) {
        return inTurn(std::move(list));
    }
    void createDemo() {
        ASSERT_TRUE(m_project.newProject(answers({{"demo", m_dir.string()}})));
        m_project.markProjectModified(false);
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : m_ui.messages())
            out.push_back(m.text);
        return out;
    }
    fs::path demo() const { return m_dir / "demo"; }

    common::TempFolder m_folder{"kelcc_project_"};
    const fs::path& m_dir = m_folder.path();
    const fs::path m_staging = m_dir / "staging";  // for the adopt commands
    RecordingInteraction m_ui;
    HeadlessProjectHost m_host;
    Project m_project{m_ui, m_host};
};

TEST_F(ProjectTest, NewProjectWritesTheDefaultFilesAndOpens) {
    m_host.setAutoOpen(true);
    ASSERT_TRUE(m_project.newProject(answers({{"demo", m_dir.string()}})));
    EXPECT_TRUE(m_ui.messages().empty());
    EXPECT_EQ(ReadBytes(demo() / "main_demo.ldx"), plc::ProgramFile::newProjectFile());
    {
        // The image is the one a save of the opened program writes, so a new
        // project can be sent at once.
        plc::SimpleProjectState state;
        plc::PlcDocument doc(state);
        ASSERT_TRUE(
            compiler::PlcDocumentFile::open(doc, (demo() / "main_demo.ldx").string(), m_ui));
        EXPECT_EQ(ReadBytes(demo() / "main_demo.ldx.bin"), plc::LadderImage::build(doc.grid()));
    }
    for (const char* name : {"ParaB.par", "ParaW.par", "Tcomp.cmp", "Wcomp.wmp"})
        EXPECT_EQ(ReadBytes(demo() / name), std::string("\3\4\5\6", 4)) << name;
    const auto parsed = ProjectFile::parse(ReadBytes(demo() / "demo.gpr"));
    ASSERT_EQ(parsed.status, ProjectFile::ParseStatus::Ok);
    ASSERT_EQ(parsed.records.size(), 5u);
    const std::vector<std::pair<int, const char*>> expected = {
        {2, "主程序"}, {100, "参数BIT"}, {100, "参数WORD"}, {101, "刀具偏置"}, {102, "螺距补偿"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(parsed.records[i].type, expected[i].first);
        EXPECT_EQ(parsed.records[i].name, common::TextCodec::utf8ToGbk(expected[i].second).text);
        EXPECT_EQ(parsed.records[i].created.size(), 19u);
    }
    EXPECT_TRUE(m_project.projectOpen());
    EXPECT_TRUE(m_project.projectModified());
    EXPECT_EQ(m_host.windowTitle(), "KELCC - 工程:demo");
    EXPECT_EQ(m_project.tree().rootText(), "工程 - demo");
    EXPECT_EQ(m_host.lastProject(), (demo() / "demo.gpr").string());
    ASSERT_EQ(m_host.opened().size(), 1u);
    EXPECT_EQ(m_host.opened()[0].second, ProjectItemType::PlcProgram);
}

TEST_F(ProjectTest, RefusedDialogAnswersKeepTheDialogOpen) {
    ASSERT_FALSE(m_project.newProject(answers(
        {{"", m_dir.string()}, {"demo", ""}, {"..", m_dir.string()}, {"a/b", m_dir.string()}})));
    EXPECT_EQ(texts(), (std::vector<std::string>{"请输入工程名称.", "请输入存储路径.",
                                                 "无效的文件名 \"..\"!", "无效的文件名 \"a/b\"!"}));
    EXPECT_EQ(m_ui.messages()[0].caption, "保存工程");
    EXPECT_FALSE(m_project.hasProject());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 0);
}

TEST_F(ProjectTest, MissingStoragePathAndExistingFolder) {
    const std::string missing = (m_dir / "nowhere").string();
    EXPECT_FALSE(m_project.newProject(answers({{"demo", missing}})));
    EXPECT_EQ(texts().back(), "\"" + missing + "\" 不存在的目录路径,创建工程失败.");

    fs::create_directory(demo());
    WriteBytes(demo() / "keep.txt", "mine");
    m_ui.script({Answer::No, Answer::Yes});
    EXPECT_FALSE(m_project.newProject(answers({{"demo", m_dir.string()}})));
    EXPECT_EQ(texts().back(), "文件夹已存在,覆盖该文件夹吗?");
    EXPECT_FALSE(fs::exists(demo() / "demo.gpr"));
    EXPECT_TRUE(m_project.newProject(answers({{"demo", m_dir.string()}})));
    EXPECT_TRUE(fs::exists(demo() / "demo.gpr"));
    EXPECT_EQ(ReadBytes(demo() / "keep.txt"), "mine");
}

TEST_F(ProjectTest, FailedCreationLeavesNoHalfProjectFile) {
    fs::create_directory(demo());
    fs::create_directory(demo() / "Tcomp.cmp");  // cannot be written as a file
    m_ui.script({Answer::Yes});
    EXPECT_FALSE(m_project.newProject(answers({{"demo", m_dir.string()}})));
    EXPECT_EQ(texts().back(), "创建刀补文件失败.");
    EXPECT_TRUE(fs::exists(demo() / "ParaW.par"));  // written before the failure
    EXPECT_FALSE(fs::exists(demo() / "demo.gpr"));
    EXPECT_FALSE(m_project.hasProject());
}

TEST_F(ProjectTest, HeaderCountsThePartProgramRecords) {
    createDemo();
    const std::string gpr = (demo() / "demo.gpr").string();
    ASSERT_TRUE(m_project.writeProjectFile());
    EXPECT_EQ(programCount(ReadBytes(gpr)), 0u);

    for (const char* name : {"O0002", "O0001", "O0002"})
        m_project.tree().findOrAddProgram(name);
    ASSERT_TRUE(m_project.writeProjectFile());
    const auto parsed = ProjectFile::parse(ReadBytes(gpr));
    ASSERT_EQ(parsed.status, ProjectFile::ParseStatus::Ok);
    EXPECT_EQ(parsed.header.partProgramCount, 2u);
    ASSERT_EQ(parsed.records.size(), 7u);
    EXPECT_EQ(parsed.records[5].name, "O0002");
    EXPECT_EQ(parsed.records[6].name, "O0001");
    EXPECT_TRUE(parsed.records[6].created.empty());
}

TEST_F(ProjectTest, LoadRefusesUnsafeProgramNamesMergesDuplicatesAndKeepsRecordTexts) {
    createDemo();
    const std::string gpr = (demo() / "demo.gpr").string();
    const std::string good = ReadBytes(gpr);
    auto withPrograms = [&](const std::vector<ProjectItemRecord>& programs) {
        std::string bytes = good;
        for (const auto& record : programs)
            bytes += ProjectFile::encodeRecord(record);
        bytes[40] = static_cast<char>(programs.size());  // the header's program count
        WriteBytes(gpr, bytes);
    };
    ProjectItemRecord program;
    program.type = 103;
    program.name = "../../etc/x";
    withPrograms({program});
    // A name that would leave the folder refuses the file before the tree is touched.
    m_project.tree().findOrAddProgram("O0001");
    EXPECT_FALSE(m_project.loadProjectFile(gpr, true));
    EXPECT_EQ(texts().back(), "无效的文件名 \"../../etc/x\"!");
    ASSERT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
    EXPECT_EQ(m_project.tree().enumeratePrograms()[0].name, "O0001");

    program.number = 9;
    program.name = "O0005";
    program.textA = "A";
    program.textC = "C text";
    withPrograms({program, program});
    ASSERT_TRUE(m_project.loadProjectFile(gpr, true));
    ASSERT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
    ASSERT_TRUE(m_project.writeProjectFile());
    const auto parsed = ProjectFile::parse(ReadBytes(gpr));
    ASSERT_EQ(parsed.records.size(), 6u);
    EXPECT_EQ(parsed.records[5], program);
    EXPECT_TRUE(m_project.tree().record(ProjectTree::Entry::DataTables).has_value());
}

// Each row opens a copy of the demo project file, cut or with one byte
// changed, while the demo project is open.
TEST_F(ProjectTest, OpenRefusesForeignAndDamagedProjectFiles) {
    createDemo();
    const std::string gpr = (demo() / "demo.gpr").string();
    const std::string good = ReadBytes(gpr);
    const char* icons[] = {"None", "Information", "Question", "Warning", "Stop"};
    for (const test::Case& c : test::ReadCases("core/app/cases/refused_project_files.txt")) {
        std::string bytes = good.substr(0, c[1].empty() ? good.size() : std::stoul(c[1]));
        if (!c[2].empty()) bytes.replace(std::stoul(c[2]), 1, c[3]);
        WriteBytes(m_dir / c[0], bytes);
        ASSERT_TRUE(m_project.hasProject() || m_project.openProject(gpr) == Outcome::Opened);
        const std::size_t before = m_ui.messages().size();
        EXPECT_EQ(m_project.openProject((m_dir / c[0]).string()), Outcome::Failed) << c.where;
        ASSERT_EQ(m_ui.messages().size(), before + (c[4].empty() ? 0 : 1)) << c.where;
        if (!c[4].empty()) {
            EXPECT_EQ(m_ui.messages().back().text, c[4]) << c.where;
            EXPECT_EQ(icons[static_cast<int>(m_ui.messages().back().icon)], c[5]) << c.where;
        }
        EXPECT_EQ(m_project.hasProject() ? "open" : "closed", c[6]) << c.where;
        EXPECT_EQ(m_host.windowTitle(), m_project.hasProject() ? "KELCC - 工程:demo" : "KELCC")
            << c.where;
    }
}

TEST_F(ProjectTest, OpenOfTheOpenProjectDoesNothingAndTheRecentPathSkipsTheVersion) {
    createDemo();
    const std::string gpr = (demo() / "demo.gpr").string();
    EXPECT_EQ(m_project.openProject(gpr), Outcome::NothingDone);
    EXPECT_EQ(m_project.openProjectByPath(gpr), Outcome::NothingDone);
    EXPECT_TRUE(m_ui.messages().empty());

    std::string bytes = ReadBytes(gpr);
    bytes[27] = '2';  // "V1.0-2004" -> "V1.0-2024", refused by openProject
    WriteBytes(m_dir / "other.gpr", bytes);
    EXPECT_EQ(m_project.openProjectByPath((m_dir / "other.gpr").string()), Outcome::Opened);
    EXPECT_EQ(m_project.name(), "other");
    EXPECT_FALSE(m_project.projectOpen());  // main_other.ldx is missing

    const std::string missing = (m_dir / "gone.gpr").string();
    EXPECT_EQ(m_project.openProjectByPath(missing), Outcome::Failed);
    EXPECT_EQ(texts().back(), "路径名 " + missing + " 无效,未找到工程文件!");

    EXPECT_EQ(m_project.openProject(gpr), Outcome::Opened);
    EXPECT_TRUE(m_project.projectOpen());
    EXPECT_EQ(m_host.lastProject(), gpr);
}

TEST_F(ProjectTest, OpenAcceptsFullPathsOfAtMost255Characters) {
    createDemo();
    ASSERT_TRUE(m_project.closeProjectAsk());
    // Copies of the project whose project file path is 255 and 256 long.
    auto copyWithPathLength = [&](std::size_t length) {
        const fs::path folder = m_dir / std::string(length - m_dir.string().size() - 10, 'p');
        fs::copy(demo(), folder, fs::copy_options::recursive);
        EXPECT_EQ((folder / "demo.gpr").string().size(), length);
        return (folder / "demo.gpr").string();
    };
    const std::string longest = copyWithPathLength(255);
    const std::string tooLong = copyWithPathLength(256);
    EXPECT_EQ(m_project.openProject(tooLong), Outcome::Failed);
    EXPECT_EQ(texts().back(), "文件名过长!");
    EXPECT_FALSE(m_project.hasProject());

    EXPECT_EQ(m_project.openProject(longest), Outcome::Opened);
    EXPECT_EQ(m_project.folder(), fs::path(longest).parent_path().string());
    EXPECT_TRUE(m_project.projectOpen());
}

TEST_F(ProjectTest, SaveWritesOnlyWhenModified) {
    createDemo();
    const fs::path gpr = demo() / "demo.gpr";
    fs::remove(gpr);
    EXPECT_TRUE(m_project.saveProject());
    EXPECT_FALSE(fs::exists(gpr));

    m_project.markProjectModified();
    EXPECT_FALSE(m_project.saveProject());
    EXPECT_NE(texts().back().find("No such file"), std::string::npos);
    EXPECT_TRUE(m_project.projectModified());

    WriteBytes(gpr, "");
    m_host.setSaveSucceeds(false);
    EXPECT_FALSE(m_project.saveProject());
    EXPECT_EQ(ReadBytes(gpr), "");
    m_host.setSaveSucceeds(true);
    EXPECT_TRUE(m_project.saveProject());
    EXPECT_FALSE(m_project.projectModified());
    EXPECT_EQ(ProjectFile::parse(ReadBytes(gpr)).records.size(), 5u);
}

// The questions and their captions are checked through the window in the UI
// tests; here the project state behind the answers.
TEST_F(ProjectTest, CancelKeepsTheEditsAndNoDropsThemWithoutSaving) {
    createDemo();
    EXPECT_TRUE(m_project.confirmExit());
    EXPECT_TRUE(m_ui.messages().empty());
    m_project.markProjectModified();
    fs::remove(demo() / "demo.gpr");
    m_ui.script({Answer::Cancel, Answer::No, Answer::No});
    EXPECT_FALSE(m_project.confirmExit());
    EXPECT_TRUE(m_project.projectModified());
    EXPECT_TRUE(m_project.confirmExit());
    EXPECT_TRUE(m_project.saveProject());  // nothing left to save

    m_project.markProjectModified();
    EXPECT_TRUE(m_project.closeProjectAsk());
    EXPECT_FALSE(m_project.hasProject());
    EXPECT_FALSE(m_project.projectModified());
    EXPECT_FALSE(m_host.projectMenu());
    EXPECT_EQ(m_host.windowTitle(), "KELCC");
    EXPECT_FALSE(fs::exists(demo() / "demo.gpr"));
}

TEST_F(ProjectTest, SaveAsCopiesTheFilesUnderTheNewName) {
    createDemo();
    m_project.tree().findOrAddProgram("O0001");
    WriteBytes(demo() / "O0001.cnc", "O0001\r\nG00\r\n");
    fs::remove(demo() / "main_demo.ldx.bin");
    ASSERT_TRUE(m_project.saveProjectAs(answers({{"copy", m_dir.string()}})));
    const fs::path copy = m_dir / "copy";
    EXPECT_EQ(ReadBytes(copy / "main_copy.ldx"), ReadBytes(demo() / "main_demo.ldx"));
    EXPECT_EQ(ReadBytes(copy / "O0001.cnc"), "O0001\r\nG00\r\n");
    EXPECT_FALSE(fs::exists(copy / "main_copy.ldx.bin"));  // missing source skipped
    EXPECT_EQ(programCount(ReadBytes(copy / "copy.gpr")), 1u);
    EXPECT_EQ(m_project.tree().rootText(), "工程 - copy");
    EXPECT_EQ(m_host.recentFiles().back(), (copy / "copy.gpr").string());
}

TEST_F(ProjectTest, AdoptTakesTheStagedFilesByName) {
    createDemo();
    fs::create_directory(m_staging);
    WriteBytes(demo() / "O0001.cnc", "old");
    WriteBytes(m_staging / "Tcomp.cmp", "tools");
    WriteBytes(m_staging / "ParaB.par", "bits");
    WriteBytes(m_staging / "notes", "other");
    WriteBytes(m_staging / "O0001.cnc", "new one");
    WriteBytes(m_staging / "O0002.CNC", "second");
    fs::create_directory(m_staging / "sub");
    m_host.openDocument((demo() / "Tcomp.cmp").string(), ProjectItemType::ToolOffsets);
    m_ui.script({Answer::Cancel});
    ASSERT_TRUE(m_project.adoptStagedFiles(m_staging.string(), true));
    EXPECT_EQ(texts(), std::vector<std::string>{"工程文件夹中已存在文件 O0001.cnc ,覆盖该文件吗?"});
    EXPECT_EQ(ReadBytes(demo() / "O0001.cnc"), "old");
    EXPECT_EQ(ReadBytes(demo() / "O0002.cnc"), "second");
    EXPECT_EQ(ReadBytes(demo() / "Tcomp.cmp"), "tools");
    EXPECT_EQ(ReadBytes(demo() / "ParaB.par"), "bits");
    EXPECT_EQ(ReadBytes(demo() / "notes"), "other");
    EXPECT_FALSE(fs::exists(m_staging));
    ASSERT_EQ(m_host.reloaded().size(), 1u);
    EXPECT_EQ(m_host.reloaded()[0].second, ProjectItemType::ToolOffsets);
    // O0001 was declined and is not listed; O0002 is.
    ASSERT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
    EXPECT_EQ(programCount(ReadBytes(demo() / "demo.gpr")), 1u);
}

TEST_F(ProjectTest, AdoptedFilesNeverLeaveTheProjectFolder) {
    createDemo();
    fs::create_directory(m_staging);
    const fs::path outside = m_dir / "outside";
    fs::create_directory(outside);
    WriteBytes(outside / "secret", "keep");
    fs::create_directory_symlink(outside, m_staging / "link");
    fs::create_symlink(outside / "secret", m_staging / "Wcomp.wmp");
    WriteBytes(m_staging / "a\\b.cnc", "x");
    // A link in the project folder is replaced, not written through.
    fs::create_symlink(outside / "secret", demo() / "extra");
    WriteBytes(m_staging / "extra", "replaced");
    ASSERT_TRUE(m_project.adoptStagedFiles(m_staging.string(), true));
    EXPECT_EQ(texts(), std::vector<std::string>{"无效的文件名 \"a\\b.cnc\"!"});
    EXPECT_EQ(ReadBytes(outside / "secret"), "keep");
    EXPECT_EQ(ReadBytes(demo() / "Wcomp.wmp"), std::string("\3\4\5\6", 4));
    EXPECT_EQ(ReadBytes(demo() / "extra"), "replaced");
    EXPECT_FALSE(fs::exists(m_staging));
    EXPECT_TRUE(m_project.tree().enumeratePrograms().empty());
}

TEST_F(ProjectTest, ImportIntoTheOpenProjectReplacesTheLadder) {
    createDemo();
    fs::create_directory(m_staging);
    const fs::path source = m_dir / "ladder.LDX";
    WriteBytes(source, "PLC VER1.0\r\n");
    m_host.openDocument(m_project.plcProgramPath(), ProjectItemType::PlcProgram);
    m_host.setReloadSucceeds(false);
    WriteBytes(m_staging / "stale.cnc", "from an earlier run");
    Project::ImportRequest request{true, source.string(), m_staging.string()};
    m_ui.script({Answer::Cancel, Answer::Ok});
    EXPECT_FALSE(m_project.importPlcProgram(request, {}));
    EXPECT_EQ(ReadBytes(m_project.plcProgramPath()), plc::ProgramFile::newProjectFile());
    EXPECT_TRUE(m_project.importPlcProgram(request, {}));
    EXPECT_EQ(ReadBytes(m_project.plcProgramPath()), "PLC VER1.0\r\n");
    EXPECT_EQ(texts(), (std::vector<std::string>{"将覆盖当前工程中的梯形图程序,确定要继续吗?",
                                                 "将覆盖当前工程中的梯形图程序,确定要继续吗?",
                                                 "PLC程序文件数据不完整或已破坏!"}));
    EXPECT_FALSE(fs::exists(demo() / "stale.cnc"));
    EXPECT_FALSE(fs::exists(m_staging));
}

TEST_F(ProjectTest, OpenProjectItemSeedsMissingFiles) {
    createDemo();
    fs::remove(demo() / "ParaW.par");
    const std::string paraB = (demo() / "ParaB.par").string();
    ASSERT_TRUE(m_project.openProjectItem(paraB, ProjectItemType::Parameters, true));
    EXPECT_EQ(ReadBytes(demo() / "ParaW.par"), std::string("\3\4\5\6", 4));
    ASSERT_TRUE(m_project.openProjectItem((demo() / "O0042.cnc").string(),
                                          ProjectItemType::PartProgram, false));
    EXPECT_EQ(ReadBytes(demo() / "O0042.cnc"), "O0042\r\n");
    ASSERT_TRUE(m_project.openProjectItem(m_project.plcProgramPath(),
                                          ProjectItemType::PlcInformation, false));
    EXPECT_EQ(ReadBytes(m_project.plcProgramPath()),
              "PLC VER1.0\r\nPLC_ORGANIZATION\r\nTOTALSTEPS\t2\r\n0000    END1\r\n"
              "0001    END2\r\nEND_PLC_ORGANIZATION\r\n");
    EXPECT_EQ(m_host.opened().back().second, ProjectItemType::PlcInformation);
}

// The tree's rule is the name edit's rule (tested with ProgramName); what
// matters here is that a refused name never becomes a path.
TEST(TreeProgramNameTest, PadsValidNamesAndRefusesPaths) {
    EXPECT_EQ(ProjectFileNames::programName("O7"), "O0007");
    EXPECT_EQ(ProjectFileNames::programName("O000012"), "O0012");
    EXPECT_FALSE(ProjectFileNames::programName("O999999999"));
    EXPECT_FALSE(ProjectFileNames::programName("O1/.."));
}

TEST_F(ProjectTest, NewProgramChecksTheNameAndAsksBeforeReplacing) {
    createDemo();
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"", "P1", "O7"})));
    ASSERT_EQ(m_ui.messages().size(), 2u);  // texts: ProgramNameTest
    const fs::path file = demo() / "O0007.cnc";
    EXPECT_EQ(ReadBytes(file), "O0007\r\n");
    EXPECT_EQ(m_host.opened().back(), std::make_pair(file.string(), ProjectItemType::PartProgram));
    EXPECT_EQ(programCount(ReadBytes(demo() / "demo.gpr")), 1u);

    WriteBytes(file, "edited");
    // The question itself is checked through the dialog in the UI tests.
    m_ui.script({Answer::Cancel, Answer::Ok});
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"O7", "O0007"})));
    EXPECT_EQ(ReadBytes(file), "O0007\r\n");
    EXPECT_FALSE(m_host.isDocumentOpen(file.string()));  // closed, not reopened
    EXPECT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
}

// Importing (the preset, the copied lines, the questions) is the golden
// corpus' project/add_program_* cases.
TEST_F(ProjectTest, DeleteProgramRemovesTheEntryAndOptionallyTheFile) {
    createDemo();
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"O1"})));
    ASSERT_TRUE(PartProgramCommands::newProgram(m_project, typing({"O2"})));
    EXPECT_EQ(programCount(ReadBytes(demo() / "demo.gpr")), 2u);
    ASSERT_TRUE(PartProgramCommands::deleteProgram(m_project, "O0001", false));
    EXPECT_TRUE(fs::exists(demo() / "O0001.cnc"));
    ASSERT_TRUE(PartProgramCommands::deleteProgram(m_project, "O0002", true));
    EXPECT_FALSE(fs::exists(demo() / "O0002.cnc"));
    EXPECT_EQ(programCount(ReadBytes(demo() / "demo.gpr")), 0u);
    EXPECT_FALSE(PartProgramCommands::deleteProgram(m_project, "O0002", true));
}

TEST_F(ProjectTest, RemoveDirectoryTreeStaysInsideTheTree) {
    const fs::path outside = m_dir / "outside";
    fs::create_directories(outside / "deep");
    WriteBytes(outside / "deep" / "file", "keep");
    const fs::path tree = m_dir / "tree";
    fs::create_directories(tree / "a" / "b");
    WriteBytes(tree / "a" / "b" / "f", "x");
    fs::permissions(tree / "a" / "b", fs::perms::owner_read | fs::perms::owner_exec);
    fs::create_directory_symlink(outside, tree / "a" / "link");
    fs::create_symlink(outside / "deep" / "file", tree / "filelink");
    EXPECT_FALSE(DirectoryTree::remove("/tm"));
    EXPECT_FALSE(DirectoryTree::remove((m_dir / "nothing").string()));
    EXPECT_TRUE(DirectoryTree::remove(tree.string()));
    EXPECT_FALSE(fs::exists(tree));
    EXPECT_EQ(ReadBytes(outside / "deep" / "file"), "keep");
}

}  // namespace
}  // namespace kelcc::core::app
