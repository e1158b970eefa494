#include <gtest/gtest.h>

#include <string>

#include "../common/case_file.h"
#include "cnc_data/function_groups.h"
#include "cnc_data/parameter_places.h"
#include "cnc_data/parameter_table_model.h"

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
    for (const test::Case& c : test::ReadCases("core/cnc_data/cases/names_and_filters.txt")) {
        if (c[0] != "branch") continue;
        const auto branch = ParameterPlaces::inBranches(std::stoi(c[1]));
        EXPECT_EQ(branch ? std::to_string(branch->branch) : "none", c[2]) << c.where;
        if (branch) {
            EXPECT_EQ(std::to_string(branch->child), c[3]) << c.where;
        }
    }
    EXPECT_EQ(ParameterPlaces::inGroups(15), (Place{1, 0}));
    EXPECT_FALSE(ParameterPlaces::inGroups(165));
}

TEST(ParameterTableModelTest, FilterMatchesNumberMnemonicAndDescriptionInBothLanguages) {
    ParameterDocument doc;
    ParameterTableModel model(doc);
    EXPECT_EQ(model.rowCount(), 200);
    for (const test::Case& c : test::ReadCases("core/cnc_data/cases/names_and_filters.txt")) {
        if (c[0] != "filter") continue;
        model.setFilter(c[1]);
        if (c[3] != "-") {
            EXPECT_EQ(model.rowCount(), std::stoi(c[3])) << c.where;
        }
        EXPECT_EQ(model.numberAt(0), std::stoi(c[2])) << c.where;
        if (c[2] != "0") {
            EXPECT_EQ(model.rowOfNumber(std::stoi(c[2])), 0) << c.where;
        }
    }
    model.setFilter("0016");
    EXPECT_EQ(model.rowOfNumber(15), -1);
}

TEST(ParameterTableModelTest, TypingRulesCommitsAndMarkerFollowTheRowsRule) {
    ParameterDocument doc;
    ParameterTableModel model(doc);
    const auto row = [&](int number) { return model.rowOfNumber(number); };
    for (const test::Case& c : test::ReadCases("core/cnc_data/cases/names_and_filters.txt")) {
        if (c[0] != "commit") continue;
        const int r = row(std::stoi(c[1]));
        EXPECT_EQ(model.acceptsInput(r, 1, c[2]), c[3] == "yes") << c.where;
        const std::string before = model.text(r, 1);
        const bool refused = c[4] == "refused";
        EXPECT_EQ(model.commit(r, 1, c[2], common::TableModel::Mode::Strict).stored(), !refused)
            << c.where;
        EXPECT_EQ(model.text(r, 1), refused ? before : c[4]) << c.where;
        if (!refused) {
            EXPECT_TRUE(model.marked(r, 1)) << c.where;
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

}  // namespace
}  // namespace kelcc::core::cnc_data
