#pragma once

#include <optional>

namespace kelcc::core::cnc_data {

// Where a parameter shows in the by-function tree, so that a selection in
// one pane selects the same parameter in the other.
class ParameterPlaces final {
public:
    struct GroupPlace {
        int group = 0;  // index into FunctionGroups::all()
        int item = 0;   // index into the group's items
        bool operator==(const GroupPlace&) const = default;
    };
    // Under the by-number root: branch 0 "状态参数", 1 "数据参数".
    struct BranchPlace {
        int branch = 0;
        int child = 0;
        bool operator==(const BranchPlace&) const = default;
    };

    // The first group item editing `number`, preferring `group` (the one
    // shown) when it holds the parameter; nullopt when no group does.
    static std::optional<GroupPlace> inGroups(int number, int group = -1);
    static std::optional<BranchPlace> inBranches(int number);
    // The number a branch child stands for, 0 for none.
    static int numberOf(BranchPlace place);
};

}  // namespace kelcc::core::cnc_data
