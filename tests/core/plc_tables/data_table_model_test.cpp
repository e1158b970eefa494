#include "plc_tables/data_table_model.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "../common/case_file.h"
#include "common/text_codec.h"
#include "plc_tables/alarm_table_model.h"
#include "plc_tables/k_table_model.h"

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

TEST(PlcTableModels, AlarmRowsAreTheAlarmBits) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    doc.alarms() = {"A0001.3\t1011\t" + gbk("润滑"), "A0099.0\t1500\tbeyond", "A0000.0\t1000\tE"};
    AlarmTableModel model(doc);
    EXPECT_EQ(model.rowCount(), 200);
    EXPECT_EQ(model.text(0, 0), "A0000.0");
    EXPECT_EQ(model.text(199, 0), "A0024.7");
    EXPECT_EQ(model.text(11, 1), "1011");
    EXPECT_EQ(model.text(11, 2), "润滑");
    EXPECT_EQ(model.text(0, 2), "E");
    EXPECT_EQ(model.editor(0, 1).maxChars, 4);
    EXPECT_EQ(model.editor(0, 2).maxChars, 100);
    // Rebuilt in row order; an entry the table has no row for stays.
    model.commit(1, 1, "2000", Mode::Interactive);
    EXPECT_EQ(doc.alarms(),
              (std::vector<std::string>{"A0000.0\t1000\tE", "A0000.1\t2000\t",
                                        "A0001.3\t1011\t" + gbk("润滑"), "A0099.0\t1500\tbeyond"}));
}

TEST(PlcTableModels, AlarmUndoShowsTheListAgainAfterRefresh) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    AlarmTableModel model(doc);
    model.commit(8, 1, "1008", Mode::Interactive);
    model.commit(8, 2, "Door", Mode::Interactive);
    EXPECT_EQ(doc.undoStack().count(), 2);
    doc.undoStack().undo();
    model.refresh();
    EXPECT_EQ(model.text(8, 1), "1008");
    EXPECT_EQ(model.text(8, 2), "");
    doc.undoStack().undo();
    model.refresh();
    EXPECT_EQ(model.text(8, 1), "");
    EXPECT_TRUE(doc.alarms().empty());
}

TEST(PlcTableModels, KRowTextsCarryTheAddressCommentsAndOkIsOneStep) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    doc.ioComments() = {"0001\tK0001\t" + gbk("参数字") + "\tParams", "0002\tK0001.3\t\tHold",
                        "0003\tX0001.3\tx\tX"};
    KTableModel model(doc);
    EXPECT_EQ(model.byteText(1, false), "K0001  参数字");
    EXPECT_EQ(model.byteText(1, true), "K0001  Params");
    EXPECT_EQ(model.bitText(1, 3, true), "BIT3   Hold");
    EXPECT_EQ(model.bitText(1, 3, false), "BIT3   ");
    EXPECT_EQ(model.byteText(39, false), "K0039  ");

    std::array<std::uint8_t, KTableModel::kRows> values{};
    EXPECT_FALSE(model.store(values));
    values[0] = 0x81;
    values[39] = 0xFF;
    EXPECT_TRUE(model.store(values));
    EXPECT_EQ(doc.undoStack().count(), 1);
    EXPECT_EQ(doc.undoStack().undoText(), KTableModel::kStepText);
    EXPECT_EQ(model.text(0, 1), "129");
    doc.undoStack().undo();
    EXPECT_EQ(doc.kTable()[39], 0);

    EXPECT_FALSE(model.commit(2, 1, "256", TableModel::Mode::Strict).stored());
    EXPECT_TRUE(model.commit(2, 1, "255", TableModel::Mode::Strict).stored());
    EXPECT_EQ(model.rowOf("K0002"), 2);
}

}  // namespace
}  // namespace kelcc::core::plc_tables
