#include "plc_tables/data_table_model.h"

#include <gtest/gtest.h>

#include "common/text_codec.h"
#include "plc_tables/cell_rules.h"

namespace kelcc::core::plc_tables {
namespace {

using Mode = TableModel::Mode;
using Status = CommitResult::Status;
using Table = DataTableModel::Table;

std::string gbk(const char* utf8) {
    return common::TextCodec::utf8ToGbk(utf8).text;
}

// The pages' headers, rows and addresses are in the golden table exports
// (golden/cli/tables_round_trip, golden/tables).
// Each step runs on the document the steps before it left. What an import
// refuses (strict mode) is a golden corpus case (golden/tables/cell_rules).
TEST(DataTableModel, ColumnRules) {
    struct Step {
        Table table;
        int row, column;
        const char* text;
        Mode mode;
        Status status;
        const char* shown;
        const char* message;  // first message, "" for none
    };
    const Step steps[] = {
        // The limits pull the value in; the value alone is not checked.
        {Table::DC, 5, 1, "500", Mode::Interactive, Status::Stored, "500", ""},
        {Table::DC, 5, 2, "100", Mode::Interactive, Status::Stored, "100", ""},
        {Table::DC, 5, 1, "100", Mode::Interactive, Status::Stored, "100", ""},
        {Table::DC, 5, 3, "200", Mode::Interactive, Status::Stored, "200", ""},
        {Table::DC, 5, 1, "300", Mode::Interactive, Status::Stored, "300", ""},
        {Table::DT, 0, 1, "2147483647", Mode::Interactive, Status::Stored, "2147483647", ""},
        {Table::D, 3, 1, "255", Mode::Interactive, Status::Stored, "255", ""},
        {Table::D, 3, 1, "256", Mode::Interactive, Status::Refused, "255",
         CellRules::kByteRangeText},
        // Comments: the file's code page, one line, 100 characters.
        {Table::D, 10, 2, "主轴速度", Mode::Interactive, Status::Stored, "主轴速度", ""},
        {Table::D, 10, 3, "Spindle speed", Mode::Interactive, Status::Stored, "Spindle speed", ""},
        {Table::D, 10, 3, "Speed速度", Mode::Interactive, Status::Adjusted, "Speed",
         CellRules::kEnglishText},
        {Table::D, 11, 2, "温度😀", Mode::Interactive, Status::Refused, "", CellRules::kNotGbkText},
    };
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    int index = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(index++);
        DataTableModel model(doc, s.table);
        const CommitResult result = model.commit(s.row, s.column, s.text, s.mode);
        EXPECT_EQ(result.status, s.status);
        EXPECT_EQ(result.shown, s.shown);
        EXPECT_EQ(model.text(s.row, s.column), s.shown);
        EXPECT_EQ(result.messages.empty() ? std::string() : result.messages.front().text,
                  s.message);
    }
    const auto& dc5 = doc.dcTable()[5];
    EXPECT_EQ(dc5.value, 300u);
    EXPECT_EQ(dc5.second, 100u);  // maximum
    EXPECT_EQ(dc5.third, 200u);   // minimum
    // The Chinese comment became the English one too, then that changed.
    EXPECT_EQ(doc.dTable()[10].commentZh, gbk("主轴速度"));
    EXPECT_EQ(doc.dTable()[10].commentEn, "Speed");
}

TEST(DataTableModel, ALimitRedrawsTheValueItPulledAndIsOneUndoStep) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    DataTableModel model(doc, Table::DT);
    model.commit(2, 1, "500", Mode::Interactive);
    const CommitResult result = model.commit(2, DataTableModel::kMaximum, "100", Mode::Interactive);
    EXPECT_EQ(result.redraw, (std::vector<CellRef>{{2, DataTableModel::kValue}}));
    EXPECT_EQ(model.commit(2, 4, "润滑", Mode::Interactive).redraw, (std::vector<CellRef>{{2, 5}}));
    EXPECT_EQ(doc.undoStack().count(), 3);
    doc.undoStack().undo();
    doc.undoStack().undo();
    EXPECT_EQ(model.text(2, 1), "500");
    EXPECT_EQ(model.text(2, 4), "");
    // A refused text is no step.
    model.commit(2, 1, "x", Mode::Interactive);
    EXPECT_EQ(doc.undoStack().index(), 1);
}

}  // namespace
}  // namespace kelcc::core::plc_tables
