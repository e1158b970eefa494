#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../common/temp_folder.h"
#include "cnc_data/pitch_compensation_table.h"
#include "cnc_data/tool_offset_table.h"
#include "common/atomic_file.h"
#include "common/interaction.h"

namespace kelcc::core::cnc_data {
namespace {

namespace fs = std::filesystem;
using common::RecordingInteraction;
using Tool = ToolOffsetTable::Column;
using Pitch = PitchCompensationTable::Column;

const std::string kHeader("\x03\x04\x05\x06", 4);

// A document whose project mark counts the calls that set the mark.
template <class Doc>
struct Marked {
    Marked() {
        doc.setProjectMark([this](bool on) { marks += on ? 1 : 0; });
    }
    Doc doc;
    int marks = 0;
};

TEST(ToolOffsetTableTest, SeedFileShowsDefaultsAndWritesEveryRow) {
    Marked<ToolOffsetDocument> m;
    ASSERT_EQ(m.doc.read(CncTableDocument::seedFile()), CncTableDocument::ReadResult::Ok);
    ToolOffsetTable table(m.doc);
    RecordingInteraction ui;
    ASSERT_TRUE(table.show(ui));
    EXPECT_EQ(table.cell(32, Tool::R), "0.000");
    EXPECT_EQ(table.cell(32, Tool::T), "0");
    EXPECT_EQ(ToolOffsetTable::rowLabel(32), "032");
    // Showing is no edit: neither the document nor the project is marked.
    EXPECT_FALSE(m.doc.modified());
    EXPECT_EQ(m.marks, 0);

    const std::string file = m.doc.write();
    EXPECT_EQ(file.substr(0, 4 + 31), kHeader + "0000\t0.000\t\t0.000\t0.000\t0.000\r\n");
    EXPECT_EQ(file.substr(file.size() - 31), "0032\t0.000\t\t0.000\t0.000\t0.000\r\n");
    EXPECT_EQ(file.size(), 4 + 33 * 31u);
}

// A line of unknown format stops the showing once and leaves the document.
TEST(ToolOffsetTableTest, UnknownFormatStopsOnceAndLeavesTheDocument) {
    for (const std::string bad :
         {"0004\t1.000\t\t1.000\t1.000\t12.000", "0004\t1.000\t\t1.000\t1.000\t-1.000",
          "0004\t1.000\t\t1.000\t1.000", "4"}) {
        SCOPED_TRACE(bad);
        ToolOffsetDocument doc;
        ASSERT_EQ(doc.read(kHeader + "0001\t1.000\t\t2.000\t3.000\t4.000\r\n" + bad +
                           "\r\n0009\t9.000\t\t9.000\t9.000\t1.000\r\n"),
                  CncTableDocument::ReadResult::Ok);
        ToolOffsetTable table(doc);
        RecordingInteraction ui;
        EXPECT_FALSE(table.show(ui));
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].text, "未知的文件数据格式");
        EXPECT_EQ(table.cell(1, Tool::Z), "2.000");  // shown before the bad line
        EXPECT_EQ(table.cell(1, Tool::T), "4");
        EXPECT_EQ(table.cell(9, Tool::X), "0.000");  // not shown after it
        EXPECT_EQ(doc.entry(4), bad);
        EXPECT_EQ(doc.entry(9), "0009\t9.000\t\t9.000\t9.000\t1.000");
        EXPECT_TRUE(doc.entry(0).empty());
    }
}

TEST(CncTableDocumentTest, ReadingKeepsOnlyNumberedLinesAndFilesRoundTripByteExact) {
    ToolOffsetDocument doc;
    const std::string entry0 = "0000\t1.000\t\t1.000\t1.000\t1.000";
    // An empty line (as written for an empty entry) must not wipe entry 0.
    ASSERT_EQ(doc.read(kHeader + entry0 + "\r\n\r\n0040\tx\r\nfoo\n-1\ty\n 7\tz"),
              CncTableDocument::ReadResult::Ok);
    EXPECT_EQ(doc.entry(0), entry0);
    EXPECT_EQ(doc.entry(7), " 7\tz");
    for (std::size_t i = 1; i < doc.entryCount(); ++i)
        if (i != 7) {
            EXPECT_TRUE(doc.entry(i).empty()) << i;
        }

    // A reload starts from an empty table.
    ASSERT_EQ(doc.read(kHeader + "0002\tq\r\n"), CncTableDocument::ReadResult::Ok);
    EXPECT_TRUE(doc.entry(0).empty());
    EXPECT_EQ(doc.entry(2), "0002\tq");

    // A bad header leaves the document as it was.
    EXPECT_EQ(doc.read("\x03\x04\x05"), CncTableDocument::ReadResult::BadHeader);
    EXPECT_EQ(doc.read("\x03\x04\x05\x07\r\n0003\t9\t\t9\r\n"),
              CncTableDocument::ReadResult::BadHeader);
    EXPECT_EQ(doc.entry(2), "0002\tq");

    std::string file = kHeader;
    for (int i = 0; i < 256; ++i)
        file += i % 3 == 0 ? std::string("\r\n") : std::to_string(i) + "\t-" + "12\t\t7\r\r\n";
    PitchCompensationDocument pitch;
    ASSERT_EQ(pitch.read(file), CncTableDocument::ReadResult::Ok);
    EXPECT_EQ(pitch.write(), file);
}

TEST(CncTableDocumentTest, OpenAndSaveUseTheFileAndRefuseHugeFiles) {
    const common::TempFolder folder("kelcc_tables_");
    const fs::path& dir = folder.path();
    const std::string path = (dir / ToolOffsetDocument::kFileName).string();

    ToolOffsetDocument doc;
    EXPECT_FALSE(doc.open(path).error.empty());
    ASSERT_TRUE(common::AtomicFile::write(path, kHeader + "0001\ta\r\n").ok);
    ASSERT_TRUE(doc.open(path).ok);
    doc.setModified(true);
    ASSERT_TRUE(doc.save(path).ok);
    EXPECT_FALSE(doc.modified());

    ASSERT_TRUE(
        common::AtomicFile::write(path, kHeader + std::string(CncTableDocument::kMaxFileBytes, 'x'))
            .ok);
    EXPECT_FALSE(doc.open(path).error.empty());
    EXPECT_EQ(doc.entry(1), "0001\ta");
}

TEST(ToolOffsetTableTest, EditsNormaliseAndMarkOnlyRealChanges) {
    Marked<ToolOffsetDocument> m;
    ToolOffsetTable table(m.doc);
    RecordingInteraction ui;
    ASSERT_TRUE(table.show(ui));

    EXPECT_TRUE(table.editCell(4, Tool::X, "5"));
    EXPECT_EQ(table.cell(4, Tool::X), "5.000");
    EXPECT_EQ(m.doc.entry(4), "0004\t5.000\t\t0.000\t0.000\t0.000");
    EXPECT_TRUE(m.doc.modified());
    EXPECT_EQ(m.marks, 1);

    EXPECT_FALSE(table.editCell(4, Tool::X, "5.0"));  // same value
    EXPECT_FALSE(table.editCell(4, Tool::Z, "1-"));   // refused, cell kept
    EXPECT_EQ(table.cell(4, Tool::Z), "0.000");
    EXPECT_EQ(m.marks, 1);

    EXPECT_TRUE(table.editCell(4, Tool::T, "3"));
    EXPECT_EQ(m.doc.entry(4), "0004\t5.000\t\t0.000\t0.000\t3.000");
    EXPECT_EQ(m.marks, 2);
}

TEST(PitchCompensationTableTest, ShowsClampsAndCollectsRows) {
    Marked<PitchCompensationDocument> m;
    ASSERT_EQ(m.doc.read(CncTableDocument::seedFile()), CncTableDocument::ReadResult::Ok);
    PitchCompensationTable table(m.doc);
    RecordingInteraction ui;
    ASSERT_TRUE(table.show(ui));
    EXPECT_EQ(table.cell(255, Pitch::Z), "0");
    EXPECT_EQ(m.doc.entry(0), "0000\t0\t\t0");
    EXPECT_EQ(m.marks, 0);

    EXPECT_TRUE(table.editCell(0, Pitch::X, "300"));
    EXPECT_TRUE(table.editCell(0, Pitch::Z, "-300"));
    EXPECT_EQ(m.doc.entry(0), "0000\t255\t\t-255");
    EXPECT_EQ(m.marks, 2);
    // Row 001 of the table is the point of index 0000; row 256 the last.
    EXPECT_EQ(PitchCompensationTable::rowLabel(0), "001");
    ASSERT_TRUE(table.editCell(255, Pitch::Z, "-8"));
    EXPECT_EQ(m.doc.entry(255), "0255\t0\t\t-8");

    ASSERT_EQ(m.doc.read(kHeader + "0001\t-3\t\t4\r\n0002\t5\t6\r\n"),
              CncTableDocument::ReadResult::Ok);
    EXPECT_FALSE(table.show(ui));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "未知的文件数据格式");
    EXPECT_EQ(table.cell(1, Pitch::X), "-3");
    EXPECT_EQ(table.cell(0, Pitch::X), "0");  // reset by the new show
}

}  // namespace
}  // namespace kelcc::core::cnc_data
