#include "plc/plc_document.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "../common/case_file.h"
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

TEST_F(PlcDocumentTest, CommentsFollowTheirRowsWhenRowsMove) {
    for (const test::Case& c : test::ReadCases("core/plc/cases/comment_row_moves.txt")) {
        doc.clear();
        const int first = std::stoi(c[2]), count = std::stoi(c[3]);
        const int commentRow = std::stoi(c[4]), expectedRow = std::stoi(c[5]);
        const bool changes = c[6] == "yes";
        ASSERT_TRUE(doc.setRowComment(commentRow, "note")) << c.where;
        ASSERT_TRUE(doc.setCell(commentRow, 1, kContact, "X0000.0")) << c.where;
        resetMarks();

        EXPECT_EQ(c[1] == "insert" ? doc.insertRows(first, count) : doc.deleteRows(first, count),
                  changes)
            << c.where;
        EXPECT_EQ(allMarks(), changes) << c.where;
        EXPECT_EQ(anyMark(), changes) << c.where;
        if (expectedRow == 0) {
            EXPECT_EQ(doc.lastUsedRow(), 0) << c.where;
            for (int r = 1; r <= LadderGrid::kRows; ++r)
                ASSERT_TRUE(doc.rowComment(r).empty()) << c.where << " row " << r;
            continue;
        }
        EXPECT_EQ(doc.rowComment(expectedRow), "note") << c.where;
        ASSERT_NE(doc.cell(expectedRow, 1), nullptr) << c.where;
        EXPECT_EQ(doc.lastUsedRow(), expectedRow) << c.where;
        if (expectedRow != commentRow) {
            EXPECT_TRUE(doc.rowComment(commentRow).empty()) << c.where;
        }
    }
}

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

// Applies an edit of cases/document_edits.txt.
bool Apply(PlcDocument& d, const test::Case& c) {
    const std::string& edit = c[2];
    auto n = [&](std::size_t i) { return std::stoi(c[i]); };
    auto u8 = [&](std::size_t i) { return static_cast<std::uint8_t>(n(i)); };
    auto word = [&](std::size_t i) { return static_cast<std::uint32_t>(n(i)); };
    auto record = [&] { return DataWordRecord{word(4), word(5), word(6), c[7], c[8]}; };
    const std::vector<std::string> rest(c.fields.begin() + 3, c.fields.end());
    if (edit == "setCell") return d.setCell(n(3), n(4), n(5), c[6]);
    if (edit == "deleteCell") return d.deleteCell(n(3), n(4));
    if (edit == "clearVerticalLink") return d.clearVerticalLink(n(3), n(4));
    if (edit == "setRowComment") return d.setRowComment(n(3), c[4]);
    if (edit == "insertRows") return d.insertRows(n(3), n(4));
    if (edit == "deleteRows") return d.deleteRows(n(3), n(4));
    if (edit == "setD") return d.setD(n(3), u8(4));
    if (edit == "setDComments") return d.setDComments(n(3), c[4], c[5]);
    if (edit == "setK") return d.setK(n(3), u8(4));
    if (edit == "setDc") return d.setDc(n(3), record());
    if (edit == "setDt") return d.setDt(n(3), record());
    if (edit == "setAlarms") return d.setAlarms(rest);
    if (edit == "setIoComments") return d.setIoComments(rest);
    ADD_FAILURE() << c.where << ": no edit " << edit;
    return false;
}

TEST_F(PlcDocumentTest, MarksAreSetExactlyWhenSomethingChanged) {
    for (const test::Case& c : test::ReadCases("core/plc/cases/document_edits.txt")) {
        doc.clear();
        ASSERT_TRUE(doc.setCell(1, 1, kContact, "X0000.0"));
        ASSERT_TRUE(doc.setCell(1, 2, kLink, ""));
        ASSERT_TRUE(doc.setCell(2, 8, kCoil, "Y0000.0"));
        ASSERT_TRUE(doc.setRowComment(2, "comment"));
        ASSERT_TRUE(doc.setAlarms({"A0000.0\t0001\tfault"}));
        resetMarks();

        const bool changes = c[1] == "yes";
        EXPECT_EQ(Apply(doc, c), changes) << c.where << " " << c[0];
        EXPECT_TRUE(changes ? allMarks() : !anyMark()) << c.where << " " << c[0];
    }
}

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
