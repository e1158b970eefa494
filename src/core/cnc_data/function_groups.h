#pragma once

#include <span>
#include <string_view>
#include "common/language.h"

#include "cnc_data/value_constraint.h"

namespace kelcc::core::cnc_data {

// One line of a function group. A switch item edits one bit of a bit
// parameter and shows the option text of that bit's value; a value item
// (bit -1, no options) edits a data parameter.
struct GroupItem {
    std::string_view nameZh;
    std::string_view nameEn;
    std::string_view option0Zh;
    std::string_view option1Zh;
    std::string_view option0En;
    std::string_view option1En;
    int number = 0;  // the ParameterNumber the item edits
    int bit = -1;    // 0-7 for switch items

    bool isSwitch() const noexcept { return bit >= 0; }
    std::string_view name(common::Language language) const noexcept {
        return language == common::Language::Chinese ? nameZh : nameEn;
    }
    std::string_view option(int value, common::Language language) const noexcept {
        if (language == common::Language::Chinese) return value ? option1Zh : option0Zh;
        return value ? option1En : option0En;
    }
};

struct FunctionGroup {
    std::string_view nameZh;
    std::string_view nameEn;
    std::span<const GroupItem> items;

    std::string_view name(common::Language language) const noexcept {
        return language == common::Language::Chinese ? nameZh : nameEn;
    }
};

// The 22 groups of the by-function view.
class FunctionGroups final {
public:
    static constexpr int kCount = 22;
    // Field sizes of the controller's group tables.
    static constexpr int kMaxItems = 20;
    static constexpr int kItemNameBytes = 60;
    static constexpr int kOptionBytes = 20;

    // Captions of the by-function tree and of its item grid.
    static constexpr std::string_view kByFunctionRoot = "按功能设置";
    static constexpr std::string_view kByNumberRoot = "按序号设置";
    static constexpr std::string_view kBitBranch = "状态参数";
    static constexpr std::string_view kDataBranch = "数据参数";
    static constexpr std::string_view kItemColumn = "相关参数";
    static constexpr int kItemColumnWidth = 265;
    static constexpr std::string_view kValueColumn = "参数值(或选项)";
    static constexpr int kValueColumnWidth = 100;
    static constexpr std::string_view kNumberColumn = "参数序号";

    static std::span<const FunctionGroup> all() noexcept;
};

}  // namespace kelcc::core::cnc_data
