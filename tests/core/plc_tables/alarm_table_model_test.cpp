#include "plc_tables/alarm_table_model.h"

#include <gtest/gtest.h>

#include "common/text_codec.h"

namespace kelcc::core::plc_tables {
namespace {

using Mode = TableModel::Mode;
using Status = CommitResult::Status;

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

// Each step runs on what the steps before it left; the strict refusals of
// an import are a golden corpus case (golden/tables/cell_rules).
TEST(AlarmTableModel, InformationNumberRules) {
    struct Step {
        int row, column;
        const char* text;
        Mode mode;
        Status status;
        const char* shown;
        std::vector<std::string> messages;
    };
    const std::string tooSmall = AlarmTableModel::kTooSmallText;
    const Step steps[] = {
        {0, 1, "999", Mode::Interactive, Status::Adjusted, "1000", {tooSmall}},
        {1,
         1,
         "1000",
         Mode::Interactive,
         Status::Refused,
         "",
         {"信息号 1000 已存在,请另设置一个."}},
        // Pulled up to 1000 and then found taken: both messages, in order.
        {1,
         1,
         "5",
         Mode::Interactive,
         Status::Refused,
         "",
         {tooSmall, "信息号 1000 已存在,请另设置一个."}},
        {1, 1, "10000", Mode::Interactive, Status::Adjusted, "9999", {}},
        {2, 1, "1x", Mode::Interactive, Status::Refused, "", {"请输入十进制数字."}},
        // A text waits for its row's number.
        {2, 2, "油位低", Mode::Interactive, Status::Stored, "油位低", {}},
        {2, 1, "1002", Mode::Interactive, Status::Stored, "1002", {}},
        {2, 1, "", Mode::Interactive, Status::Stored, "", {}},
    };
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    AlarmTableModel model(doc);
    int index = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(index++);
        const CommitResult result = model.commit(s.row, s.column, s.text, s.mode);
        EXPECT_EQ(result.status, s.status);
        EXPECT_EQ(result.shown, s.shown);
        std::vector<std::string> texts;
        for (const auto& m : result.messages) {
            texts.push_back(m.text);
            EXPECT_EQ(m.caption, "显示信息表");
        }
        EXPECT_EQ(texts, s.messages);
        if (index == 7) {
            EXPECT_EQ(doc.alarms().back(), "A0000.2\t1002\t" + gbk("油位低"));
        }
    }
    // Without its number the row leaves the list, its text stays shown.
    EXPECT_EQ(doc.alarms(), (std::vector<std::string>{"A0000.0\t1000\t", "A0000.1\t9999\t"}));
    EXPECT_EQ(model.text(2, 2), "油位低");
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
