#include "plc_tables/io_comment_model.h"

#include <gtest/gtest.h>

#include "common/text_codec.h"
#include "plc_tables/cell_rules.h"

namespace kelcc::core::plc_tables {
namespace {

using FindBy = IoCommentModel::FindBy;
using Mode = TableModel::Mode;
using Status = CommitResult::Status;

std::string gbk(const char* utf8) {
    return common::TextCodec::utf8ToGbk(utf8).text;
}

// Each address form and its message are a golden corpus case
// (golden/tables/cell_rules, through an import).
TEST(IoCommentModel, EditsRebuildTheNumberedRecords) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    IoCommentModel model(doc);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.text(0, 0), "0001");
    EXPECT_EQ(model.commit(0, 2, "急停", Mode::Interactive).messages.front().text,
              IoCommentModel::kNoAddressText);
    EXPECT_TRUE(model.commit(0, 1, "x8.3", Mode::Interactive).stored());
    EXPECT_TRUE(model.commit(0, 2, "急停", Mode::Interactive).stored());
    EXPECT_EQ(model.rowCount(), 2);
    const CommitResult duplicate = model.commit(1, 1, "X0008.3", Mode::Interactive);
    EXPECT_EQ(duplicate.status, Status::Refused);
    EXPECT_EQ(duplicate.messages.front().text, "关于地址 X0008.3 的注释已存在.");
    EXPECT_TRUE(model.commit(1, 1, "Y1", Mode::Interactive).stored());
    const CommitResult english = model.commit(1, 3, "Lamp灯", Mode::Interactive);
    EXPECT_EQ(english.status, Status::Adjusted);
    EXPECT_EQ(english.messages.front().caption, "英文注释");
    EXPECT_EQ(doc.ioComments(), (std::vector<std::string>{"0001\tX0008.3\t" + gbk("急停") + "\t",
                                                          "0002\tY0001\t\tLamp"}));

    // Rows inserted or deleted renumber the records; an empty row in
    // between keeps its place through its neighbours' numbers.
    EXPECT_TRUE(model.insertRow(0));
    EXPECT_EQ(doc.ioComments(), (std::vector<std::string>{"0002\tX0008.3\t" + gbk("急停") + "\t",
                                                          "0003\tY0001\t\tLamp"}));
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.text(0, 1), "");
    EXPECT_TRUE(model.commit(0, 1, "Y0", Mode::Interactive).stored());
    EXPECT_TRUE(model.sortRows());
    EXPECT_FALSE(model.sortRows());
    EXPECT_EQ(model.text(0, 1), "X0008.3");
    EXPECT_EQ(model.text(1, 1), "Y0000");
    EXPECT_EQ(model.text(2, 1), "Y0001");
    EXPECT_TRUE(model.deleteRow(0));
    EXPECT_EQ(doc.ioComments(),
              (std::vector<std::string>{"0001\tY0000\t\t", "0002\tY0001\t\tLamp"}));
    // Clearing an address drops its row from the document.
    EXPECT_TRUE(model.commit(0, 1, "", Mode::Interactive).stored());
    EXPECT_EQ(doc.ioComments(), (std::vector<std::string>{"0002\tY0001\t\tLamp"}));
    EXPECT_EQ(model.text(1, 1), "Y0001");
    EXPECT_EQ(doc.undoStack().count(), 9);
}

TEST(IoCommentModel, RecordsFromAFileKeepTheirRows) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    doc.ioComments() = {"0001\tX0000.0\ta\tb", "0004\tT0001\tc\td\te", "0002\tR0001\t\tf"};
    IoCommentModel model(doc);
    // The third record's number is taken already: it follows the second.
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_EQ(model.text(3, 1), "T0001");
    EXPECT_EQ(model.text(3, 3), "d\te");
    EXPECT_EQ(model.text(4, 1), "R0001");
    EXPECT_EQ(model.rowOf("0004"), 3);

    EXPECT_EQ(model.find(FindBy::Address, "t1", -1), 3);
    EXPECT_EQ(model.find(FindBy::Address, "X0.0", 0), 0);  // wraps round to itself
    EXPECT_EQ(model.find(FindBy::Number, "5", 0), 4);
    EXPECT_EQ(model.find(FindBy::Number, "9", 0), -1);
    EXPECT_EQ(model.find(FindBy::Comment, "F", 0), 4);
    EXPECT_EQ(model.find(FindBy::Comment, "zz", 0), -1);
}

TEST(IoCommentModel, AddChecksEverythingBeforeItStores) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    IoCommentModel model(doc);
    struct Case {
        const char *address, *zh, *en;
        Status status;
        const char* message;
    };
    for (const Case& c : {
             Case{"R12.1", "报警", "ALM", Status::Stored, ""},
             Case{"R12.1", "", "", Status::Refused, "关于地址 R0012.1 的注释已存在."},
             Case{"D1", "", "", Status::Refused, IoCommentModel::kWrongLetterText},
             Case{"R2", "😀", "", Status::Refused, CellRules::kNotGbkText},
             Case{"R2", "", "警", Status::Refused, CellRules::kEnglishText},
         }) {
        SCOPED_TRACE(c.address);
        const CommitResult result = model.add(c.address, c.zh, c.en);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.messages.empty() ? std::string() : result.messages.front().text,
                  c.message);
    }
    EXPECT_EQ(doc.ioComments(),
              (std::vector<std::string>{"0001\tR0012.1\t" + gbk("报警") + "\tALM"}));
    EXPECT_EQ(doc.undoStack().count(), 1);
}

}  // namespace
}  // namespace kelcc::core::plc_tables
