#include "plc/plc_document.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "plc/instruction_code.h"
#include "plc/program_file.h"

namespace kelcc::core::plc {
namespace {

using plc::LadderGrid;

constexpr int kContact = 1;
constexpr int kCoil = 6;
constexpr int kLink = 15;
constexpr int kEnd1 = static_cast<int>(InstructionCode::END1);

class PlcDocumentTest : public ::testing::Test {
protected:
    // Forget the marks of the set-up so a test sees only its own changes.
    void resetMarks() {
        doc.setModified(false);
        project.clearModified();
        project.setPlcCompiled(true);
    }
    bool anyMark() const {
        return doc.modified() || project.projectModified() || !project.plcCompiled();
    }
    bool allMarks() const {
        return doc.modified() && project.projectModified() && !project.plcCompiled();
    }

    SimpleProjectState project;
    PlcDocument doc{project};
};

// --- comments travel with their rows ----------------------------------------

struct RowMove {
    const char* name;
    bool insert;
    int first;
    int count;
    int commentRow;
    int expectedRow;  // 0: the comment is gone
    bool changes = true;
};

void PrintTo(const RowMove& m, std::ostream* os) {
    *os << m.name;
}

class CommentsFollowRows : public PlcDocumentTest, public ::testing::WithParamInterface<RowMove> {};

TEST_P(CommentsFollowRows, TogetherWithTheirCells) {
    const RowMove m = GetParam();
    ASSERT_TRUE(doc.setRowComment(m.commentRow, "note"));
    ASSERT_TRUE(doc.setCell(m.commentRow, 1, kContact, "X0000.0"));
    resetMarks();

    EXPECT_EQ(m.insert ? doc.insertRows(m.first, m.count) : doc.deleteRows(m.first, m.count),
              m.changes);
    EXPECT_EQ(allMarks(), m.changes);
    EXPECT_EQ(anyMark(), m.changes);
    if (m.expectedRow == 0) {
        EXPECT_EQ(doc.lastUsedRow(), 0);
        for (int r = 1; r <= LadderGrid::kRows; ++r)
            ASSERT_TRUE(doc.rowComment(r).empty()) << r;
        return;
    }
    EXPECT_EQ(doc.rowComment(m.expectedRow), "note");
    ASSERT_NE(doc.cell(m.expectedRow, 1), nullptr);
    EXPECT_EQ(doc.lastUsedRow(), m.expectedRow);
    if (m.expectedRow != m.commentRow) {
        EXPECT_TRUE(doc.rowComment(m.commentRow).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CommentsFollowRows,
    ::testing::Values(
        RowMove{"DeleteTwoAbove", false, 3, 2, 10, 8},
        RowMove{"DeleteBelow", false, 11, 5, 10, 10, false},
        RowMove{"DeleteTheRowItself", false, 9, 2, 10, 0},
        RowMove{"InsertTwoAbove", true, 3, 2, 10, 12},
        RowMove{"InsertAtTheRow", true, 10, 1, 10, 11},
        RowMove{"InsertPushesOffTheEnd", true, LadderGrid::kRows - 3, 5, LadderGrid::kRows - 1, 0},
        RowMove{"InsertToTheLastRow", true, 4990, 4, LadderGrid::kRows - 4, LadderGrid::kRows}),
    [](const ::testing::TestParamInfo<RowMove>& info) { return info.param.name; });

// --- delete empty rows --------------------------------------------------------

TEST_F(PlcDocumentTest, DeleteEmptyRowsRemovesRunsAndBareLinkRows) {
    // 1 E "one" | 2 - "lost" | 3 - | 4 link only | 5 E "five" | 6 E | 7 - |
    // 8 link only (last used row) | 9 - "nine"
    ASSERT_TRUE(doc.setCell(1, 1, kContact, "X0000.1"));
    ASSERT_TRUE(doc.setCell(1, 8, kCoil, "Y0000.1"));
    ASSERT_TRUE(doc.setRowComment(1, "one"));
    ASSERT_TRUE(doc.setRowComment(2, "lost"));
    ASSERT_TRUE(doc.setCell(4, 3, kLink, ""));
    ASSERT_TRUE(doc.setCell(4, 5, kLink, ""));
    ASSERT_TRUE(doc.setCell(5, 1, kContact, "X0000.5"));
    ASSERT_TRUE(doc.setCell(5, 3, kLink, ""));  // an element row with a link stays
    ASSERT_TRUE(doc.setRowComment(5, "five"));
    ASSERT_TRUE(doc.setCell(6, 1, kEnd1, "END1"));
    ASSERT_TRUE(doc.setCell(8, 2, kLink, ""));
    ASSERT_TRUE(doc.setRowComment(9, "nine"));
    resetMarks();

    EXPECT_EQ(doc.deleteEmptyRows(), 4);  // rows 2, 3, 4 and 7
    EXPECT_TRUE(allMarks());

    EXPECT_EQ(doc.cell(1, 1)->text, "X0000.1");
    EXPECT_EQ(doc.rowComment(1), "one");
    EXPECT_EQ(doc.cell(2, 1)->text, "X0000.5");
    EXPECT_EQ(doc.cell(2, 3)->verticalLink, 1);
    EXPECT_EQ(doc.cell(2, 1)->row, 2);
    EXPECT_EQ(doc.rowComment(2), "five");
    EXPECT_EQ(doc.cell(3, 1)->kind, kEnd1);
    // The last used row is never examined, even when it holds only links.
    ASSERT_NE(doc.cell(4, 2), nullptr);
    EXPECT_EQ(doc.cell(4, 2)->kind, kLink);
    EXPECT_EQ(doc.lastUsedRow(), 4);
    // Rows after it are not deleted but move up with the rest.
    EXPECT_EQ(doc.rowComment(5), "nine");
    for (int r : {3, 4, 6, 7, 8, 9})
        EXPECT_TRUE(doc.rowComment(r).empty()) << r;

    // Nothing left to delete: no marks.
    resetMarks();
    EXPECT_EQ(doc.deleteEmptyRows(), 0);
    EXPECT_FALSE(anyMark());
}

TEST_F(PlcDocumentTest, DeleteEmptyRowsOnAFullGridIsOnePass) {
    // Every second row empty and commented, every other row an element whose
    // comment names it: half of the grid goes and every kept comment must
    // stay with its element.
    for (int r = 1; r <= LadderGrid::kRows; ++r) {
        if (r % 2 == 0) {
            ASSERT_TRUE(doc.setCell(r, 1, kContact, std::to_string(r)));
            ASSERT_TRUE(doc.setRowComment(r, std::to_string(r)));
        } else {
            ASSERT_TRUE(doc.setRowComment(r, "gone"));
            if (r % 3 == 0) {
                ASSERT_TRUE(doc.setCell(r, 4, kLink, ""));
            }
        }
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(doc.deleteEmptyRows(), LadderGrid::kRows / 2);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Generous: a row-by-row rotation takes seconds, one pass milliseconds.
    EXPECT_LT(elapsed, std::chrono::seconds(1));
    for (int r = 1; r <= LadderGrid::kRows / 2; ++r) {
        const plc::LadderCell* cell = doc.cell(r, 1);
        ASSERT_NE(cell, nullptr) << r;
        ASSERT_EQ(cell->text, std::to_string(2 * r));
        ASSERT_EQ(doc.rowComment(r), cell->text);
    }
    EXPECT_EQ(doc.lastUsedRow(), LadderGrid::kRows / 2);
    for (int r = LadderGrid::kRows / 2 + 1; r <= LadderGrid::kRows; ++r)
        ASSERT_TRUE(doc.rowComment(r).empty()) << r;
}

// --- marks only on change ---------------------------------------------------

struct Edit {
    const char* name;
    std::function<bool(PlcDocument&)> apply;
    bool changes;
};

void PrintTo(const Edit& e, std::ostream* os) {
    *os << e.name;
}

class MarksOnChange : public PlcDocumentTest, public ::testing::WithParamInterface<Edit> {};

TEST_P(MarksOnChange, AreSetExactlyWhenSomethingChanged) {
    ASSERT_TRUE(doc.setCell(1, 1, kContact, "X0000.0"));
    ASSERT_TRUE(doc.setCell(1, 2, kLink, ""));
    ASSERT_TRUE(doc.setCell(2, 8, kCoil, "Y0000.0"));
    ASSERT_TRUE(doc.setRowComment(2, "comment"));
    ASSERT_TRUE(doc.setAlarms({"A0000.0\t0001\tfault"}));
    resetMarks();

    EXPECT_EQ(GetParam().apply(doc), GetParam().changes);
    if (GetParam().changes) {
        EXPECT_TRUE(allMarks());
    } else {
        EXPECT_FALSE(anyMark());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, MarksOnChange,
    ::testing::Values(
        Edit{"SameElement", [](PlcDocument& d) { return d.setCell(1, 1, kContact, "X0000.0"); },
             false},
        Edit{"OtherOperand", [](PlcDocument& d) { return d.setCell(1, 1, kContact, "X0000.1"); },
             true},
        Edit{"LinkInColumnOne", [](PlcDocument& d) { return d.setCell(3, 1, kLink, ""); }, false},
        Edit{"LinkAgain", [](PlcDocument& d) { return d.setCell(1, 2, kLink, ""); }, false},
        Edit{"NewLink", [](PlcDocument& d) { return d.setCell(1, 8, kLink, ""); }, true},
        Edit{"DeleteEmptyPlace", [](PlcDocument& d) { return d.deleteCell(5, 5); }, false},
        Edit{"DeleteBareLink", [](PlcDocument& d) { return d.deleteCell(1, 2); }, false},
        Edit{"DeleteElement", [](PlcDocument& d) { return d.deleteCell(1, 1); }, true},
        Edit{"ClearLink", [](PlcDocument& d) { return d.clearVerticalLink(1, 2); }, true},
        Edit{"ClearNoLink", [](PlcDocument& d) { return d.clearVerticalLink(1, 1); }, false},
        Edit{"SameComment", [](PlcDocument& d) { return d.setRowComment(2, "comment"); }, false},
        Edit{"OtherComment", [](PlcDocument& d) { return d.setRowComment(2, "other"); }, true},
        Edit{"ClearComment", [](PlcDocument& d) { return d.setRowComment(2, ""); }, true},
        Edit{"CommentOutsideRows", [](PlcDocument& d) { return d.setRowComment(0, "x"); }, false},
        Edit{"InsertBelowEverything", [](PlcDocument& d) { return d.insertRows(3, 4); }, false},
        Edit{"InsertAtCommentRow", [](PlcDocument& d) { return d.insertRows(2, 1); }, true},
        Edit{"DeleteBelowEverything", [](PlcDocument& d) { return d.deleteRows(3, 4); }, false},
        Edit{"DeleteRowOne", [](PlcDocument& d) { return d.deleteRows(1, 1); }, true},
        Edit{"SameD", [](PlcDocument& d) { return d.setD(3, 0); }, false},
        Edit{"OtherD", [](PlcDocument& d) { return d.setD(3, 7); }, true},
        Edit{"DOutOfRange", [](PlcDocument& d) { return d.setD(PlcDocument::kDCount, 7); }, false},
        Edit{"DComments", [](PlcDocument& d) { return d.setDComments(0, "zh", "en"); }, true},
        Edit{"SameK", [](PlcDocument& d) { return d.setK(39, 0); }, false},
        Edit{"OtherK", [](PlcDocument& d) { return d.setK(39, 1); }, true},
        Edit{"SameDc", [](PlcDocument& d) { return d.setDc(0, DataWordRecord{}); }, false},
        Edit{"OtherDt",
             [](PlcDocument& d) {
                 return d.setDt(99, DataWordRecord{5, 0, 9, "", ""});
             },
             true},
        Edit{"SameAlarms", [](PlcDocument& d) { return d.setAlarms({"A0000.0\t0001\tfault"}); },
             false},
        Edit{"OtherAlarms", [](PlcDocument& d) { return d.setAlarms({}); }, true},
        Edit{"SameIoComments", [](PlcDocument& d) { return d.setIoComments({}); }, false},
        Edit{"OtherIoComments",
             [](PlcDocument& d) { return d.setIoComments({"0001\tX0000.0\tzh\ten"}); }, true}),
    [](const ::testing::TestParamInfo<Edit>& info) { return info.param.name; });

TEST_F(PlcDocumentTest, RowCommentsAreCutTo99Bytes) {
    ASSERT_TRUE(doc.setRowComment(4, std::string(150, 'c')));
    EXPECT_EQ(doc.rowComment(4), std::string(PlcDocument::kMaxRowCommentBytes, 'c'));
    // The same text again (cut to the same comment) is no change.
    EXPECT_FALSE(doc.setRowComment(4, std::string(120, 'c')));
    doc.loadRowComment(5, std::string(100, 'd'));
    EXPECT_EQ(doc.rowComment(5).size(), PlcDocument::kMaxRowCommentBytes);
    doc.loadRowComment(LadderGrid::kRows + 1, "ignored");
    EXPECT_TRUE(doc.rowComment(LadderGrid::kRows + 1).empty());
}

// A cleared document saves as a new one: nothing of the file it held or of
// the edits since is left (the fuzz targets reuse one document this way).
TEST_F(PlcDocumentTest, ClearedDocumentSavesAsANewOne) {
    SimpleProjectState sourceProject;
    PlcDocument source{sourceProject};
    ASSERT_TRUE(source.il().append(kEnd1, "END1"));
    source.setRowComment(10, "note");
    source.setD(3, 7);
    source.setDComments(4, "zh", "en");
    source.setK(1, 9);
    source.setDc(2, {1, 2, 3, "c", ""});
    source.setDt(5, {4, 5, 6, "", "t"});
    source.setAlarms({"A0001.2\tsmoke"});
    source.setIoComments({"0001\tX0000.0\tzh\ten"});
    common::RecordingInteraction ui;
    ASSERT_EQ(ProgramFile::read(ProgramFile::write(source), doc, ui), ProgramFile::kReadOk);
    // The insert pushes the comment to the last row, where the save finds it.
    ASSERT_TRUE(doc.insertRows(1, LadderGrid::kRows - 10));
    ASSERT_TRUE(doc.setCell(2, 1, kContact, "X0000.0"));
    ASSERT_NE(ProgramFile::write(doc).find("\r\n5000\tnote\r\n"), std::string::npos);

    doc.clear();
    const PlcDocument fresh{project};
    EXPECT_EQ(ProgramFile::write(doc), ProgramFile::write(fresh));
    EXPECT_EQ(doc.lastUsedRow(), 0);
    for (int r = 1; r <= LadderGrid::kRows; ++r)
        ASSERT_EQ(doc.rowComment(r), "") << "row " << r;
    EXPECT_FALSE(doc.undoStack().canUndo());
}

}  // namespace
}  // namespace kelcc::core::plc
