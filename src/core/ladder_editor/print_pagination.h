#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plc/network.h"

namespace kelcc::core::ladder_editor {

// One printed page: the ladder rows and the networks on it (a network too
// tall for a page is split, and each of its pages names it alone).
struct PrintPage {
    int firstRow = 0;
    int lastRow = 0;
    int firstNetwork = 0;  // indexes into the network list
    int lastNetwork = 0;

    bool operator==(const PrintPage&) const = default;
};

// Splits the ladder into pages before printing. Heights and positions are
// in one unit chosen by the caller (printer units after scaling).
class PrintPagination final {
public:
    static constexpr int kBottomReserve = 100;  // usable height = printable height - 100
    static constexpr int kSplitReserve = 160;   // a network taller than page - 160 is split
    static constexpr const char* kInitErrorText = "分配打印页错误(PrintPage_Init)";
    static constexpr const char* kAddErrorText = "分配打印页错误(PrintPage_Add)";

    struct Layout {
        int printableHeight = 0;  // height of the page's printable area
        int topMargin = 0;        // where the first row of a page starts
    };

    // `rowHeights` is indexed by row (entry 0 unused); `networks` in ladder
    // order, as the grid divides them. Networks are kept whole where they
    // fit; one that does not is split at row boundaries, at least one row
    // per page. No networks give no pages.
    static std::vector<PrintPage> paginate(const std::vector<int>& rowHeights,
                                           const std::vector<plc::Network>& networks,
                                           const Layout& layout);

    // "KELCC工程-<name> PLC梯形图程序"; a name longer than maxNameChars
    // characters is cut and ended with "..." (UTF-8).
    static std::string header(std::string_view projectName, std::size_t maxNameChars);
    // "第%1!d!页/共%2!d!页" with the numbers put in.
    static std::string footer(int page, int pages);
};

}  // namespace kelcc::core::ladder_editor
