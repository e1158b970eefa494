#include "print_command.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <regex>
#include <string>
#include <utility>

#include "app/default_files.h"
#include "file_bytes.h"

namespace kelcc::cli {
namespace {

int pdfPages(const std::string& path) {
    const std::string pdf = ui::test::fileBytes(path);
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

// The command's exit code and what it printed.
std::pair<int, std::string> run(const std::vector<std::string>& args) {
    testing::internal::CaptureStdout();
    const int code = PrintCommand::run(args);
    return {code, testing::internal::GetCapturedStdout()};
}

TEST(PrintCommandTest, WritesOnePdfPagePerPrintedPageOrNothing) {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    std::ofstream(path("small.ldx"), std::ios::binary) << core::app::DefaultFiles::plcProgram();
    EXPECT_EQ(run({path("small.ldx"), path("small.pdf"), "--project", "演示"}),
              (std::pair<int, std::string>{0, "1\n"}));
    EXPECT_EQ(pdfPages(path("small.pdf")), 1);

    // 300 networks of two contacts and a coil, every third one a CMP box
    // four rows high: 600 rows of a contact's height, about 25 to a page.
    const auto [code, printed] =
        run({KELCC_LADDER_CASES "/print_300_networks.ldx", path("large.pdf")});
    ASSERT_EQ(code, 0);
    const int pages = std::stoi(printed);
    EXPECT_GT(pages, 15);
    EXPECT_LT(pages, 60);
    EXPECT_EQ(pdfPages(path("large.pdf")), pages);

    // Missing files and arguments: the golden print/refuses_missing_files case.
    std::ofstream(path("bad.ldx"), std::ios::binary) << "PLC VER9.9\r\n";
    EXPECT_EQ(run({path("bad.ldx"), path("bad.pdf")}).first, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("bad.pdf"))));
}

}  // namespace
}  // namespace kelcc::cli
