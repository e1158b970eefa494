// The CNC data windows on the demo project: opening the parameter, tool
// offset and pitch compensation windows until painted, and switching
// between groups of the by-function tree. With --screenshots DIR
// [--english QM_DIR] it saves pictures of the windows instead.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QTableWidget>
#include <QTranslator>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/project.h"
#include "app/project_host.h"
#include "app/workbench.h"
#include "cnc_data/cnc_table_window.h"
#include "cnc_data/function_pane.h"
#include "cnc_data/parameter_window.h"
#include "common/interaction.h"

namespace {

using namespace kelcc;
namespace fs = std::filesystem;
using core::app::ProjectItemType;

class BenchWorkbench final : public ui::Workbench {
public:
    explicit BenchWorkbench(int language = 0)
        : m_project(m_interaction, m_host), m_language(language) {}
    core::app::Project& project() override { return m_project; }
    core::common::Interaction& interaction() override { return m_interaction; }
    int language() const override { return m_language; }
    void clearOutput() override {}
    void appendOutput(const QString&) override {}
    void showOutput() override {}
    void setOutputTitle(const QString&) override {}
    void refreshProjectTree() override {}
    QWidget* dialogParent() override { return nullptr; }

private:
    core::common::RecordingInteraction m_interaction;
    core::app::HeadlessProjectHost m_host;
    core::app::Project m_project;
    int m_language;
};

const fs::path kDemo = KELCC_BENCH_DEMO_DIR;

struct Fixture {
    QImage image{1280, 800, QImage::Format_ARGB32_Premultiplied};
    void paint(QWidget& widget) {
        image.fill(Qt::white);
        widget.render(&image);
    }
};

void BM_OpenParameterWindow(benchmark::State& state) {
    BenchWorkbench workbench;
    Fixture f;
    const std::string path = (kDemo / "ParaB.par").string();
    for (auto _ : state) {
        ui::ParameterWindow window(workbench, path);
        if (!window.load()) {
            state.SkipWithError("the demo parameters did not open");
            return;
        }
        window.resize(f.image.size());
        f.paint(window);
    }
}
BENCHMARK(BM_OpenParameterWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_OpenTableWindow(benchmark::State& state) {
    BenchWorkbench workbench;
    Fixture f;
    const auto type = static_cast<ProjectItemType>(state.range(0));
    const std::string path =
        (kDemo / (type == ProjectItemType::ToolOffsets ? "Tcomp.cmp" : "Wcomp.wmp")).string();
    for (auto _ : state) {
        ui::CncTableWindow window(workbench, path, type);
        if (!window.load()) {
            state.SkipWithError("the demo table did not open");
            return;
        }
        window.resize(f.image.size());
        f.paint(window);
    }
}
BENCHMARK(BM_OpenTableWindow)
    ->Arg(static_cast<int>(ProjectItemType::ToolOffsets))
    ->Arg(static_cast<int>(ProjectItemType::PitchCompensation))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

void BM_SwitchGroup(benchmark::State& state) {
    BenchWorkbench workbench;
    Fixture f;
    ui::ParameterWindow window(workbench, (kDemo / "ParaB.par").string());
    if (!window.load()) {
        state.SkipWithError("the demo parameters did not open");
        return;
    }
    window.resize(f.image.size());
    ui::FunctionPane* pane = window.functionPane();
    QTreeWidgetItem* top = pane->tree()->topLevelItem(0);
    int group = 0;
    for (auto _ : state) {
        pane->tree()->setCurrentItem(top->child(group));
        group = (group + 1) % top->childCount();
        f.paint(*pane);
    }
}
BENCHMARK(BM_SwitchGroup)->Unit(benchmark::kMillisecond)->MinTime(1.0);

int screenshots(const QString& folder, int language) {
    const fs::path project = fs::path(folder.toStdString()) / "LatheDemo";
    fs::remove_all(project);
    fs::copy(kDemo, project);
    BenchWorkbench workbench(language);
    const auto save = [&](QWidget& widget, const char* name) {
        widget.show();
        QApplication::processEvents();
        widget.grab().save(folder + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    };
    ui::ParameterWindow params(workbench, (project / "ParaB.par").string());
    if (!params.load()) return 1;
    params.resize(1600, 800);
    ui::FunctionPane* pane = params.functionPane();
    params.selectNumber(5);
    save(params, "parameters_by_function");
    pane->setRoot(ui::FunctionPane::Root::ByNumber);
    params.selectNumber(44);
    save(params, "parameters_by_number");
    for (const auto type : {ProjectItemType::ToolOffsets, ProjectItemType::PitchCompensation}) {
        const bool tools = type == ProjectItemType::ToolOffsets;
        ui::CncTableWindow window(workbench,
                                  (project / (tools ? "Tcomp.cmp" : "Wcomp.wmp")).string(), type);
        if (!window.load()) return 1;
        window.resize(600, 500);
        save(window, tools ? "tool_offsets" : "pitch_compensation");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype shots = args.indexOf(QStringLiteral("--screenshots"));
    if (shots > 0 && shots + 1 < args.size()) {
        QTranslator english;
        const qsizetype translation = args.indexOf(QStringLiteral("--english"));
        if (translation > 0 && translation + 1 < args.size()) {
            if (!english.load(QStringLiteral("KELCC_ResENU"), args[translation + 1])) return 2;
            QCoreApplication::installTranslator(&english);
        }
        return screenshots(args[shots + 1], translation > 0 ? 1 : 0);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
