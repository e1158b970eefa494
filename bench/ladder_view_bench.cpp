// The ladder view with a program of about 5000 steps: painting one
// 1920x1080 screen in the middle of the program, and a compile (with its
// rebuild of the ladder) followed by a repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/project.h"
#include "app/project_host.h"
#include "app/workbench.h"
#include "common/interaction.h"
#include "compiler/il_check.h"
#include "compiler/ladder_rebuild.h"
#include "full_program.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/ladder_dialogs.h"
#include "ladder_editor/ladder_view.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace {

using namespace kelcc;
using kelcc::bench::fullProgramFile;

// Enough of a main window for the view: no output pane, no dialogs.
class BenchWorkbench final : public ui::Workbench {
public:
    BenchWorkbench() : m_project(m_interaction, m_host) {}
    core::app::Project& project() override { return m_project; }
    core::common::Interaction& interaction() override { return m_interaction; }
    int language() const override { return 0; }
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
};

bool openDocument(core::plc::PlcDocument& doc) {
    core::common::RecordingInteraction ui;
    if (core::plc::ProgramFile::read(fullProgramFile(), doc, ui) != 0) return false;
    // A comment every few rows, as a documented program has.
    for (int row = 1; row <= 5000; row += 3)
        doc.loadRowComment(row, "\xd6\xf7\xd6\xe1 ON");
    if (!core::compiler::IlCheck::checkAndDivide(doc).ok()) return false;
    return core::compiler::LadderRebuild::rebuild(doc, doc.networkSteps()).ok();
}

// The view over the program, sized to a full-HD screen and scrolled to the
// middle of the ladder.
struct Fixture {
    BenchWorkbench workbench;
    core::plc::SimpleProjectState project;
    core::plc::PlcDocument doc{project};
    core::ladder_editor::CopyBuffer buffer;
    ui::LadderDialogs dialogs;
    std::unique_ptr<ui::LadderView> view;
    QImage image{1920, 1080, QImage::Format_ARGB32_Premultiplied};

    bool ready() {
        if (!openDocument(doc)) return false;
        view = std::make_unique<ui::LadderView>(workbench, doc, buffer, dialogs);
        view->resize(1920 + 20, 1080 + 20);
        view->documentReplaced();
        view->moveCursorTo(doc.lastUsedRow() / 2, 1);
        return true;
    }
    void paint() {
        image.fill(Qt::white);
        QPainter painter(&image);
        view->paintLadder(painter, image.rect());
    }
};

void BM_PaintOneScreen(benchmark::State& state) {
    Fixture f;
    if (!f.ready()) {
        state.SkipWithError("the program did not open");
        return;
    }
    for (auto _ : state)
        f.paint();
    state.counters["rows"] = f.doc.lastUsedRow();
    state.counters["steps"] = static_cast<double>(f.doc.il().size());
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CompileAndRepaint(benchmark::State& state) {
    Fixture f;
    if (!f.ready()) {
        state.SkipWithError("the program did not open");
        return;
    }
    bool ok = true;
    QObject::connect(f.view.get(), &ui::LadderView::compiled,
                     [&ok](bool success) { ok = success; });
    for (auto _ : state) {
        f.view->compile();
        if (!ok) {
            state.SkipWithError("the program did not compile");
            break;
        }
        f.paint();
    }
}
BENCHMARK(BM_CompileAndRepaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
