#include "grid_text.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "common/text_codec.h"
#include "plc/instruction_code.h"

namespace kelcc::core::compiler {

using plc::LadderCell;
using plc::LadderGrid;
namespace {

using common::TextCodec;

// Bytes that are not GBK (a damaged file) are shown as \xNN rather than
// passed on as invalid UTF-8.
std::string toUtf8(std::string_view gbk) {
    auto converted = TextCodec::gbkToUtf8(gbk);
    if (converted.ok) return converted.text;
    std::string out;
    for (unsigned char c : gbk) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

std::vector<std::string_view> splitTabs(std::string_view line, std::size_t maxFields) {
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < maxFields) {
        auto tab = line.find('\t');
        if (tab == std::string_view::npos) break;
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

bool parseInt(std::string_view s, int& value) {
    if (s.empty()) return false;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && ptr == s.data() + s.size();
}

}  // namespace

std::string GridText::format(const plc::PlcDocument& doc) {
    std::string out;
    const LadderGrid& grid = doc.grid();
    const int last = grid.lastUsedRow();
    for (int r = 1; r <= LadderGrid::kRows; ++r) {
        const std::string& comment = doc.rowComment(r);
        if (!comment.empty()) out += "#" + std::to_string(r) + "\t" + toUtf8(comment) + "\n";
        if (r > last) continue;
        for (int c = 1; c <= LadderGrid::kColumns; ++c) {
            const LadderCell* cell = grid.cell(r, c);
            if (!cell) continue;
            out += std::to_string(r) + "\t" + std::to_string(c) + "\t" +
                   std::to_string(cell->kind) + "\t" + (cell->element ? "1" : "0") + "\t" +
                   (cell->verticalLink ? "1" : "0") + "\t" + toUtf8(cell->text) + "\n";
        }
    }
    return out;
}

GridText::ParseResult GridText::parse(std::string_view text, plc::PlcDocument& doc) {
    LadderGrid grid;
    std::vector<std::pair<int, std::string>> comments;
    ParseResult result;
    int lineNo = 0;
    auto fail = [&](std::string message) {
        result.ok = false;
        result.line = lineNo;
        result.error = "line " + std::to_string(lineNo) + ": " + std::move(message);
        return result;
    };
    while (!text.empty()) {
        ++lineNo;
        auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;

        if (line.front() == '#') {
            auto fields = splitTabs(line.substr(1), 2);
            int row = 0;
            if (fields.size() != 2 || !parseInt(fields[0], row))
                return fail("a comment line is #ROW<TAB>TEXT");
            if (row < 1 || row > LadderGrid::kRows) return fail("row out of range 1-5000");
            auto gbk = TextCodec::utf8ToGbk(fields[1]);
            if (!gbk.ok) return fail("comment text: " + gbk.error);
            if (gbk.text.size() > plc::PlcDocument::kMaxRowCommentBytes)
                return fail("comment longer than 99 bytes");
            comments.emplace_back(row, std::move(gbk.text));
            continue;
        }

        auto fields = splitTabs(line, 6);
        if (fields.size() != 6) return fail("expected ROW, COLUMN, KIND, ELEMENT, VLINK and TEXT");
        int row = 0, column = 0, kind = 0, element = 0, link = 0;
        if (!parseInt(fields[0], row) || !parseInt(fields[1], column) ||
            !parseInt(fields[2], kind) || !parseInt(fields[3], element) ||
            !parseInt(fields[4], link))
            return fail("ROW, COLUMN, KIND, ELEMENT and VLINK must be numbers");
        if (!LadderGrid::inRange(row, column)) return fail("cell outside rows 1-5000, columns 1-8");
        if (kind < 0 || kind > 255) return fail("kind out of range 0-255");
        if ((element != 0 && element != 1) || (link != 0 && link != 1))
            return fail("ELEMENT and VLINK must be 0 or 1");
        if (grid.cell(row, column)) return fail("cell given twice");
        if (element == 0 && (link == 0 || kind != plc::kCellKindVerticalLink))
            return fail("a cell without an element must be a vertical link of kind 15");
        if (element == 1 && kind == plc::kCellKindVerticalLink)
            return fail("kind 15 holds no element");
        if (link == 1 && row == LadderGrid::kRows)
            return fail("no vertical link from the last row");
        auto gbk = TextCodec::utf8ToGbk(fields[5]);
        if (!gbk.ok) return fail("text: " + gbk.error);
        if (element == 1) grid.setElement(row, column, kind, std::move(gbk.text));
        if (link == 1) grid.placeVerticalLink(row, column);
    }
    doc.grid() = std::move(grid);
    for (int r = 1; r <= LadderGrid::kRows; ++r)
        doc.loadRowComment(r, {});
    for (const auto& [row, comment] : comments)
        doc.loadRowComment(row, comment);
    result.ok = true;
    return result;
}

}  // namespace kelcc::core::compiler
