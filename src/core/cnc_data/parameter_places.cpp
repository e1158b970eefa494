#include "cnc_data/parameter_places.h"

#include "cnc_data/function_groups.h"
#include "cnc_data/parameter_catalogue.h"

namespace kelcc::core::cnc_data {

namespace {

std::optional<int> itemIn(const FunctionGroup& group, int number) {
    for (std::size_t item = 0; item < group.items.size(); ++item)
        if (group.items[item].number == number) return static_cast<int>(item);
    return std::nullopt;
}

}  // namespace

std::optional<ParameterPlaces::GroupPlace> ParameterPlaces::inGroups(int number, int group) {
    const auto groups = FunctionGroups::all();
    if (group >= 0 && group < static_cast<int>(groups.size()))
        if (const auto item = itemIn(groups[static_cast<std::size_t>(group)], number))
            return GroupPlace{group, *item};
    for (std::size_t index = 0; index < groups.size(); ++index)
        if (const auto item = itemIn(groups[index], number))
            return GroupPlace{static_cast<int>(index), *item};
    return std::nullopt;
}

std::optional<ParameterPlaces::BranchPlace> ParameterPlaces::inBranches(int number) {
    const ParameterSlot slot = ParameterCatalogue::slot(number);
    if (slot.kind == ParameterKind::Bit) return BranchPlace{0, slot.index};
    if (slot.kind == ParameterKind::Data) return BranchPlace{1, slot.index};
    return std::nullopt;
}

int ParameterPlaces::numberOf(BranchPlace place) {
    if (place.branch == 0) return ParameterCatalogue::bitNumber(place.child);
    if (place.branch == 1) return ParameterCatalogue::dataNumber(place.child);
    return 0;
}

}  // namespace kelcc::core::cnc_data
