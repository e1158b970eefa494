// The PLC table windows: opening the D page (1000 rows) until it is
// painted, and a paste of 1000 x 4 cells with its repaint. With
// --screenshots DIR [--english QM_DIR] it saves pictures of the windows and
// dialogs instead.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTabWidget>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/plc_properties_dialog.h"
#include "app/project.h"
#include "app/project_host.h"
#include "app/workbench.h"
#include "common/interaction.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"
#include "plc_tables/data_table_model.h"
#include "plc_tables/data_tables_window.h"
#include "plc_tables/information_window.h"
#include "plc_tables/k_table_model.h"
#include "plc_tables/k_value_dialog.h"
#include "tables/table_item_model.h"
#include "tables/table_view.h"

namespace {

using namespace kelcc;

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

const std::string kDemo = KELCC_BENCH_DEMO_DIR "/main_LatheDemo.ldx";

struct Fixture {
    core::plc::SimpleProjectState project;
    core::plc::PlcDocument doc{project};
    core::common::RecordingInteraction ui;
    QImage image{1920, 1080, QImage::Format_ARGB32_Premultiplied};

    bool ready() { return core::plc::ProgramFile::readFile(kDemo, doc, ui).result == 0; }
    std::unique_ptr<ui::TableView> dPage() {
        auto* model = new ui::TableItemModel(doc,
                                             std::make_unique<core::plc_tables::DataTableModel>(
                                                 doc, core::plc_tables::DataTableModel::Table::D),
                                             ui);
        auto view = std::make_unique<ui::TableView>(model);
        view->resize(image.size());
        return view;
    }
    void paint(QWidget& view) {
        image.fill(Qt::white);
        view.render(&image);
    }
};

void BM_OpenDPage(benchmark::State& state) {
    Fixture f;
    if (!f.ready()) {
        state.SkipWithError("the demo program did not open");
        return;
    }
    for (auto _ : state) {
        auto view = f.dPage();
        f.paint(*view);
    }
}
BENCHMARK(BM_OpenDPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_Paste1000x4(benchmark::State& state) {
    Fixture f;
    if (!f.ready()) {
        state.SkipWithError("the demo program did not open");
        return;
    }
    auto view = f.dPage();
    QString texts[2];
    for (int row = 0; row < 1000; ++row)
        for (int i = 0; i < 2; ++i)
            texts[i] += QStringLiteral("D%1\t%2\t注释%3\tComment %3\n")
                            .arg(row, 4, 10, QLatin1Char('0'))
                            .arg((row + i) % 256)
                            .arg(row + i);
    int turn = 0;
    view->setCurrentIndex(view->model()->index(0, 0));
    for (auto _ : state) {
        view->pasteText(texts[turn++ % 2]);
        f.paint(*view);
    }
    state.counters["undo_bytes"] = static_cast<double>(f.doc.undoStack().bytes());
    state.counters["steps"] = f.doc.undoStack().count();
}
BENCHMARK(BM_Paste1000x4)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Pictures of every window and dialog of the tables, in the language
// installed.
int screenshots(const QString& folder, const QString& size) {
    namespace fs = std::filesystem;
    const fs::path project = fs::path(folder.toStdString()) / "LatheDemo";
    fs::remove_all(project);
    fs::copy(KELCC_BENCH_DEMO_DIR, project);
    const fs::path copy = project / "main_LatheDemo.ldx";
    BenchWorkbench workbench;
    if (workbench.project().openProjectByPath((project / "LatheDemo.gpr").string()) !=
        core::app::Project::OpenOutcome::Opened)
        return 1;
    const QStringList wh = size.split(u'x');
    const QSize windowSize(wh.value(0).toInt(), wh.value(1).toInt());
    const auto save = [&](QWidget& widget, const char* name) {
        widget.show();
        QApplication::processEvents();
        widget.grab().save(folder + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    };
    ui::DataTablesWindow tables(workbench, copy.string());
    if (!tables.load()) return 1;
    tables.resize(windowSize);
    for (int page = 0; page < 3; ++page) {
        tables.pages()->setCurrentIndex(page);
        save(tables, page == 0 ? "data_d" : page == 1 ? "data_dc" : "data_dt");
    }
    // Scrolled to the right: the address column stays.
    tables.resize(windowSize.width() / 2, windowSize.height() / 2);
    tables.pages()->setCurrentIndex(1);
    QApplication::processEvents();
    tables.page(1)->horizontalScrollBar()->setValue(
        tables.page(1)->horizontalScrollBar()->maximum());
    save(tables, "data_dc_scrolled");
    ui::InformationWindow info(workbench, copy.string());
    info.resize(windowSize);
    save(info, "info_alarms");
    info.pages()->setCurrentIndex(1);
    save(info, "info_comments");
    core::plc_tables::KTableModel k(tables.plcDocument());
    ui::KValueDialog kDialog(k, workbench.language() == 1);
    save(kDialog, "k_values");
    ui::PlcPropertiesDialog::Texts texts;
    for (int i = 0; i < 3; ++i)
        texts[static_cast<std::size_t>(i)] = workbench.project().plcInfo(i);
    ui::PlcPropertiesDialog properties(
        QCoreApplication::translate("kelcc::ui::MainWindow", "KELCC-工程 %1 : 程序版本信息")
            .arg(QStringLiteral("LatheDemo")),
        texts, workbench.interaction());
    save(properties, "program_information");
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
        return screenshots(args[shots + 1], qEnvironmentVariable("KELCC_SCREENSHOT_SIZE",
                                                                 QStringLiteral("1000x600")));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
