#include "plc_tables/k_table_model.h"

#include <gtest/gtest.h>

#include "common/text_codec.h"

namespace kelcc::core::plc_tables {
namespace {

TEST(KTableModel, RowTextsCarryTheAddressCommentsAndOkIsOneStep) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    doc.ioComments() = {"0001\tK0001\t" + common::TextCodec::utf8ToGbk("参数字").text + "\tParams",
                        "0002\tK0001.3\t\tHold", "0003\tX0001.3\tx\tX"};
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
