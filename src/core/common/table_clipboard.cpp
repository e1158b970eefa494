#include "common/table_clipboard.h"

#include <algorithm>

#include "common/table_text.h"

namespace kelcc::core::common {

std::vector<std::pair<std::string, int>> TableClipboard::PasteResult::reasons() const {
    std::vector<std::pair<std::string, int>> list;
    for (const Refusal& r : refused) {
        auto it = std::find_if(list.begin(), list.end(),
                               [&](const auto& entry) { return entry.first == r.reason; });
        if (it == list.end())
            list.emplace_back(r.reason, 1);
        else
            ++it->second;
    }
    return list;
}

std::string TableClipboard::copy(const TableModel& model, int top, int left, int bottom,
                                 int right) {
    TableText::Rows rows;
    for (int row = std::max(top, 0); row <= bottom && row < model.rowCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = std::max(left, 0); column <= right && column < model.columnCount();
             ++column)
            cells.push_back(model.text(row, column));
        rows.push_back(std::move(cells));
    }
    return TableText::writeTsv(rows);
}

TableClipboard::PasteResult TableClipboard::paste(TableModel& model, int top, int left,
                                                  std::string_view text) {
    PasteResult result;
    const TableText::Rows rows = TableText::parseTsv(text);
    const std::vector<int> order = model.commitOrder();
    model.beginGroup(kPasteText);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = top + static_cast<int>(i);
        const auto& cells = rows[i];
        for (std::size_t j = 0; j < cells.size(); ++j) {
            const int column = left + static_cast<int>(j);
            const bool inside =
                column < model.columnCount() && (model.growing() || row < model.rowCount());
            if (!inside) result.refused.push_back({{row, column}, kOutsideText});
        }
        if (!model.growing() && row >= model.rowCount()) continue;
        for (int column : order) {
            const int j = column - left;
            if (j < 0 || j >= static_cast<int>(cells.size())) continue;
            if (!model.editor(row, column).editable()) {
                result.refused.push_back({{row, column}, kReadOnlyText});
                continue;
            }
            const CommitResult commit = model.commit(
                row, column, cells[static_cast<std::size_t>(j)], TableModel::Mode::Strict);
            if (!commit.stored()) {
                result.refused.push_back(
                    {{row, column},
                     commit.messages.empty() ? kReadOnlyText : commit.messages.front().text});
                continue;
            }
            ++result.stored;
            result.changed.push_back({row, column});
            result.changed.insert(result.changed.end(), commit.redraw.begin(), commit.redraw.end());
        }
    }
    model.endGroup();
    return result;
}

}  // namespace kelcc::core::common
