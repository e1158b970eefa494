#include "print_pagination.h"

#include <cstdint>

namespace kelcc::core::ladder_editor {

namespace {

// Prefix sums of the row heights: tops[r] = height of rows 1..r-1.
std::vector<std::int64_t> rowTops(const std::vector<int>& heights) {
    std::vector<std::int64_t> tops(heights.size() + 1, 0);
    for (std::size_t r = 1; r < heights.size(); ++r)
        tops[r + 1] = tops[r] + heights[r];
    return tops;
}

}  // namespace

std::vector<PrintPage> PrintPagination::paginate(const std::vector<int>& rowHeights,
                                                 const std::vector<plc::Network>& networks,
                                                 const Layout& layout) {
    std::vector<PrintPage> pages;
    const auto tops = rowTops(rowHeights);
    const int rows = static_cast<int>(rowHeights.size()) - 1;
    auto top = [&](int row) { return tops[static_cast<std::size_t>(row)]; };
    auto bottom = [&](int row) { return tops[static_cast<std::size_t>(row) + 1]; };

    const std::int64_t usable = layout.printableHeight - kBottomReserve;
    const std::int64_t splitLimit = layout.printableHeight - kSplitReserve;

    std::vector<plc::Network> valid;
    for (const auto& n : networks) {
        if (n.firstRow >= 1 && n.lastRow >= n.firstRow && n.lastRow <= rows) valid.push_back(n);
    }

    std::size_t next = 0;
    while (next < valid.size()) {
        // Positions on this page: its first row starts at the top margin.
        const int pageFirst = valid[next].firstRow;
        auto position = [&](std::int64_t y) { return layout.topMargin + y - top(pageFirst); };

        std::size_t end = next;
        while (end < valid.size() && position(top(valid[end].firstRow)) <= usable &&
               position(bottom(valid[end].lastRow)) <= usable) {
            ++end;
        }
        if (end > next) {
            pages.push_back({pageFirst, valid[end - 1].lastRow, static_cast<int>(next),
                             static_cast<int>(end - 1)});
            next = end;
            continue;
        }

        // Too tall for one page: split at row boundaries. A rest that would
        // still run past the usable height is split further as well, and
        // every page takes at least one row so that a single row taller
        // than the page cannot stop the pagination.
        const plc::Network& n = valid[next];
        const int index = static_cast<int>(next);
        int start = n.firstRow;
        auto restTooTall = [&] {
            const std::int64_t rest = bottom(n.lastRow) - top(start);
            return rest > splitLimit || layout.topMargin + rest > usable;
        };
        while (start <= n.lastRow && restTooTall()) {
            int last = start;
            while (last < n.lastRow && layout.topMargin + bottom(last + 1) - top(start) <= usable) {
                ++last;
            }
            pages.push_back({start, last, index, index});
            start = last + 1;
        }
        if (start <= n.lastRow) pages.push_back({start, n.lastRow, index, index});
        ++next;
    }
    return pages;
}

std::string PrintPagination::header(std::string_view projectName, std::size_t maxNameChars) {
    // Cut at a character boundary: count UTF-8 lead bytes.
    std::size_t chars = 0;
    std::size_t cut = projectName.size();
    for (std::size_t i = 0; i < projectName.size(); ++i) {
        if ((static_cast<unsigned char>(projectName[i]) & 0xC0) == 0x80) continue;
        if (chars == maxNameChars) {
            cut = i;
            break;
        }
        ++chars;
    }
    std::string name(projectName.substr(0, cut));
    if (cut < projectName.size()) name += "...";
    return "KELCC工程-" + name + " PLC梯形图程序";
}

std::string PrintPagination::footer(int page, int pages) {
    return "第" + std::to_string(page) + "页/共" + std::to_string(pages) + "页";
}

}  // namespace kelcc::core::ladder_editor
