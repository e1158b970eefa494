#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cnc_data/parameter_catalogue.h"
#include "common/document.h"
#include "common/interaction.h"

namespace kelcc::core::cnc_data {

// The CNC parameters of a project while their window is open: one
// ParameterLine per bit parameter (30) and per data parameter (149), read
// from and written to ParaB.par and ParaW.par in the project folder.
//
// Data parameters 0155-0163 (indices 140-148) are read and kept but never
// written; the file the controller receives holds indices 0-139 only.
// The document is shared by the windows showing it; every Collect that
// changes lines is one step of its undo history.
class ParameterDocument final : public common::Document {
public:
    // Called with true when the document's data really changed.
    using ProjectMark = std::function<void(bool modified)>;

    static constexpr const char* kTitle = "参数";
    static constexpr const char* kEditText = "编辑";
    static constexpr const char* kUnknownFormatText = "未知的文件数据格式";

    // One line a Collect changes.
    struct LineChange {
        ParameterKind kind = ParameterKind::Empty;
        int index = 0;
        std::string before;
        std::string after;
    };

    explicit ParameterDocument(ProjectMark projectMark = {});

    const std::string& title() const noexcept { return m_title; }
    void setProjectMark(ProjectMark mark) { m_projectMark = std::move(mark); }

    // Empty for an index outside the array.
    const std::string& line(ParameterKind kind, int index) const;
    // The value of an entry, or its default ("00000000" / "0") when empty.
    std::string value(ParameterKind kind, int index) const;

    // Replaces one ParameterLine without marking anything. Line ends inside
    // the text are stored as blanks so that one entry stays one line.
    // Returns false for an index outside the array or when nothing changed.
    bool setLine(ParameterKind kind, int index, std::string text);

    // Collect: stores every row of the table as a ParameterLine (an empty
    // value becomes the row's default). When any line changed, the document
    // and the project are marked modified; the changed lines are one undo
    // step. Expects 30 and 149 values.
    bool collect(std::span<const std::string> bitValues, std::span<const std::string> dataValues);

    // Loads both files of the folder. A file that cannot be read is reported
    // with the system's error text, a file without the 03 04 05 06 header
    // with "未知的文件数据格式" (silence would leave the user wondering
    // why no window opens). On failure the document keeps its data.
    bool open(const std::string& folder, common::Interaction& interaction);
    // Writes both files, each atomically, ParaB.par first; a failure is
    // reported and stops the save (a file already written stays). Success
    // clears the modified flag.
    bool save(const std::string& folder, common::Interaction& interaction);

    // A step's change, also for its undo: no new step.
    void storeLines(const std::vector<LineChange>& changes, bool undo);

    // The recovery copy of both arrays, exactly as held; restore puts one
    // in their place, which is then modified (false, nothing changed, for
    // anything else).
    std::string recoveryContent() const;
    bool restore(std::string_view content);

    std::string bitFileBytes() const;
    std::string dataFileBytes() const;

private:
    std::vector<std::string>* array(ParameterKind kind);
    const std::vector<std::string>* array(ParameterKind kind) const;

    std::vector<std::string> m_bitLines;
    std::vector<std::string> m_dataLines;
    std::string m_title;
    ProjectMark m_projectMark;
};

}  // namespace kelcc::core::cnc_data
