#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/interaction.h"
#include "compiler/compile_errors.h"
#include "plc/ladder_grid.h"

namespace kelcc::core::ladder_editor {

enum class FindKind {
    ElementName = 0,  // "元件名": addresses or any text of the cells
    Function = 1,     // "功能指令": cells of one function instruction
};

enum class FindDirection {
    Up,    // "向上": row 1 to the cursor row
    Down,  // "向下": the cursor row to the last row
    All,   // "全部" (the default)
};

struct FindRequest {
    FindKind kind = FindKind::ElementName;
    std::string text;  // as typed (UTF-8), at most kMaxChars
    FindDirection direction = FindDirection::All;
};

struct FindHit {
    int row = 0;
    int column = 0;

    bool operator==(const FindHit&) const = default;
};

// The find command of the ladder view. The output pane is cleared and
// receives `lines`, titled `title`. Found lines start with four blanks
// and "找到" ("Found"); the number after the first '(' is the row and,
// for element hits, the number after the second '(' the column.
//
// English lines, kept stable:
//   "---------------- Find %s ----------------", "Searching......",
//   "    Found item %4d : [Row(%d)Column(%d)]",
//   "    Found item %4d : [Row(%d)      ] : %s",
//   "No matching content found!",
//   "Find %s finished : %d result(s) found.", title "Find Results"
class LadderFind final {
public:
    static constexpr const char* kTitle = "查找";
    static constexpr std::size_t kMaxChars = 8;
    static constexpr const char* kEmptyText = "请输入查找内容!";
    static constexpr const char* kBadFunctionText = "查找内容输入错误!";

    struct Outcome {
        // False: a message was shown and the dialog stays open.
        bool accepted = false;
        std::vector<FindHit> hits;
        std::vector<std::string> lines;  // UTF-8
        std::string title;               // of the output page
    };

    static Outcome find(const plc::LadderGrid& grid, int cursorRow, const FindRequest& request,
                        common::Language language, common::Interaction& interaction);

    // The key of an element search: the canonical address when the text
    // reads as a C/T/D byte, label, subprogram or bit address (without a
    // point the bit is dropped: X5 -> X0005), else the text as typed.
    static std::string elementKey(std::string_view text);
};

}  // namespace kelcc::core::ladder_editor
