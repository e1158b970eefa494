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

void PlcDocument::insertRows(int first, int count) {
    if (first < 1 || first > LadderGrid::kRows || count <= 0) return;
    count = std::min(count, LadderGrid::kRows - first + 1);
    m_grid.insertRows(first, count);
    auto begin = m_rowComments.begin() + first;
    std::rotate(begin, m_rowComments.end() - count, m_rowComments.end());
    for (int r = first; r < first + count; ++r) m_rowComments[static_cast<std::size_t>(r)].clear();
    markChanged();
}

void PlcDocument::deleteRows(int first, int count) {
    if (first < 1 || first > LadderGrid::kRows || count <= 0) return;
    count = std::min(count, LadderGrid::kRows - first + 1);
    m_grid.deleteRows(first, count);
    auto begin = m_rowComments.begin() + first;
    std::rotate(begin, begin + count, m_rowComments.end());
    for (int r = LadderGrid::kRows - count + 1; r <= LadderGrid::kRows; ++r)
        m_rowComments[static_cast<std::size_t>(r)].clear();
    markChanged();
}

int PlcDocument::deleteEmptyRows() {
    int deleted = 0;
    int row = 1;
    // Each deletion moves the rows below up by one, the last used row with
    // them; a run of empty rows therefore goes away completely.
    int last = m_grid.lastUsedRow();
    while (row < last) {
        if (m_grid.rowIsEmpty(row)) {
            deleteRows(row, 1);
            ++deleted;
            --last;
        } else {
            ++row;
        }
    }
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
    for (auto& c : m_rowComments) c.clear();
    m_networks.clear();
    m_networkSteps.clear();
    m_networkRows.clear();
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
