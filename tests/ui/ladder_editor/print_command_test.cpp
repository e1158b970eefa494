#include "print_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace kelcc::cli {
namespace {

// A program of `networks` networks: two contacts to a coil, and every
// third one a CMP box four rows high.
std::string programFile(int networks) {
    std::vector<std::string> il;
    char line[64];
    for (int n = 0; n < networks; ++n) {
        std::snprintf(line, sizeof line, "LD      X%04d.%d", n % 200, n % 8);
        il.push_back(line);
        std::snprintf(line, sizeof line, "ANI     R%04d.%d", n % 900, (n + 3) % 8);
        il.push_back(line);
        if (n % 3 == 0) {
            std::snprintf(line, sizeof line, "CMP     0002 D%04d 100 R%04d.1", n % 900, n % 900);
        } else {
            std::snprintf(line, sizeof line, "OUT     Y%04d.%d", n % 200, n % 8);
        }
        il.push_back(line);
    }
    il.push_back("END1    ");
    il.push_back("END2    ");
    std::string file =
        "PLC VER1.0\r\nPLC_ORGANIZATION\r\nTOTALSTEPS\t" + std::to_string(il.size()) + "\r\n";
    for (std::size_t i = 0; i < il.size(); ++i) {
        std::snprintf(line, sizeof line, "%04zu    ", i);
        file += line + il[i] + "\r\n";
    }
    return file + "END_PLC_ORGANIZATION\r\n\r\n";
}

int pdfPages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string pdf = bytes.str();
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class PrintCommandTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder =
            std::filesystem::temp_directory_path() / ("kelcc_print_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = (m_folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // Runs the command, returns its exit code and keeps what it printed.
    int run(const std::vector<std::string>& args) {
        testing::internal::CaptureStdout();
        const int code = PrintCommand::run(args);
        m_stdout = testing::internal::GetCapturedStdout();
        return code;
    }

    std::filesystem::path m_folder;
    std::string m_stdout;
};

TEST_F(PrintCommandTest, WritesOnePdfPagePerPrintedPageOrNothing) {
    const std::string small = write("small.ldx", programFile(3));
    const std::string smallPdf = (m_folder / "small.pdf").string();
    ASSERT_EQ(run({small, smallPdf, "--project", "演示"}), 0);
    EXPECT_EQ(m_stdout, "1\n");
    EXPECT_EQ(pdfPages(smallPdf), 1);

    // 300 networks of one row, a third of them four rows high: 600 rows of
    // a contact's height, about 25 to a page.
    const std::string large = write("large.ldx", programFile(300));
    const std::string largePdf = (m_folder / "large.pdf").string();
    ASSERT_EQ(run({large, largePdf}), 0);
    const int pages = std::stoi(m_stdout);
    EXPECT_GT(pages, 15);
    EXPECT_LT(pages, 60);
    EXPECT_EQ(pdfPages(largePdf), pages);

    // Missing files and arguments: the golden print/refuses_missing_files case.
    const std::string badPdf = (m_folder / "bad.pdf").string();
    EXPECT_EQ(run({write("bad.ldx", "PLC VER9.9\r\n"), badPdf}), 1);
    EXPECT_FALSE(std::filesystem::exists(badPdf));
}

}  // namespace
}  // namespace kelcc::cli
