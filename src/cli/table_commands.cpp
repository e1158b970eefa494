#include "table_commands.h"

#include <cstdio>

#include "common/atomic_file.h"
#include "common/interaction.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"
#include "plc/project_state.h"
#include "plc_tables/table_transfer.h"

namespace kelcc::cli {
namespace {

using core::plc::PlcDocument;
using core::plc::ProgramFile;
using core::plc_tables::TableTransfer;

constexpr const char* kUsage =
    "kelcc-cli: tables export IN.ldx --table T OUT.csv | "
    "tables import FILE.ldx --table T IN.csv [--skip-bad]\n";

struct Arguments {
    std::string verb, program, table, csv;
    bool skipBad = false;
};

bool parse(const std::vector<std::string>& args, Arguments& out) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--table" && i + 1 < args.size())
            out.table = args[++i];
        else if (args[i] == "--skip-bad")
            out.skipBad = true;
        else
            positional.push_back(args[i]);
    }
    if (positional.size() != 3 || out.table.empty()) return false;
    out.verb = positional[0];
    out.program = positional[1];
    out.csv = positional[2];
    return (out.verb == "export" || (out.verb == "import")) &&
           (out.verb == "import" || !out.skipBad);
}

bool read(const std::string& path, PlcDocument& doc, int& exitCode) {
    core::common::RecordingInteraction ui;
    const auto read = ProgramFile::readFile(path, doc, ui);
    if (read.result == ProgramFile::kReadOk) return true;
    if (read.result == ProgramFile::kReadUnreadable) {
        std::fprintf(stderr, "kelcc-cli: %s\n", read.error.c_str());
        exitCode = 2;
    } else {
        std::fprintf(stderr, "kelcc-cli: %s: %s\n", path.c_str(),
                     ProgramFile::kUnsupportedVersionText);
        exitCode = 1;
    }
    return false;
}

}  // namespace

int TableCommands::run(const std::vector<std::string>& args) {
    Arguments a;
    if (!parse(args, a)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    core::plc::SimpleProjectState project;
    PlcDocument doc(project);
    const auto model = TableTransfer::model(doc, a.table);
    if (!model) {
        std::fprintf(stderr, "kelcc-cli: unknown table '%s' (d, dc, dt, alarms, comments, k)\n",
                     a.table.c_str());
        return 2;
    }
    int exitCode = 0;
    if (!read(a.program, doc, exitCode)) return exitCode;
    model->refresh();
    if (a.verb == "export") {
        const auto written =
            core::common::AtomicFile::write(a.csv, TableTransfer::exportCsv(*model));
        if (written.ok) return 0;
        std::fprintf(stderr, "kelcc-cli: %s\n", written.error.c_str());
        return 2;
    }
    std::string csv;
    const auto loaded = core::common::AtomicFile::read(a.csv, csv);
    if (!loaded.ok) {
        std::fprintf(stderr, "kelcc-cli: %s\n", loaded.error.c_str());
        return 2;
    }
    const auto imported = TableTransfer::importCsv(*model, csv);
    for (const auto& error : imported.errors)
        std::fprintf(stderr, "kelcc-cli: %s:%d: %s\n", a.csv.c_str(), error.line,
                     error.reason.c_str());
    if (!imported.errors.empty() && !a.skipBad) {
        std::fputs("kelcc-cli: nothing written (--skip-bad keeps the lines that pass)\n", stderr);
        return 1;
    }
    const auto written = ProgramFile::writeFile(a.program, doc);
    if (!written.ok) {
        std::fprintf(stderr, "kelcc-cli: %s\n", written.error.c_str());
        return 2;
    }
    std::printf("%d cells imported, %zu refused\n", imported.cells, imported.errors.size());
    return imported.errors.empty() ? 0 : 1;
}

}  // namespace kelcc::cli
