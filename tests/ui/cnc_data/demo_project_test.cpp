#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>

#include "app/project.h"
#include "cnc_data/parameter_document.h"
#include "cnc_data/part_program_image.h"
#include "cnc_data/pitch_compensation_document.h"
#include "cnc_data/tool_offset_document.h"
#include "compiler/compile_command.h"
#include "compiler/plc_document_file.h"
#include "plc/plc_document.h"

namespace kelcc::core {
namespace {

namespace fs = std::filesystem;

// The sample project that ./run.sh --demo opens: it must open as a project,
// its PLC program must compile cleanly and its CNC files must read.
TEST(DemoProject, OpensAndItsPlcProgramCompilesWithoutErrors) {
    QTemporaryDir dir;
    const fs::path folder = fs::path(dir.path().toStdString()) / "LatheDemo";
    fs::copy(KELCC_DEMO_DIR, folder);  // opening must not touch the bundled copy

    common::RecordingInteraction ui;
    app::HeadlessProjectHost host;
    app::Project project(ui, host);
    ASSERT_EQ(project.openProjectByPath((folder / "LatheDemo.gpr").string()),
              app::Project::OpenOutcome::Opened);
    EXPECT_TRUE(project.projectOpen());
    std::vector<std::string> programs;
    for (const auto& p : project.tree().enumeratePrograms())
        programs.push_back(p.name);
    EXPECT_EQ(programs, (std::vector<std::string>{"O0001", "O0002"}));
    // The controller would take both part programs.
    for (const std::string& name : programs) {
        const auto prepared = cnc_data::PartProgramImage::PrepareProgram(
            (folder / (name + ".cnc")).string(), name + ".cnc");
        EXPECT_EQ(prepared.result, cnc_data::PartProgramImage::Result::Ok) << name;
    }
    EXPECT_FALSE(project.plcInfo(0).empty());

    plc::PlcDocument doc(project);
    ASSERT_TRUE(compiler::PlcDocumentFile::open(doc, project.plcProgramPath(), ui));
    EXPECT_GE(doc.stepCount(), 40);
    EXPECT_LE(doc.stepCount(), 120);
    EXPECT_FALSE(doc.alarms().empty());
    const auto outcome =
        compiler::CompileCommand::run(doc, project.name(), common::Language::Chinese, ui);
    ASSERT_TRUE(outcome.success);
    ASSERT_FALSE(outcome.lines.empty());
    EXPECT_EQ(outcome.lines.back(), "编译成功 : 0 错误, 0 警告.");
    EXPECT_TRUE(ui.messages().empty());

    cnc_data::ParameterDocument parameters;
    EXPECT_TRUE(parameters.open(project.folder(), ui));
    cnc_data::ToolOffsetDocument offsets;
    EXPECT_TRUE(offsets.open((folder / "Tcomp.cmp").string()).ok);
    EXPECT_FALSE(offsets.entry(1).empty());
    cnc_data::PitchCompensationDocument pitch;
    EXPECT_TRUE(pitch.open((folder / "Wcomp.wmp").string()).ok);
}

}  // namespace
}  // namespace kelcc::core
