#include "plc_tables/data_table_model.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "../common/case_file.h"
#include "common/text_codec.h"
#include "plc_tables/alarm_table_model.h"

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
TEST(PlcTableModels, ColumnRulesOfTheAlarmAndDataTables) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    AlarmTableModel alarms(doc);
    for (const test::Case& c : test::ReadCases("core/plc_tables/cases/table_commits.txt")) {
        const std::map<std::string, Table> tables = {
            {"D", Table::D}, {"DC", Table::DC}, {"DT", Table::DT}};
        std::optional<DataTableModel> data;
        if (c[0] != "alarm") data.emplace(doc, tables.at(c[0]));
        TableModel& model = data ? static_cast<TableModel&>(*data) : alarms;
        const int row = std::stoi(c[1]), column = std::stoi(c[2]);
        const CommitResult result = model.commit(row, column, c[3], Mode::Interactive);
        const char* names[] = {"Stored", "Adjusted", "Refused"};
        EXPECT_EQ(names[static_cast<int>(result.status)], c[4]) << c.where;
        EXPECT_EQ(result.shown, c[5]) << c.where;
        EXPECT_EQ(model.text(row, column), c[5]) << c.where;
        // The waiting text joins the record once its row has a number.
        if (c[3] == "1002") {
            EXPECT_EQ(doc.alarms().back(), "A0000.2\t1002\t" + gbk("油位低"));
        }
        std::vector<std::string> texts;
        for (const auto& m : result.messages) {
            texts.push_back(m.text);
            EXPECT_EQ(m.caption, data ? m.caption : "显示信息表") << c.where;
        }
        EXPECT_EQ(texts, std::vector<std::string>(c.fields.begin() + 6, c.fields.end())) << c.where;
    }
    // Without its number the alarm row leaves the list, its text stays shown.
    EXPECT_EQ(doc.alarms(), (std::vector<std::string>{"A0000.0\t1000\t", "A0000.1\t9999\t"}));
    EXPECT_EQ(alarms.text(2, 2), "油位低");
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
