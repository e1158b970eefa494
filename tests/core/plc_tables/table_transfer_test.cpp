#include "plc_tables/table_transfer.h"

#include <gtest/gtest.h>

#include "common/interaction.h"

namespace kelcc::core::plc_tables {
namespace {

// Every table of the demo program round trips through the files in the CLI
// test; here the refusals of an import.
TEST(TableTransfer, ImportNamesEachRefusedLine) {
    plc::SimpleProjectState project;
    plc::PlcDocument doc(project);
    auto model = TableTransfer::model(doc, "dt");
    const auto result = TableTransfer::importCsv(*model,
                                                 "DT地址(4字节),数据值(十进制)\r\n"
                                                 "DT0001,5\r\n"
                                                 "DT0002,x\r\n"
                                                 "DT0100,1\r\n"
                                                 "DT0003,\"7\",,,\"a\nb\"\r\n"
                                                 "DT0004,8\r\n");
    ASSERT_EQ(result.errors.size(), 5u);
    EXPECT_EQ(result.errors[0].line, 3);
    EXPECT_EQ(result.errors[0].reason, "数据值(十进制): 请输入十进制数字.");
    EXPECT_EQ(result.errors[1].line, 4);
    EXPECT_EQ(result.errors[1].reason, "没有这一行: DT0100");
    // Empty limits are no numbers; the line break is no comment.
    for (int i : {2, 3, 4})
        EXPECT_EQ(result.errors[static_cast<std::size_t>(i)].line, 5);
    EXPECT_EQ(doc.dtTable()[3].value, 7u);
    EXPECT_EQ(doc.dtTable()[1].value, 5u);
    EXPECT_EQ(doc.dtTable()[4].value, 8u);
}

}  // namespace
}  // namespace kelcc::core::plc_tables
