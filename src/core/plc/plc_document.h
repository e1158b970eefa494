#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/document.h"
#include "plc/il_store.h"
#include "plc/ladder_grid.h"
#include "plc/network.h"
#include "plc/plc_change.h"
#include "plc/plc_records.h"
#include "plc/project_state.h"

namespace kelcc::core::plc {

// One project's PLC program while it is open: the instruction list, the
// ladder it is compiled from, comments and data tables. All texts are GBK
// bytes. Every change through the setters is recorded on the undo stack and
// marks the project modified and the program not compiled; the file reader
// fills the tables through the raw accessors, which record nothing.
//
// Setters called inside an Edit become one undo step; a setter called on its
// own is a step by itself.
class PlcDocument final : public common::Document {
public:
    static constexpr int kDCount = 1000;
    static constexpr int kKCount = 40;
    static constexpr int kDcCount = 100;
    static constexpr int kDtCount = 100;
    static constexpr std::size_t kMaxRowCommentBytes = 99;
    static constexpr const char* kTitle = "PLC主程序";
    // The step text of a setter called outside an Edit.
    static constexpr const char* kEditText = "编辑";
    static constexpr const char* kCompileText = "编译";

    explicit PlcDocument(ProjectState& project, std::string path = {});
    ~PlcDocument() override;

    // Groups the changes made while it lives into one undo step with the
    // given text (nothing is pushed when nothing changed). Edits nest: the
    // outermost one makes the step.
    class Edit final {
    public:
        Edit(PlcDocument& doc, std::string text);
        ~Edit();
        Edit(const Edit&) = delete;
        Edit& operator=(const Edit&) = delete;

    private:
        PlcDocument& m_doc;
    };

    // A compile replaces the instruction list and redraws the ladder
    // directly; the step is taken from the state before and after. The
    // setters record nothing in between. Returns whether a step was pushed
    // (false when the compile changed nothing).
    void beginProgramChange();
    bool endProgramChange();
    // The rebuild's new ladder takes the place of the old one.
    void replaceGrid(LadderGrid grid);
    // A compile installed a new program; `previous` is the one it replaced.
    void replacedIl(IlStore previous);

    ProjectState& project() const noexcept { return m_project; }

    // --- instruction list ---
    IlStore& il() noexcept { return m_il; }
    const IlStore& il() const noexcept { return m_il; }
    IlStore& compileIl() noexcept { return m_compileIl; }
    int stepCount() const noexcept { return m_stepCount; }
    void setStepCount(int steps) noexcept { m_stepCount = steps; }
    std::uint16_t checksum() const noexcept { return m_checksum; }
    void setChecksum(std::uint16_t crc) noexcept { m_checksum = crc; }
    // Sets the checksum from the current IL (done after a successful compile).
    void updateChecksum() noexcept { m_checksum = m_il.checksum(); }

    // --- ladder ---
    LadderGrid& grid() noexcept { return m_grid; }
    const LadderGrid& grid() const noexcept { return m_grid; }

    const LadderCell* cell(int row, int column) const noexcept { return m_grid.cell(row, column); }
    // Kind 15 sets the vertical-link flag only (ignored in column 1).
    bool setCell(int row, int column, int kind, std::string text);
    bool deleteCell(int row, int column);
    // Removes a vertical link (an editing operation); a bare link disappears.
    bool clearVerticalLink(int row, int column);
    int lastUsedRow() const noexcept { return m_grid.lastUsedRow(); }

    // Rows move in the grid and their comments move along with them; rows
    // pushed past the last row are lost. Return whether anything changed.
    bool insertRows(int first, int count);
    bool deleteRows(int first, int count);
    // Deletes every row above the last used row that holds nothing but bare
    // vertical links; returns the number of rows deleted.
    int deleteEmptyRows();

    // --- row comments (rows 1-5000; empty text = none) ---
    const std::string& rowComment(int row) const noexcept;
    // Longer texts are cut to 99 bytes at a character boundary.
    bool setRowComment(int row, const std::string& text);
    // Raw fill for readers: no marks.
    void loadRowComment(int row, const std::string& text);
    // No row after this one has a comment (rows 1-5000 are rarely all used).
    int commentRowBound() const noexcept { return m_commentBound; }

    // --- networks ---
    std::vector<Network>& networkTable() noexcept { return m_networks; }
    const std::vector<Network>& networkTable() const noexcept { return m_networks; }
    void divideNetworks() { m_networks = m_grid.divideNetworks(); }
    std::vector<NetworkSteps>& networkSteps() noexcept { return m_networkSteps; }
    std::vector<NetworkRows>& networkRows() noexcept { return m_networkRows; }
    const std::vector<NetworkRows>& networkRows() const noexcept { return m_networkRows; }

    // --- tables (raw accessors for readers and writers) ---
    std::vector<std::string>& alarms() noexcept { return m_alarms; }
    const std::vector<std::string>& alarms() const noexcept { return m_alarms; }
    std::array<DataByteRecord, kDCount>& dTable() noexcept { return m_d; }
    const std::array<DataByteRecord, kDCount>& dTable() const noexcept { return m_d; }
    std::array<std::uint8_t, kKCount>& kTable() noexcept { return m_k; }
    const std::array<std::uint8_t, kKCount>& kTable() const noexcept { return m_k; }
    std::array<DataWordRecord, kDcCount>& dcTable() noexcept { return m_dc; }
    const std::array<DataWordRecord, kDcCount>& dcTable() const noexcept { return m_dc; }
    std::array<DataWordRecord, kDtCount>& dtTable() noexcept { return m_dt; }
    const std::array<DataWordRecord, kDtCount>& dtTable() const noexcept { return m_dt; }
    std::vector<std::string>& ioComments() noexcept { return m_ioComments; }
    const std::vector<std::string>& ioComments() const noexcept { return m_ioComments; }

    // --- edits of the tables by the user (mark modified when they change) ---
    bool setD(int index, std::uint8_t value);
    bool setDComments(int index, std::string zh, std::string en);
    bool setK(int index, std::uint8_t value);
    bool setDc(int index, const DataWordRecord& record);
    bool setDt(int index, const DataWordRecord& record);
    bool setAlarms(std::vector<std::string> alarms);
    bool setIoComments(std::vector<std::string> comments);

    // --- results of the last compile or open check ---
    std::vector<ProgramWarning>& warnings() noexcept { return m_warnings; }
    const std::vector<ProgramWarning>& warnings() const noexcept { return m_warnings; }
    int warningCount() const noexcept { return m_warningCount; }
    void setWarningCount(int count) noexcept { m_warningCount = count; }
    const CompileResult& compileResult() const noexcept { return m_compileResult; }
    void setCompileResult(const CompileResult& result) noexcept { m_compileResult = result; }

    // Back to the state of a new document (tables empty, IL empty, no
    // history).
    void clear();

    // Applies recorded changes in either direction without recording them
    // (undo and redo of PlcEditCommand).
    void applyChanges(const std::vector<PlcChange>& changes, bool forward, bool compile);

private:
    friend class Edit;

    bool hasCommentFrom(int row) const noexcept;
    void noteComment(int row) noexcept;
    void commentsShifted(int first, int count) noexcept;
    void record(PlcChange change);
    void beginEdit(std::string text);
    void endEdit();
    void markProjectChanged(bool compiled);
    void apply(const PlcChange& change, bool forward);
    RowContent rowContent(int row) const;
    void putRow(const RowContent& content);
    std::vector<RowContent> captureRows(int first, int last) const;
    int lastRowInUse() const noexcept;
    void keepGridForCapture();

    ProjectState& m_project;

    int m_editDepth = 0;
    std::string m_editText;
    std::vector<PlcChange> m_pending;
    bool m_capturing = false;
    struct ProgramCapture;
    std::unique_ptr<ProgramCapture> m_capture;

    IlStore m_il;
    IlStore m_compileIl;
    int m_stepCount = 0;
    std::uint16_t m_checksum = 0;

    LadderGrid m_grid;
    std::vector<std::string> m_rowComments;  // index = row, 0..5000
    // Comments only move down on delete, so this upper bound stays true
    // until an insert or a new comment raises it.
    int m_commentBound = 0;

    std::vector<Network> m_networks;
    std::vector<NetworkSteps> m_networkSteps;
    std::vector<NetworkRows> m_networkRows;

    std::vector<std::string> m_alarms;
    std::array<DataByteRecord, kDCount> m_d{};
    std::array<std::uint8_t, kKCount> m_k{};
    std::array<DataWordRecord, kDcCount> m_dc{};
    std::array<DataWordRecord, kDtCount> m_dt{};
    std::vector<std::string> m_ioComments;

    std::vector<ProgramWarning> m_warnings;
    int m_warningCount = 0;
    CompileResult m_compileResult;
};

}  // namespace kelcc::core::plc
