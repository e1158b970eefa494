#include <gtest/gtest.h>

#include <string>

#include "cnc_data/function_groups.h"
#include "cnc_data/parameter_places.h"
#include "cnc_data/parameter_table_model.h"
#include "cnc_data/tool_offset_table.h"
#include "common/interaction.h"

namespace kelcc::core::cnc_data {
namespace {

using Place = ParameterPlaces::GroupPlace;
using Branch = ParameterPlaces::BranchPlace;

TEST(ParameterPlacesTest, EveryGroupItemAndEveryParameterIsFoundBothWays) {
    const auto groups = FunctionGroups::all();
    for (int group = 0; group < static_cast<int>(groups.size()); ++group) {
        const auto& items = groups[static_cast<std::size_t>(group)].items;
        for (int item = 0; item < static_cast<int>(items.size()); ++item) {
            const int number = items[static_cast<std::size_t>(item)].number;
            // The group shown wins over the first group holding the number.
            const auto found = ParameterPlaces::inGroups(number, group);
            ASSERT_TRUE(found) << number;
            EXPECT_EQ(found->group, group);
            EXPECT_EQ(items[static_cast<std::size_t>(found->item)].number, number);
        }
    }
    for (int number = 1; number <= ParameterCatalogue::kLastNumber; ++number) {
        const auto branch = ParameterPlaces::inBranches(number);
        EXPECT_EQ(branch.has_value(),
                  ParameterCatalogue::slot(number).kind != ParameterKind::Empty);
        if (branch) {
            EXPECT_EQ(ParameterPlaces::numberOf(*branch), number);
        }
    }
    const struct {
        int number;
        std::optional<Branch> branch;
    } cases[] = {{1, Branch{0, 0}},    {14, Branch{0, 13}}, {164, Branch{0, 14}},
                 {185, Branch{0, 29}}, {15, Branch{1, 0}},  {163, Branch{1, 148}},
                 {165, std::nullopt},  {200, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(ParameterPlaces::inBranches(c.number), c.branch) << c.number;
    EXPECT_EQ(ParameterPlaces::inGroups(15), (Place{1, 0}));
    EXPECT_FALSE(ParameterPlaces::inGroups(165));
}

TEST(ParameterTableModelTest, FilterMatchesNumberMnemonicAndDescriptionInBothLanguages) {
    ParameterDocument doc;
    ParameterTableModel model(doc);
    EXPECT_EQ(model.rowCount(), 200);
    const struct {
        const char* filter;
        int first;  // first number shown, 0 for none
        int count;  // -1: not counted
    } cases[] = {
        {"0164", 164, 1},    {"164", 164, 1},       {"rs232", 2, -1}, {"RS232", 2, -1},
        {"倍乘系数", 15, 2}, {"numerator", 15, -1}, {"zzzz", 0, 0},   {"", 1, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        model.setFilter(c.filter);
        if (c.count >= 0) {
            EXPECT_EQ(model.rowCount(), c.count);
        }
        EXPECT_EQ(model.numberAt(0), c.first);
        if (c.first) {
            EXPECT_EQ(model.rowOfNumber(c.first), 0);
        }
    }
    model.setFilter("0016");
    EXPECT_EQ(model.rowOfNumber(15), -1);
}

TEST(ParameterTableModelTest, TypingRulesCommitsAndMarkerFollowTheRowsRule) {
    ParameterDocument doc;
    ParameterTableModel model(doc);
    const auto row = [&](int number) { return model.rowOfNumber(number); };
    const struct {
        int number;
        const char* typed;
        bool typeable;
        const char* shown;  // after the commit; nullptr: refused
    } cases[] = {
        {1, "101", true, "00000101"}, {1, "2", false, nullptr},   {1, "111111111", false, nullptr},
        {15, "999", true, "255"},     {15, "-1", false, nullptr}, {15, "1234", false, nullptr},
        {44, "20000", true, "19200"}, {160, "1", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.number) + " " + c.typed);
        EXPECT_EQ(model.acceptsInput(row(c.number), 1, c.typed), c.typeable);
        const std::string before = model.text(row(c.number), 1);
        const auto result =
            model.commit(row(c.number), 1, c.typed, common::TableModel::Mode::Strict);
        EXPECT_EQ(result.stored(), c.shown != nullptr);
        EXPECT_EQ(model.text(row(c.number), 1), c.shown ? c.shown : before);
        if (c.shown) {
            EXPECT_TRUE(model.marked(row(c.number), 1));
        }
    }
    // Every stored commit is one step; undo brings the default (and no
    // marker) back.
    EXPECT_EQ(doc.undoStack().count(), 3);
    doc.undoStack().undo();
    model.refresh();
    EXPECT_EQ(model.text(row(44), 1), ParameterCatalogue::defaultValue(44));
    EXPECT_FALSE(model.marked(row(44), 1));
    EXPECT_TRUE(doc.modified());
    doc.undoStack().undo();
    doc.undoStack().undo();
    EXPECT_FALSE(doc.modified());
}

TEST(CncTableUndoTest, EachCellEditIsOneStepAndShowingIsNone) {
    ToolOffsetDocument doc;
    int marks = 0;
    doc.setProjectMark([&marks](bool) { ++marks; });
    ASSERT_EQ(doc.read(CncTableDocument::seedFile()), CncTableDocument::ReadResult::Ok);
    ToolOffsetTable table(doc);
    common::RecordingInteraction ui;
    ASSERT_TRUE(table.show(ui));
    EXPECT_EQ(doc.undoStack().count(), 0);
    EXPECT_EQ(marks, 0);
    EXPECT_EQ(table.commit(3, 1, "1.5", common::TableModel::Mode::Interactive).shown, "1.500");
    EXPECT_FALSE(table.commit(3, 4, "-", common::TableModel::Mode::Interactive).stored());
    EXPECT_EQ(doc.undoStack().count(), 1);
    EXPECT_TRUE(doc.modified());
    doc.undoStack().undo();
    table.refresh();
    EXPECT_EQ(table.text(3, 1), "0.000");
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(marks, 2);
}

}  // namespace
}  // namespace kelcc::core::cnc_data
