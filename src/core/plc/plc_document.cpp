#include "plc_document.h"

#include <algorithm>
#include <optional>

#include "common/text_codec.h"
#include "plc/plc_edit_command.h"

namespace kelcc::core::plc {

// The state a compile starts from: enough to tell what it changed.
struct PlcDocument::ProgramCapture {
    // The grid as it was, kept only once the compile is about to change it:
    // a rebuild hands its old grid over instead of destroying it.
    std::optional<LadderGrid> grid;
    std::vector<std::string> comments;
    std::optional<IlStore> il;  // the program as it was, once replaced
    int steps = 0;
    std::uint16_t checksum = 0;
    std::vector<NetworkSteps> networkSteps;
    std::vector<NetworkRows> networkRows;
};

PlcDocument::PlcDocument(ProjectState& project, std::string path)
    : common::Document(std::move(path)), m_project(project), m_rowComments(LadderGrid::kRows + 1) {}

PlcDocument::~PlcDocument() = default;

// --- edits and their undo steps ---

PlcDocument::Edit::Edit(PlcDocument& doc, std::string text) : m_doc(doc) {
    m_doc.beginEdit(std::move(text));
}

PlcDocument::Edit::~Edit() {
    m_doc.endEdit();
}

void PlcDocument::beginEdit(std::string text) {
    if (m_editDepth++ == 0) {
        m_editText = std::move(text);
        m_pending.clear();
    }
}

void PlcDocument::endEdit() {
    if (m_editDepth == 0 || --m_editDepth > 0) return;
    if (m_pending.empty()) return;
    std::vector<PlcChange> changes = std::move(m_pending);
    m_pending.clear();
    // Views hear the content first and then the state of the history, as
    // they do for undo and redo.
    markProjectChanged(false);
    notifyChanged(PlcEditCommand::scopeOf(changes));
    undoStack().pushApplied(
        std::make_unique<PlcEditCommand>(*this, std::move(m_editText), std::move(changes), false));
}

void PlcDocument::record(PlcChange change) {
    if (m_capturing) return;
    if (m_editDepth > 0) {
        m_pending.push_back(std::move(change));
        return;
    }
    Edit edit(*this, kEditText);
    m_pending.push_back(std::move(change));
}

void PlcDocument::markProjectChanged(bool compiled) {
    m_project.markProjectModified();
    m_project.setPlcCompiled(compiled);
}

void PlcDocument::applyChanges(const std::vector<PlcChange>& changes, bool forward, bool compile) {
    if (forward) {
        for (const PlcChange& c : changes)
            apply(c, true);
    } else {
        for (std::size_t i = changes.size(); i-- > 0;)
            apply(changes[i], false);
    }
    // The program only matches the ladder right after its compile.
    markProjectChanged(compile && forward);
    notifyChanged(PlcEditCommand::scopeOf(changes));
}

RowContent PlcDocument::rowContent(int row) const {
    RowContent content;
    content.row = row;
    for (int c = 1; c <= LadderGrid::kColumns; ++c)
        if (const LadderCell* cell = m_grid.cell(row, c)) content.cells.emplace_back(c, *cell);
    content.comment = m_rowComments[static_cast<std::size_t>(row)];
    return content;
}

void PlcDocument::putRow(const RowContent& content) {
    std::size_t next = 0;
    for (int c = 1; c <= LadderGrid::kColumns; ++c) {
        const LadderCell* cell = nullptr;
        if (next < content.cells.size() && content.cells[next].first == c)
            cell = &content.cells[next++].second;
        m_grid.putCell(content.row, c, cell);
    }
    m_rowComments[static_cast<std::size_t>(content.row)] = content.comment;
    noteComment(content.row);
}

std::vector<RowContent> PlcDocument::captureRows(int first, int last) const {
    std::vector<RowContent> rows;
    for (int r = std::max(first, 1); r <= std::min(last, LadderGrid::kRows); ++r) {
        RowContent content = rowContent(r);
        if (!content.empty()) rows.push_back(std::move(content));
    }
    return rows;
}

int PlcDocument::lastRowInUse() const noexcept {
    int last = m_grid.lastUsedRow();
    for (int r = m_commentBound; r > last; --r)
        if (!m_rowComments[static_cast<std::size_t>(r)].empty()) return r;
    return last;
}

namespace {

// Rows listed in `a` or `b` (each sorted by row) whose content differs.
void diffRows(const std::vector<RowContent>& a, const std::vector<RowContent>& b,
              change::RowsReplaced& out) {
    std::size_t i = 0;
    std::size_t j = 0;
    const auto emptyRow = [](int row) {
        RowContent r;
        r.row = row;
        return r;
    };
    while (i < a.size() || j < b.size()) {
        const int ra = i < a.size() ? a[i].row : LadderGrid::kRows + 1;
        const int rb = j < b.size() ? b[j].row : LadderGrid::kRows + 1;
        if (ra == rb) {
            if (!a[i].sameContent(b[j])) {
                out.before.push_back(a[i]);
                out.after.push_back(b[j]);
            }
            ++i;
            ++j;
        } else if (ra < rb) {
            out.before.push_back(a[i++]);
            out.after.push_back(emptyRow(ra));
        } else {
            out.before.push_back(emptyRow(rb));
            out.after.push_back(b[j++]);
        }
    }
}

}  // namespace

void PlcDocument::apply(const PlcChange& change, bool forward) {
    std::visit(
        [&](const auto& c) {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, change::Cell>) {
                const bool has = forward ? c.hasAfter : c.hadBefore;
                m_grid.putCell(c.row, c.column, has ? (forward ? &c.after : &c.before) : nullptr);
            } else if constexpr (std::is_same_v<T, change::RowsInserted>) {
                if (forward) {
                    m_grid.insertRows(c.first, c.count);
                    auto begin = m_rowComments.begin() + c.first;
                    std::rotate(begin, m_rowComments.end() - c.count, m_rowComments.end());
                    for (int r = c.first; r < c.first + c.count; ++r)
                        m_rowComments[static_cast<std::size_t>(r)].clear();
                    commentsShifted(c.first, c.count);
                } else {
                    m_grid.deleteRows(c.first, c.count);
                    auto begin = m_rowComments.begin() + c.first;
                    std::rotate(begin, begin + c.count, m_rowComments.end());
                    for (int r = LadderGrid::kRows - c.count + 1; r <= LadderGrid::kRows; ++r)
                        m_rowComments[static_cast<std::size_t>(r)].clear();
                    for (const RowContent& row : c.lost)
                        putRow(row);
                }
            } else if constexpr (std::is_same_v<T, change::RowsDeleted>) {
                if (forward) {
                    m_grid.deleteRows(c.first, c.count);
                    auto begin = m_rowComments.begin() + c.first;
                    std::rotate(begin, begin + c.count, m_rowComments.end());
                    for (int r = LadderGrid::kRows - c.count + 1; r <= LadderGrid::kRows; ++r)
                        m_rowComments[static_cast<std::size_t>(r)].clear();
                } else {
                    m_grid.insertRows(c.first, c.count);
                    auto begin = m_rowComments.begin() + c.first;
                    std::rotate(begin, m_rowComments.end() - c.count, m_rowComments.end());
                    for (int r = c.first; r < c.first + c.count; ++r)
                        m_rowComments[static_cast<std::size_t>(r)].clear();
                    commentsShifted(c.first, c.count);
                    for (const RowContent& row : c.removed)
                        putRow(row);
                }
            } else if constexpr (std::is_same_v<T, change::RowsReplaced>) {
                for (const RowContent& row : forward ? c.after : c.before)
                    putRow(row);
            } else if constexpr (std::is_same_v<T, change::Comment>) {
                m_rowComments[static_cast<std::size_t>(c.row)] = forward ? c.after : c.before;
                noteComment(c.row);
            } else if constexpr (std::is_same_v<T, change::DByte>) {
                m_d[static_cast<std::size_t>(c.index)] = forward ? c.after : c.before;
            } else if constexpr (std::is_same_v<T, change::KByte>) {
                m_k[static_cast<std::size_t>(c.index)] = forward ? c.after : c.before;
            } else if constexpr (std::is_same_v<T, change::DataWord>) {
                auto& table = c.timer ? m_dt : m_dc;
                table[static_cast<std::size_t>(c.index)] = forward ? c.after : c.before;
            } else if constexpr (std::is_same_v<T, change::TextList>) {
                (c.alarms ? m_alarms : m_ioComments) = forward ? c.after : c.before;
            } else if constexpr (std::is_same_v<T, change::Program>) {
                m_il = forward ? c.afterIl : c.beforeIl;
                m_stepCount = forward ? c.afterSteps : c.beforeSteps;
                m_checksum = forward ? c.afterChecksum : c.beforeChecksum;
                m_networkSteps = forward ? c.afterNetworkSteps : c.beforeNetworkSteps;
                m_networkRows = forward ? c.afterNetworkRows : c.beforeNetworkRows;
            }
        },
        change);
}

void PlcDocument::beginProgramChange() {
    // Nothing large is copied here: the compile hands over the old program
    // and ladder when it replaces them (most compiles change nothing).
    m_capture = std::make_unique<ProgramCapture>();
    m_capture->steps = m_stepCount;
    m_capture->checksum = m_checksum;
    m_capture->networkSteps = m_networkSteps;
    m_capture->networkRows = m_networkRows;
    m_capturing = true;
}

void PlcDocument::keepGridForCapture() {
    if (!m_capturing || !m_capture || m_capture->grid) return;
    m_capture->grid.emplace(m_grid);
    m_capture->comments = m_rowComments;
}

void PlcDocument::replaceGrid(LadderGrid grid) {
    if (m_capturing && m_capture && !m_capture->grid) {
        m_capture->grid.emplace(std::move(m_grid));
        m_capture->comments = m_rowComments;
    }
    m_grid = std::move(grid);
}

void PlcDocument::replacedIl(IlStore previous) {
    if (m_capturing && m_capture && !m_capture->il) m_capture->il.emplace(std::move(previous));
}

bool PlcDocument::endProgramChange() {
    m_capturing = false;
    if (!m_capture) return false;
    std::unique_ptr<ProgramCapture> before = std::move(m_capture);

    // Only the rows that differ are kept, compared place by place.
    change::RowsReplaced rows;
    const LadderGrid& old = before->grid ? *before->grid : m_grid;
    for (int r = 1; before->grid && r <= LadderGrid::kRows; ++r) {
        bool same = before->comments[static_cast<std::size_t>(r)] ==
                    m_rowComments[static_cast<std::size_t>(r)];
        for (int c = 1; same && c <= LadderGrid::kColumns; ++c) {
            const LadderCell* a = old.cell(r, c);
            const LadderCell* b = m_grid.cell(r, c);
            same = a == b || (a && b && *a == *b);
        }
        if (same) continue;
        RowContent was;
        was.row = r;
        for (int c = 1; c <= LadderGrid::kColumns; ++c)
            if (const LadderCell* cell = old.cell(r, c)) was.cells.emplace_back(c, *cell);
        was.comment = std::move(before->comments[static_cast<std::size_t>(r)]);
        rows.before.push_back(std::move(was));
        rows.after.push_back(rowContent(r));
    }
    const bool programChanged =
        (before->il && !(*before->il == m_il)) || before->steps != m_stepCount;
    if (rows.before.empty() && !programChanged) return false;

    std::vector<PlcChange> changes;
    change::Program program;
    program.beforeIl = before->il ? std::move(*before->il) : m_il;
    program.afterIl = m_il;
    program.beforeSteps = before->steps;
    program.afterSteps = m_stepCount;
    program.beforeChecksum = before->checksum;
    program.afterChecksum = m_checksum;
    program.beforeNetworkSteps = std::move(before->networkSteps);
    program.afterNetworkSteps = m_networkSteps;
    program.beforeNetworkRows = std::move(before->networkRows);
    program.afterNetworkRows = m_networkRows;
    changes.emplace_back(std::move(program));
    if (!rows.before.empty()) changes.emplace_back(std::move(rows));

    m_project.markProjectModified();
    notifyChanged(PlcEditCommand::scopeOf(changes));
    undoStack().pushApplied(
        std::make_unique<PlcEditCommand>(*this, kCompileText, std::move(changes), true));
    return true;
}

// --- ladder ---

bool PlcDocument::setCell(int row, int column, int kind, std::string text) {
    const LadderCell* old = m_grid.cell(row, column);
    change::Cell c{row, column, old != nullptr, false, old ? *old : LadderCell{}, {}};
    if (!m_grid.setCell(row, column, kind, std::move(text))) return false;
    const LadderCell* now = m_grid.cell(row, column);
    c.hasAfter = now != nullptr;
    if (now) c.after = *now;
    record(std::move(c));
    return true;
}

bool PlcDocument::deleteCell(int row, int column) {
    const LadderCell* old = m_grid.cell(row, column);
    change::Cell c{row, column, old != nullptr, false, old ? *old : LadderCell{}, {}};
    if (!m_grid.deleteCell(row, column)) return false;
    const LadderCell* now = m_grid.cell(row, column);
    c.hasAfter = now != nullptr;
    if (now) c.after = *now;
    record(std::move(c));
    return true;
}

bool PlcDocument::clearVerticalLink(int row, int column) {
    const LadderCell* old = m_grid.cell(row, column);
    change::Cell c{row, column, old != nullptr, false, old ? *old : LadderCell{}, {}};
    if (!m_grid.clearVerticalLink(row, column)) return false;
    const LadderCell* now = m_grid.cell(row, column);
    c.hasAfter = now != nullptr;
    if (now) c.after = *now;
    record(std::move(c));
    return true;
}

bool PlcDocument::hasCommentFrom(int row) const noexcept {
    for (int r = std::max(row, 1); r <= m_commentBound; ++r) {
        if (!m_rowComments[static_cast<std::size_t>(r)].empty()) return true;
    }
    return false;
}

bool PlcDocument::insertRows(int first, int count) {
    if (first < 1 || first > LadderGrid::kRows || count <= 0) return false;
    count = std::min(count, LadderGrid::kRows - first + 1);
    const bool commentsMove = hasCommentFrom(first);
    change::RowsInserted c{first, count,
                           captureRows(LadderGrid::kRows - count + 1, LadderGrid::kRows)};
    const bool cellsMove = m_grid.insertRows(first, count);
    auto begin = m_rowComments.begin() + first;
    std::rotate(begin, m_rowComments.end() - count, m_rowComments.end());
    for (int r = first; r < first + count; ++r)
        m_rowComments[static_cast<std::size_t>(r)].clear();
    commentsShifted(first, count);
    if (!cellsMove && !commentsMove) return false;
    record(std::move(c));
    return true;
}

bool PlcDocument::deleteRows(int first, int count) {
    if (first < 1 || first > LadderGrid::kRows || count <= 0) return false;
    count = std::min(count, LadderGrid::kRows - first + 1);
    const bool commentsMove = hasCommentFrom(first);
    change::RowsDeleted c{first, count, captureRows(first, first + count - 1)};
    const bool cellsMove = m_grid.deleteRows(first, count);
    auto begin = m_rowComments.begin() + first;
    std::rotate(begin, begin + count, m_rowComments.end());
    for (int r = LadderGrid::kRows - count + 1; r <= LadderGrid::kRows; ++r)
        m_rowComments[static_cast<std::size_t>(r)].clear();
    if (!cellsMove && !commentsMove) return false;
    record(std::move(c));
    return true;
}

int PlcDocument::deleteEmptyRows() {
    // Deleting the empty rows one at a time, each move shifting the rest up,
    // removes a run completely; one compaction pass has the same result
    // without moving the whole grid once per row.
    const int last = m_grid.lastUsedRow();
    std::vector<bool> remove(LadderGrid::kRows + 1, false);
    int deleted = 0;
    int firstRemoved = 0;
    for (int r = 1; r < last; ++r) {
        if (m_grid.rowIsEmpty(r)) {
            remove[static_cast<std::size_t>(r)] = true;
            if (firstRemoved == 0) firstRemoved = r;
            ++deleted;
        }
    }
    if (deleted == 0) return 0;
    const int lastTouched = lastRowInUse();
    std::vector<RowContent> before;
    if (m_capturing)
        keepGridForCapture();
    else
        before = captureRows(firstRemoved, lastTouched);
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
    if (!m_capturing) {
        change::RowsReplaced c;
        diffRows(before, captureRows(firstRemoved, lastTouched), c);
        record(std::move(c));
    }
    return deleted;
}

const std::string& PlcDocument::rowComment(int row) const noexcept {
    static const std::string kNone;
    if (row < 1 || row > LadderGrid::kRows) return kNone;
    return m_rowComments[static_cast<std::size_t>(row)];
}

bool PlcDocument::setRowComment(int row, const std::string& text) {
    if (row < 1 || row > LadderGrid::kRows) return false;
    std::string cut = common::TextCodec::truncateGbk(text, kMaxRowCommentBytes);
    auto& slot = m_rowComments[static_cast<std::size_t>(row)];
    if (slot == cut) return false;
    change::Comment c{row, slot, cut};
    slot = std::move(cut);
    noteComment(row);
    record(std::move(c));
    return true;
}

void PlcDocument::loadRowComment(int row, const std::string& text) {
    if (row < 1 || row > LadderGrid::kRows) return;
    m_rowComments[static_cast<std::size_t>(row)] =
        common::TextCodec::truncateGbk(text, kMaxRowCommentBytes);
    noteComment(row);
}

void PlcDocument::noteComment(int row) noexcept {
    if (!m_rowComments[static_cast<std::size_t>(row)].empty())
        m_commentBound = std::max(m_commentBound, row);
}

void PlcDocument::commentsShifted(int first, int count) noexcept {
    if (m_commentBound >= first)
        m_commentBound = std::min(m_commentBound + count, LadderGrid::kRows);
}

// --- tables ---

bool PlcDocument::setD(int index, std::uint8_t value) {
    if (index < 0 || index >= kDCount || m_d[index].value == value) return false;
    change::DByte c{index, m_d[index], m_d[index]};
    c.after.value = value;
    m_d[index].value = value;
    record(std::move(c));
    return true;
}

bool PlcDocument::setDComments(int index, std::string zh, std::string en) {
    if (index < 0 || index >= kDCount) return false;
    auto& rec = m_d[index];
    if (rec.commentZh == zh && rec.commentEn == en) return false;
    change::DByte c{index, rec, rec};
    rec.commentZh = std::move(zh);
    rec.commentEn = std::move(en);
    c.after = rec;
    record(std::move(c));
    return true;
}

bool PlcDocument::setK(int index, std::uint8_t value) {
    if (index < 0 || index >= kKCount || m_k[index] == value) return false;
    record(change::KByte{index, m_k[index], value});
    m_k[index] = value;
    return true;
}

bool PlcDocument::setDc(int index, const DataWordRecord& record) {
    if (index < 0 || index >= kDcCount || m_dc[index] == record) return false;
    change::DataWord c{false, index, m_dc[index], record};
    m_dc[index] = record;
    this->record(std::move(c));
    return true;
}

bool PlcDocument::setDt(int index, const DataWordRecord& record) {
    if (index < 0 || index >= kDtCount || m_dt[index] == record) return false;
    change::DataWord c{true, index, m_dt[index], record};
    m_dt[index] = record;
    this->record(std::move(c));
    return true;
}

bool PlcDocument::setAlarms(std::vector<std::string> alarms) {
    if (m_alarms == alarms) return false;
    change::TextList c{true, m_alarms, alarms};
    m_alarms = std::move(alarms);
    record(std::move(c));
    return true;
}

bool PlcDocument::setIoComments(std::vector<std::string> comments) {
    if (m_ioComments == comments) return false;
    change::TextList c{false, m_ioComments, comments};
    m_ioComments = std::move(comments);
    record(std::move(c));
    return true;
}

void PlcDocument::clear() {
    m_il.clear();
    m_compileIl.clear();
    m_stepCount = 0;
    m_checksum = 0;
    m_grid.clear();
    for (int r = 1; r <= m_commentBound; ++r)
        m_rowComments[static_cast<std::size_t>(r)].clear();
    m_commentBound = 0;
    m_networks.clear();
    m_networkSteps.clear();
    m_networkRows.clear();
    m_alarms.clear();
    // In place: assigning new records would copy two strings per record.
    const auto reset = [](auto& table) {
        for (auto& rec : table) {
            rec.value = 0;
            if constexpr (requires { rec.second; }) rec.second = rec.third = 0;
            rec.commentZh.clear();
            rec.commentEn.clear();
        }
    };
    reset(m_d);
    m_k.fill(0);
    reset(m_dc);
    reset(m_dt);
    m_ioComments.clear();
    m_warnings.clear();
    m_warningCount = 0;
    m_compileResult = {};
    m_pending.clear();
    m_capture.reset();
    m_capturing = false;
    undoStack().clear();
}

}  // namespace kelcc::core::plc
