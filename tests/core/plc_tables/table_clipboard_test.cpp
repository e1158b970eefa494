#include "common/table_clipboard.h"

#include <gtest/gtest.h>

#include "common/table_text.h"
#include "plc_tables/cell_rules.h"
#include "plc_tables/data_table_model.h"
#include "plc_tables/io_comment_model.h"

namespace kelcc::core::plc_tables {
namespace {

using Table = DataTableModel::Table;

TEST(TableText, TsvAndCsvRoundTrip) {
    const TableText::Rows rows = {{"D0001", "12", "主轴", "a,b"}, {"", "\"q\"", "", ""}, {"x"}};
    EXPECT_EQ(TableText::parseTsv(TableText::writeTsv(rows)), rows);
    EXPECT_EQ(TableText::parseCsv(TableText::writeCsv(rows)), rows);
    EXPECT_EQ(TableText::writeCsv({{"a,b", "say \"hi\""}}), "\"a,b\",\"say \"\"hi\"\"\"\r\n");
    // Spreadsheets end the last row with a line break, or not.
    EXPECT_EQ(TableText::parseTsv("1\t2\n3\t4"), (TableText::Rows{{"1", "2"}, {"3", "4"}}));
    EXPECT_EQ(TableText::parseTsv("1\t2\r\n3\t4\r\n"), (TableText::Rows{{"1", "2"}, {"3", "4"}}));
    std::vector<int> lines;
    TableText::parseCsv("a\n\"multi\nline\",b\nc\n", &lines);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 4}));
}

TEST(TableClipboard, PasteRefusesBadCellsKeepsTheRestInOneStep) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    DataTableModel model(doc, Table::DC);
    model.commit(2, 1, "7", TableModel::Mode::Interactive);
    // Value, maximum, minimum: the limits go first, so the pasted value is
    // what stays. One cell is no number, one row lies below the table.
    const std::string text =
        "500\t1000\t0\n"
        "50\tabc\t0\n"
        "1\t2\t3\t4\t5\t6\n";
    const auto result = TableClipboard::paste(model, 98, 1, text);
    EXPECT_EQ(result.stored, 5);
    EXPECT_EQ(doc.dcTable()[98].value, 500u);
    EXPECT_EQ(doc.dcTable()[98].second, 1000u);
    EXPECT_EQ(doc.dcTable()[99].value, 50u);
    EXPECT_EQ(doc.dcTable()[99].second, 0u);
    const auto reasons = result.reasons();
    ASSERT_EQ(reasons.size(), 2u);
    EXPECT_EQ(reasons[0], std::make_pair(std::string(CellRules::kNotNumberText), 1));
    EXPECT_EQ(reasons[1], std::make_pair(std::string(TableClipboard::kOutsideText), 6));
    EXPECT_EQ(doc.undoStack().count(), 2);
    EXPECT_EQ(doc.undoStack().undoText(), TableClipboard::kPasteText);
    doc.undoStack().undo();
    EXPECT_EQ(doc.dcTable()[98], plc::DataWordRecord{});
    EXPECT_EQ(doc.dcTable()[2].value, 7u);
}

TEST(TableClipboard, CopyThenPasteOnTheFixedColumnSkipsTheAddresses) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    DataTableModel d(doc, Table::D);
    d.commit(0, 1, "11", TableModel::Mode::Interactive);
    d.commit(1, 2, "注释", TableModel::Mode::Interactive);
    const std::string copied = TableClipboard::copy(d, 0, 0, 1, 2);
    EXPECT_EQ(copied, "D0000\t11\t\r\nD0001\t0\t注释\r\n");
    const auto result = TableClipboard::paste(d, 10, 0, copied);
    EXPECT_TRUE(result.refused.empty());
    EXPECT_EQ(d.text(10, 1), "11");
    EXPECT_EQ(d.text(11, 3), "注释");

    // The growing comment list takes rows past its end.
    IoCommentModel comments(doc);
    const auto pasted = TableClipboard::paste(comments, 0, 1, "X1\ta\tb\nD1\tc\td\nY2\t\t\n");
    EXPECT_EQ(pasted.stored, 6);
    EXPECT_EQ(pasted.refused.size(), 3u);  // the D address, then its comments
    EXPECT_EQ(doc.ioComments(), (std::vector<std::string>{"0001\tX0001\ta\tb", "0003\tY0002\t\t"}));
}

}  // namespace
}  // namespace kelcc::core::plc_tables
