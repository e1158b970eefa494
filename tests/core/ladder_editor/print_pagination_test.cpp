#include "ladder_editor/print_pagination.h"

#include <gtest/gtest.h>

namespace kelcc::core::ladder_editor {
namespace {

using plc::Network;

// Rows of the given heights (row 1 first).
std::vector<int> heights(std::initializer_list<int> rows) {
    std::vector<int> out{0};
    out.insert(out.end(), rows);
    return out;
}

TEST(PrintPaginationTest, NetworksStayWholeOrSplitAtRowsAndEachPageStartsWithANetwork) {
    // Usable height 300 - 100 = 200, rows start at 20 on every page.
    const PrintPagination::Layout layout{300, 20};
    const auto rows = heights({40, 40, 40, 40, 40, 40, 40, 40, 40});
    const std::vector<Network> networks = {{1, 2}, {3, 4}, {6, 8}, {9, 9}};
    const auto pages = PrintPagination::paginate(rows, networks, layout);
    // Page 1: rows 1-4 end at 20 + 160 = 180; row 5 (empty) and network 3
    // would end at 340. Page 2: rows 6-9 end at 20 + 160.
    const std::vector<PrintPage> expected = {{1, 4, 0, 1}, {6, 9, 2, 3}};
    EXPECT_EQ(pages, expected);

    // Tall networks are split at rows, with at least one row per page.
    // Network 1: seven rows of 50 (350) -> rows 1-3 (ends at 170), 4-6,
    // then row 7 alone. Network 2 has a row taller than any page.
    const auto tall = heights({50, 50, 50, 50, 50, 50, 50, 500, 10, 10});
    const std::vector<PrintPage> split = {{1, 3, 0, 0}, {4, 6, 0, 0}, {7, 7, 0, 0},
                                          {8, 8, 1, 1}, {9, 9, 1, 1}, {10, 10, 2, 2}};
    EXPECT_EQ(PrintPagination::paginate(tall, {{1, 7}, {8, 9}, {10, 10}}, layout), split);
    EXPECT_TRUE(PrintPagination::paginate(tall, {}, layout).empty());
}

TEST(PrintPaginationTest, HeaderAndFooterTexts) {
    EXPECT_EQ(PrintPagination::footer(2, 15), "第2页/共15页");
    EXPECT_EQ(PrintPagination::header("车床", 10), "KELCC工程-车床 PLC梯形图程序");
    EXPECT_EQ(PrintPagination::header("数控车床项目一", 4), "KELCC工程-数控车床... PLC梯形图程序");
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
