#include "app/project.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../common/temp_folder.h"
#include "app/directory_tree.h"
#include "app/project_file.h"
#include "common/atomic_file.h"
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

std::string readAll(const fs::path& path) {
    std::string bytes;
    EXPECT_TRUE(common::AtomicFile::read(path.string(), bytes).ok) << path;
    return bytes;
}

void writeAll(const fs::path& path, const std::string& bytes) {
    ASSERT_TRUE(common::AtomicFile::write(path.string(), bytes).ok) << path;
}

std::uint32_t programCount(const std::string& gpr) {
    return ProjectFile::parse(gpr).header.partProgramCount;
}

class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override { m_host.setAutoOpen(false); }

    // Answers the dialog once, then cancels it.
    LocationDialog answers(std::vector<ProjectLocation> list) {
        auto shared = std::make_shared<std::vector<ProjectLocation>>(std::move(list));
        return [shared]() -> std::optional<ProjectLocation> {
            if (shared->empty()) return std::nullopt;
            ProjectLocation next = shared->front();
            shared->erase(shared->begin());
            return next;
        };
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
    RecordingInteraction m_ui;
    HeadlessProjectHost m_host;
    Project m_project{m_ui, m_host};
};

TEST_F(ProjectTest, NewProjectWritesTheDefaultFilesAndOpens) {
    m_host.setAutoOpen(true);
    ASSERT_TRUE(m_project.newProject(answers({{"demo", m_dir.string()}})));
    EXPECT_TRUE(m_ui.messages().empty());
    EXPECT_EQ(readAll(demo() / "main_demo.ldx"), plc::ProgramFile::newProjectFile());
    {
        // The image is the one a save of the opened program writes, so a new
        // project can be sent at once.
        plc::SimpleProjectState state;
        plc::PlcDocument doc(state);
        ASSERT_TRUE(
            compiler::PlcDocumentFile::open(doc, (demo() / "main_demo.ldx").string(), m_ui));
        EXPECT_EQ(readAll(demo() / "main_demo.ldx.bin"), plc::LadderImage::build(doc.grid()));
    }
    for (const char* name : {"ParaB.par", "ParaW.par", "Tcomp.cmp", "Wcomp.wmp"})
        EXPECT_EQ(readAll(demo() / name), std::string("\3\4\5\6", 4)) << name;
    const auto parsed = ProjectFile::parse(readAll(demo() / "demo.gpr"));
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
    writeAll(demo() / "keep.txt", "mine");
    m_ui.script({Answer::No, Answer::Yes});
    EXPECT_FALSE(m_project.newProject(answers({{"demo", m_dir.string()}})));
    EXPECT_EQ(texts().back(), "文件夹已存在,覆盖该文件夹吗?");
    EXPECT_FALSE(fs::exists(demo() / "demo.gpr"));
    EXPECT_TRUE(m_project.newProject(answers({{"demo", m_dir.string()}})));
    EXPECT_TRUE(fs::exists(demo() / "demo.gpr"));
    EXPECT_EQ(readAll(demo() / "keep.txt"), "mine");
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
    EXPECT_EQ(readAll(gpr).size(), 52u + 84 * 5 + 6 + 7 + 8 + 8 + 8);  // GBK item names
    EXPECT_EQ(programCount(readAll(gpr)), 0u);

    for (const char* name : {"O0002", "O0001", "O0002"})
        m_project.tree().findOrAddProgram(name);
    ASSERT_TRUE(m_project.writeProjectFile());
    const auto parsed = ProjectFile::parse(readAll(gpr));
    ASSERT_EQ(parsed.status, ProjectFile::ParseStatus::Ok);
    EXPECT_EQ(parsed.header.partProgramCount, 2u);
    ASSERT_EQ(parsed.records.size(), 7u);
    EXPECT_EQ(parsed.records[5].name, "O0002");
    EXPECT_EQ(parsed.records[6].name, "O0001");
    EXPECT_TRUE(parsed.records[6].created.empty());
}

TEST_F(ProjectTest, LoadKeepsRecordTextsAndMergesDuplicateNames) {
    createDemo();
    std::string gpr = readAll(demo() / "demo.gpr");
    ProjectItemRecord program;
    program.type = 103;
    program.number = 9;
    program.name = "O0005";
    program.textA = "A";
    program.textC = "C text";
    gpr += ProjectFile::encodeRecord(program) + ProjectFile::encodeRecord(program);
    gpr.replace(40, 1, "\2");
    writeAll(demo() / "demo.gpr", gpr);
    ASSERT_TRUE(m_project.loadProjectFile((demo() / "demo.gpr").string(), true));
    ASSERT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
    ASSERT_TRUE(m_project.writeProjectFile());
    const auto parsed = ProjectFile::parse(readAll(demo() / "demo.gpr"));
    ASSERT_EQ(parsed.records.size(), 6u);
    EXPECT_EQ(parsed.records[5], program);
    EXPECT_TRUE(m_project.tree().record(ProjectTree::Entry::DataTables).has_value());
}

TEST_F(ProjectTest, LoadRefusesBadFiles) {
    createDemo();
    const std::string gpr = (demo() / "demo.gpr").string();
    const std::string good = readAll(gpr);
    writeAll(gpr, good.substr(0, 51));
    EXPECT_FALSE(m_project.loadProjectFile(gpr, true));
    EXPECT_EQ(texts().back(), "文件打开失败!");
    EXPECT_EQ(m_ui.messages().back().icon, common::MessageIcon::Stop);

    const std::size_t before = m_ui.messages().size();
    std::string noPlc = good;
    noPlc.replace(36, 1, "\0", 1);
    writeAll(gpr, noPlc);
    EXPECT_FALSE(m_project.loadProjectFile(gpr, true));
    EXPECT_EQ(m_ui.messages().size(), before);

    // A program name that would leave the folder refuses the file.
    m_project.tree().findOrAddProgram("O0001");
    ProjectItemRecord evil;
    evil.type = 103;
    evil.name = "../../etc/x";
    std::string withEvil = good + ProjectFile::encodeRecord(evil);
    withEvil.replace(40, 1, "\1");
    writeAll(gpr, withEvil);
    EXPECT_FALSE(m_project.loadProjectFile(gpr, true));
    EXPECT_EQ(texts().back(), "无效的文件名 \"../../etc/x\"!");
    ASSERT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
    EXPECT_EQ(m_project.tree().enumeratePrograms()[0].name, "O0001");
}

TEST_F(ProjectTest, OpenChecksExtensionVersionAndTheOpenProject) {
    createDemo();
    const std::string gpr = (demo() / "demo.gpr").string();
    EXPECT_EQ(m_project.openProject(gpr), Outcome::NothingDone);
    EXPECT_EQ(m_project.openProjectByPath(gpr), Outcome::NothingDone);
    EXPECT_TRUE(m_ui.messages().empty());

    ASSERT_TRUE(m_project.closeProjectAsk());
    fs::copy_file(gpr, demo() / "upper.GPR");
    EXPECT_EQ(m_project.openProject((demo() / "upper.GPR").string()), Outcome::Failed);
    EXPECT_EQ(texts().back(), "文件扩展名错误!");

    std::string bytes = readAll(gpr);
    bytes[27] = '2';  // "V1.0-2004" -> "V1.0-2024"
    writeAll(m_dir / "other.gpr", bytes);
    EXPECT_EQ(m_project.openProject((m_dir / "other.gpr").string()), Outcome::Failed);
    EXPECT_EQ(texts().back(), "不支持的文件版本!");
    // The path of the recent-files list does not compare the version.
    EXPECT_EQ(m_project.openProjectByPath((m_dir / "other.gpr").string()), Outcome::Opened);
    EXPECT_EQ(m_project.name(), "other");
    EXPECT_FALSE(m_project.projectOpen());  // main_other.ldx is missing

    fs::create_directory(m_dir / "g");
    writeAll(m_dir / "g" / "garbage.gpr", std::string("Kel CncSetupdesk-\0\0\0V1.0-2004", 29));
    EXPECT_EQ(m_project.openProject((m_dir / "g" / "garbage.gpr").string()), Outcome::Failed);
    EXPECT_EQ(texts().back(), "文件打开失败!");
    EXPECT_FALSE(m_project.hasProject());
    EXPECT_EQ(m_host.windowTitle(), "KELCC");

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

TEST_F(ProjectTest, OpenReadsThePlcInformation) {
    createDemo();
    std::string ldx = plc::ProgramFile::newProjectFile();
    ldx.replace(ldx.find("TOTALTIPS\t4\r\n") + 13, 0, "designer\r\nBEEF\r\nv2\r\nnote");
    writeAll(demo() / "main_demo.ldx", ldx);
    ASSERT_TRUE(m_project.closeProjectAsk());
    EXPECT_EQ(m_project.plcInfo(0), "");
    ASSERT_EQ(m_project.openProjectByPath((demo() / "demo.gpr").string()), Outcome::Opened);
    EXPECT_EQ(m_project.plcInfo(0), "designer");
    EXPECT_EQ(m_project.plcInfo(1), "v2");
    EXPECT_EQ(m_project.plcInfo(2), "note");
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

    writeAll(gpr, "");
    m_host.setSaveSucceeds(false);
    EXPECT_FALSE(m_project.saveProject());
    EXPECT_EQ(readAll(gpr), "");
    m_host.setSaveSucceeds(true);
    EXPECT_TRUE(m_project.saveProject());
    EXPECT_FALSE(m_project.projectModified());
    EXPECT_EQ(ProjectFile::parse(readAll(gpr)).records.size(), 5u);
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
    writeAll(demo() / "O0001.cnc", "O0001\r\nG00\r\n");
    fs::remove(demo() / "main_demo.ldx.bin");
    ASSERT_TRUE(m_project.saveProjectAs(answers({{"copy", m_dir.string()}})));
    const fs::path copy = m_dir / "copy";
    EXPECT_EQ(readAll(copy / "main_copy.ldx"), readAll(demo() / "main_demo.ldx"));
    EXPECT_EQ(readAll(copy / "O0001.cnc"), "O0001\r\nG00\r\n");
    EXPECT_FALSE(fs::exists(copy / "main_copy.ldx.bin"));  // missing source skipped
    EXPECT_EQ(programCount(readAll(copy / "copy.gpr")), 1u);
    EXPECT_EQ(m_project.tree().rootText(), "工程 - copy");
    EXPECT_EQ(m_host.recentFiles().back(), (copy / "copy.gpr").string());
}

class AdoptTest : public ProjectTest {
protected:
    void SetUp() override {
        ProjectTest::SetUp();
        createDemo();
        m_staging = m_dir / "staging";
        fs::create_directory(m_staging);
    }
    fs::path m_staging;
};

TEST_F(AdoptTest, FilesAreTakenByName) {
    writeAll(demo() / "O0001.cnc", "old");
    writeAll(m_staging / "Tcomp.cmp", "tools");
    writeAll(m_staging / "ParaB.par", "bits");
    writeAll(m_staging / "notes", "other");
    writeAll(m_staging / "O0001.cnc", "new one");
    writeAll(m_staging / "O0002.CNC", "second");
    fs::create_directory(m_staging / "sub");
    m_host.openDocument((demo() / "Tcomp.cmp").string(), ProjectItemType::ToolOffsets);
    m_ui.script({Answer::Cancel});
    ASSERT_TRUE(m_project.adoptStagedFiles(m_staging.string(), true));
    EXPECT_EQ(texts(), std::vector<std::string>{"工程文件夹中已存在文件 O0001.cnc ,覆盖该文件吗?"});
    EXPECT_EQ(readAll(demo() / "O0001.cnc"), "old");
    EXPECT_EQ(readAll(demo() / "O0002.cnc"), "second");
    EXPECT_EQ(readAll(demo() / "Tcomp.cmp"), "tools");
    EXPECT_EQ(readAll(demo() / "ParaB.par"), "bits");
    EXPECT_EQ(readAll(demo() / "notes"), "other");
    EXPECT_FALSE(fs::exists(m_staging));
    ASSERT_EQ(m_host.reloaded().size(), 1u);
    EXPECT_EQ(m_host.reloaded()[0].second, ProjectItemType::ToolOffsets);
    // O0001 was declined and is not listed; O0002 is.
    ASSERT_EQ(m_project.tree().enumeratePrograms().size(), 1u);
    EXPECT_EQ(programCount(readAll(demo() / "demo.gpr")), 1u);
}

TEST_F(AdoptTest, NothingLeavesTheProjectFolder) {
    const fs::path outside = m_dir / "outside";
    fs::create_directory(outside);
    writeAll(outside / "secret", "keep");
    fs::create_directory_symlink(outside, m_staging / "link");
    fs::create_symlink(outside / "secret", m_staging / "Wcomp.wmp");
    writeAll(m_staging / "a\\b.cnc", "x");
    // A link in the project folder is replaced, not written through.
    fs::create_symlink(outside / "secret", demo() / "extra");
    writeAll(m_staging / "extra", "replaced");
    ASSERT_TRUE(m_project.adoptStagedFiles(m_staging.string(), true));
    EXPECT_EQ(texts(), std::vector<std::string>{"无效的文件名 \"a\\b.cnc\"!"});
    EXPECT_EQ(readAll(outside / "secret"), "keep");
    EXPECT_EQ(readAll(demo() / "Wcomp.wmp"), std::string("\3\4\5\6", 4));
    EXPECT_EQ(readAll(demo() / "extra"), "replaced");
    EXPECT_FALSE(fs::exists(m_staging));
    EXPECT_TRUE(m_project.tree().enumeratePrograms().empty());
}

TEST_F(AdoptTest, ImportIntoTheOpenProjectReplacesTheLadder) {
    const fs::path source = m_dir / "ladder.LDX";
    writeAll(source, "PLC VER1.0\r\n");
    m_host.openDocument(m_project.plcProgramPath(), ProjectItemType::PlcProgram);
    m_host.setReloadSucceeds(false);
    writeAll(m_staging / "stale.cnc", "from an earlier run");
    Project::ImportRequest request{true, source.string(), m_staging.string()};
    m_ui.script({Answer::Cancel, Answer::Ok});
    EXPECT_FALSE(m_project.importPlcProgram(request, {}));
    EXPECT_EQ(readAll(m_project.plcProgramPath()), plc::ProgramFile::newProjectFile());
    EXPECT_TRUE(m_project.importPlcProgram(request, {}));
    EXPECT_EQ(readAll(m_project.plcProgramPath()), "PLC VER1.0\r\n");
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
    EXPECT_EQ(readAll(demo() / "ParaW.par"), std::string("\3\4\5\6", 4));
    ASSERT_TRUE(m_project.openProjectItem((demo() / "O0042.cnc").string(),
                                          ProjectItemType::PartProgram, false));
    EXPECT_EQ(readAll(demo() / "O0042.cnc"), "O0042\r\n");
    ASSERT_TRUE(m_project.openProjectItem(m_project.plcProgramPath(),
                                          ProjectItemType::PlcInformation, false));
    EXPECT_EQ(readAll(m_project.plcProgramPath()),
              "PLC VER1.0\r\nPLC_ORGANIZATION\r\nTOTALSTEPS\t2\r\n0000    END1\r\n"
              "0001    END2\r\nEND_PLC_ORGANIZATION\r\n");
    EXPECT_EQ(m_host.opened().back().second, ProjectItemType::PlcInformation);
}

TEST_F(ProjectTest, RemoveDirectoryTreeStaysInsideTheTree) {
    const fs::path outside = m_dir / "outside";
    fs::create_directories(outside / "deep");
    writeAll(outside / "deep" / "file", "keep");
    const fs::path tree = m_dir / "tree";
    fs::create_directories(tree / "a" / "b");
    writeAll(tree / "a" / "b" / "f", "x");
    fs::permissions(tree / "a" / "b", fs::perms::owner_read | fs::perms::owner_exec);
    fs::create_directory_symlink(outside, tree / "a" / "link");
    fs::create_symlink(outside / "deep" / "file", tree / "filelink");
    EXPECT_FALSE(DirectoryTree::remove("/tm"));
    EXPECT_FALSE(DirectoryTree::remove((m_dir / "nothing").string()));
    EXPECT_TRUE(DirectoryTree::remove(tree.string()));
    EXPECT_FALSE(fs::exists(tree));
    EXPECT_EQ(readAll(outside / "deep" / "file"), "keep");
}

}  // namespace
}  // namespace kelcc::core::app
