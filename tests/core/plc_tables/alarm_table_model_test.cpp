#include "plc_tables/alarm_table_model.h"

#include <gtest/gtest.h>

#include "common/text_codec.h"

namespace kelcc::core::plc_tables {
namespace {

using Mode = TableModel::Mode;

std::string gbk(const char* utf8) {
    return common::TextCodec::utf8ToGbk(utf8).text;
}

TEST(AlarmTableModel, RowsAreTheAlarmBits) {
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

TEST(AlarmTableModel, UndoShowsTheListAgainAfterRefresh) {
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

}  // namespace
}  // namespace kelcc::core::plc_tables
