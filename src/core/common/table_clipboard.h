#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/table_model.h"

namespace kelcc::core::common {

// Cell ranges to and from TAB-separated text. A paste commits every cell
// with its column's rule, strictly, as one undo step; what a rule refuses
// is left as it was and counted with its reason.
class TableClipboard final {
public:
    static constexpr const char* kPasteText = "粘贴";
    static constexpr const char* kOutsideText = "超出表格范围.";
    static constexpr const char* kReadOnlyText = "单元格不能编辑.";

    struct Refusal {
        CellRef cell;  // where it would have gone
        std::string reason;
    };

    struct PasteResult {
        int stored = 0;
        std::vector<Refusal> refused;
        std::vector<CellRef> changed;  // stored cells and the cells their rules redrew
        // Each reason once, in the order first met, with its count.
        std::vector<std::pair<std::string, int>> reasons() const;
    };

    // Rows top..bottom, columns left..right, inclusive.
    static std::string copy(const TableModel& model, int top, int left, int bottom, int right);
    // The text lands with its first cell at (top, left). Texts that land on
    // the fixed column are the rows' names and are skipped.
    static PasteResult paste(TableModel& model, int top, int left, std::string_view text);
};

}  // namespace kelcc::core::common
