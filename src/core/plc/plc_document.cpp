#include "plc_document.h"

#include <algorithm>

#include "common/text_codec.h"

namespace kelcc::core::plc {

using compiler::LadderGrid;

PlcDocument::PlcDocument(ProjectState& project)
    : m_project(project), m_rowComments(LadderGrid::kRows + 1) {}

void PlcDocument::markChanged() {
    m_modified = true;
    m_project.markProjectModified();
    m_project.setPlcCompiled(false);
}

bool PlcDocument::setCell(int row, int column, int kind, std::string text) {
    if (!m_grid.setCell(row, column, kind, std::move(text))) return false;
    markChanged();
    return true;
}

bool PlcDocument::deleteCell(int row, int column) {
    if (!m_grid.deleteCell(row, column)) return false;
    markChanged();
    return true;
}

bool PlcDocument::clearVerticalLink(int row, int column) {
    if (!m_grid.clearVerticalLink(row, column)) return false;
    markChanged();
    return true;
}

bool PlcDocument::hasCommentFrom(int row) const noexcept {
    for (int r = std::max(row, 1); r <= LadderGrid::kRows; ++r) {
        if (!m_rowComments[static_cast<std::size_t>(r)].empty()) return true;
    }
    return false;
}

bool PlcDocument::insertRows(int first, int count) {
    if (first < 1 || first > LadderGrid::kRows || count <= 0) return false;
    count = std::min(count, LadderGrid::kRows - first + 1);
    const bool commentsMove = hasCommentFrom(first);
    const bool cellsMove = m_grid.insertRows(first, count);
    auto begin = m_rowComments.begin() + first;
    std::rotate(begin, m_rowComments.end() - count, m_rowComments.end());
    for (int r = first; r < first + count; ++r)
        m_rowComments[static_cast<std::size_t>(r)].clear();
    if (!cellsMove && !commentsMove) return false;
    markChanged();
    return true;
}

bool PlcDocument::deleteRows(int first, int count) {
    if (first < 1 || first > LadderGrid::kRows || count <= 0) return false;
    count = std::min(count, LadderGrid::kRows - first + 1);
    const bool commentsMove = hasCommentFrom(first);
    const bool cellsMove = m_grid.deleteRows(first, count);
    auto begin = m_rowComments.begin() + first;
    std::rotate(begin, begin + count, m_rowComments.end());
    for (int r = LadderGrid::kRows - count + 1; r <= LadderGrid::kRows; ++r)
        m_rowComments[static_cast<std::size_t>(r)].clear();
    if (!cellsMove && !commentsMove) return false;
    markChanged();
    return true;
}

int PlcDocument::deleteEmptyRows() {
    // Deleting the empty rows one at a time, each move shifting the rest up,
    // removes a run completely; one compaction pass has the same result
    // without moving the whole grid once per row.
    const int last = m_grid.lastUsedRow();
    std::vector<bool> remove(LadderGrid::kRows + 1, false);
    int deleted = 0;
    for (int r = 1; r < last; ++r) {
        if (m_grid.rowIsEmpty(r)) {
            remove[static_cast<std::size_t>(r)] = true;
            ++deleted;
        }
    }
    if (deleted == 0) return 0;
    m_grid.removeRows(remove);
    int to = 1;
    for (int from = 1; from <= LadderGrid::kRows; ++from) {
        auto& comment = m_rowComments[static_cast<std::size_t>(from)];
        if (remove[static_cast<std::size_t>(from)]) {
            comment.clear();
            continue;
        }
        if (to != from) m_rowComments[static_cast<std::size_t>(to)] = std::move(comment);
        ++to;
    }
    for (int r = to; r <= LadderGrid::kRows; ++r)
        m_rowComments[static_cast<std::size_t>(r)].clear();
    markChanged();
    return deleted;
}

const std::string& PlcDocument::rowComment(int row) const noexcept {
    static const std::string kNone;
    if (row < 1 || row > LadderGrid::kRows) return kNone;
    return m_rowComments[static_cast<std::size_t>(row)];
}

bool PlcDocument::setRowComment(int row, std::string text) {
    if (row < 1 || row > LadderGrid::kRows) return false;
    std::string cut = common::TextCodec::truncateGbk(text, kMaxRowCommentBytes);
    auto& slot = m_rowComments[static_cast<std::size_t>(row)];
    if (slot == cut) return false;
    slot = std::move(cut);
    markChanged();
    return true;
}

void PlcDocument::loadRowComment(int row, std::string text) {
    if (row < 1 || row > LadderGrid::kRows) return;
    m_rowComments[static_cast<std::size_t>(row)] =
        common::TextCodec::truncateGbk(text, kMaxRowCommentBytes);
}

bool PlcDocument::setD(int index, std::uint8_t value) {
    if (index < 0 || index >= kDCount || m_d[index].value == value) return false;
    m_d[index].value = value;
    markChanged();
    return true;
}

bool PlcDocument::setDComments(int index, std::string zh, std::string en) {
    if (index < 0 || index >= kDCount) return false;
    auto& rec = m_d[index];
    if (rec.commentZh == zh && rec.commentEn == en) return false;
    rec.commentZh = std::move(zh);
    rec.commentEn = std::move(en);
    markChanged();
    return true;
}

bool PlcDocument::setK(int index, std::uint8_t value) {
    if (index < 0 || index >= kKCount || m_k[index] == value) return false;
    m_k[index] = value;
    markChanged();
    return true;
}

bool PlcDocument::setDc(int index, const DataWordRecord& record) {
    if (index < 0 || index >= kDcCount || m_dc[index] == record) return false;
    m_dc[index] = record;
    markChanged();
    return true;
}

bool PlcDocument::setDt(int index, const DataWordRecord& record) {
    if (index < 0 || index >= kDtCount || m_dt[index] == record) return false;
    m_dt[index] = record;
    markChanged();
    return true;
}

bool PlcDocument::setAlarms(std::vector<std::string> alarms) {
    if (m_alarms == alarms) return false;
    m_alarms = std::move(alarms);
    markChanged();
    return true;
}

bool PlcDocument::setIoComments(std::vector<std::string> comments) {
    if (m_ioComments == comments) return false;
    m_ioComments = std::move(comments);
    markChanged();
    return true;
}

void PlcDocument::clear() {
    m_modified = false;
    m_il.clear();
    m_compileIl.clear();
    m_stepCount = 0;
    m_checksum = 0;
    m_grid.clear();
    m_savedGrid.clear();
    for (auto& c : m_rowComments)
        c.clear();
    m_networks.clear();
    m_networkSteps.clear();
    m_networkRows.clear();
    m_snapshots.clear();
    m_alarms.clear();
    m_d.fill({});
    m_k.fill(0);
    m_dc.fill({});
    m_dt.fill({});
    m_ioComments.clear();
    m_warnings.clear();
    m_warningCount = 0;
    m_compileResult = {};
}

}  // namespace kelcc::core::plc
