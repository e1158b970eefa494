#include "common/line_diff.h"

#include <algorithm>
#include <cstdint>

namespace kelcc::core::common {
namespace {

// Beyond this many cells of the table the middle part is shown as replaced
// whole; controller files are far smaller.
constexpr std::size_t kMaxTable = std::size_t{16} << 20;

enum class Op : std::uint8_t { Keep, Remove, Add };

struct Edit {
    Op op;
    std::size_t a;  // line index in the old text (Remove, Keep)
    std::size_t b;  // line index in the new text (Add, Keep)
};

// Longest common subsequence of the middle parts, as a list of edits.
std::vector<Edit> middleEdits(const std::vector<std::string>& a, const std::vector<std::string>& b,
                              std::size_t from, std::size_t aEnd, std::size_t bEnd) {
    const std::size_t n = aEnd - from;
    const std::size_t m = bEnd - from;
    std::vector<Edit> edits;
    if (n == 0 || m == 0 || (n + 1) * (m + 1) > kMaxTable) {
        for (std::size_t i = 0; i < n; ++i)
            edits.push_back({Op::Remove, from + i, from});
        for (std::size_t j = 0; j < m; ++j)
            edits.push_back({Op::Add, aEnd, from + j});
        return edits;
    }
    // table[i][j]: common lines of a[i..] and b[j..].
    std::vector<std::uint32_t> table((n + 1) * (m + 1), 0);
    const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            table[at(i, j)] = a[from + i] == b[from + j]
                                  ? table[at(i + 1, j + 1)] + 1
                                  : std::max(table[at(i + 1, j)], table[at(i, j + 1)]);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[from + i] == b[from + j]) {
            edits.push_back({Op::Keep, from + i++, from + j++});
        } else if (i < n && (j == m || table[at(i + 1, j)] >= table[at(i, j + 1)])) {
            edits.push_back({Op::Remove, from + i++, from + j});
        } else {
            edits.push_back({Op::Add, from + i, from + j++});
        }
    }
    return edits;
}

std::string range(std::size_t first, std::size_t count) {
    // An empty side names the line before it, as unified diffs do.
    return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

}  // namespace

std::vector<std::string> LineDiff::split(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> LineDiff::unified(std::string_view before, std::string_view after) {
    const std::vector<std::string> a = split(before);
    const std::vector<std::string> b = split(after);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    if (head == a.size() && head == b.size()) return {};
    std::size_t aEnd = a.size();
    std::size_t bEnd = b.size();
    while (aEnd > head && bEnd > head && a[aEnd - 1] == b[bEnd - 1]) {
        --aEnd;
        --bEnd;
    }

    std::vector<Edit> edits;
    for (std::size_t i = 0; i < head; ++i)
        edits.push_back({Op::Keep, i, i});
    for (const Edit& e : middleEdits(a, b, head, aEnd, bEnd))
        edits.push_back(e);
    for (std::size_t i = aEnd, j = bEnd; i < a.size(); ++i, ++j)
        edits.push_back({Op::Keep, i, j});

    // Hunks: changes with up to kContext kept lines around them, joined
    // when their context would touch.
    std::vector<std::string> out;
    std::size_t k = 0;
    while (k < edits.size()) {
        if (edits[k].op == Op::Keep) {
            ++k;
            continue;
        }
        std::size_t first = k >= kContext ? k - kContext : 0;
        std::size_t last = k;
        std::size_t kept = 0;
        for (std::size_t x = k; x < edits.size(); ++x) {
            if (edits[x].op != Op::Keep) {
                last = x;
                kept = 0;
            } else if (++kept > 2 * kContext) {
                break;
            }
        }
        const std::size_t end = std::min(edits.size(), last + 1 + kContext);
        std::size_t aCount = 0;
        std::size_t bCount = 0;
        for (std::size_t x = first; x < end; ++x) {
            if (edits[x].op != Op::Add) ++aCount;
            if (edits[x].op != Op::Remove) ++bCount;
        }
        out.push_back("@@ -" + range(edits[first].a, aCount) + " +" +
                      range(edits[first].b, bCount) + " @@");
        for (std::size_t x = first; x < end; ++x) {
            const Edit& e = edits[x];
            if (e.op == Op::Keep)
                out.push_back(" " + a[e.a]);
            else if (e.op == Op::Remove)
                out.push_back("-" + a[e.a]);
            else
                out.push_back("+" + b[e.b]);
        }
        k = end;
    }
    return out;
}

}  // namespace kelcc::core::common
