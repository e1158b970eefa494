#include "plc_tables/table_transfer.h"

#include <gtest/gtest.h>

#include "common/interaction.h"
#include "plc/program_file.h"

namespace kelcc::core::plc_tables {
namespace {

TEST(TableTransfer, EveryTableOfTheDemoProgramRoundTrips) {
    plc::SimpleProjectState project;
    plc::PlcDocument demo(project);
    common::RecordingInteraction ui;
    ASSERT_EQ(
        plc::ProgramFile::readFile(KELCC_TABLES_DEMO_DIR "/main_LatheDemo.ldx", demo, ui).result,
        plc::ProgramFile::kReadOk);
    plc::PlcDocument fresh(project);
    for (const char* name : {"d", "dc", "dt", "alarms", "comments", "k"}) {
        SCOPED_TRACE(name);
        const std::string csv = TableTransfer::exportCsv(*TableTransfer::model(demo, name));
        const auto imported = TableTransfer::importCsv(*TableTransfer::model(fresh, name), csv);
        EXPECT_TRUE(imported.errors.empty()) << imported.errors.front().reason;
    }
    EXPECT_EQ(fresh.dTable(), demo.dTable());
    EXPECT_EQ(fresh.dcTable(), demo.dcTable());
    EXPECT_EQ(fresh.dtTable(), demo.dtTable());
    EXPECT_EQ(fresh.kTable(), demo.kTable());
    EXPECT_EQ(fresh.alarms(), demo.alarms());
    EXPECT_EQ(fresh.ioComments(), demo.ioComments());
    EXPECT_EQ(TableTransfer::model(demo, "x"), nullptr);
}

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
