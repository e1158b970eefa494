#pragma once

#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "plc/plc_document.h"

namespace kelcc::core::ladder_editor {

// Copies of modified ladders in a recovery folder, written now and then
// while the workbench runs and removed when the program is saved, dropped
// or the workbench ends normally. What is left at the next start was lost
// by a crash or a power cut. A copy holds the program file's path and the
// grid text of the ladder; it is never a program file.
class LadderRecovery final {
public:
    static constexpr const char* kOfferText = "上次运行未正常结束, 梯形图有未保存的修改. 是否恢复?";
    static constexpr const char* kOfferCaption = "恢复";

    struct Entry {
        std::string programPath;
        std::string file;
    };

    explicit LadderRecovery(std::string folder);

    common::FileResult write(const plc::PlcDocument& doc) const;
    void remove(const std::string& programPath) const;
    // The copies in the folder; unreadable files are skipped.
    std::vector<Entry> entries() const;
    // The copy's ladder and comments in place of the document's, which is
    // then modified; false with the document unchanged when it cannot be read.
    static bool restore(plc::PlcDocument& doc, const Entry& entry, std::string& error);

private:
    std::string fileFor(const std::string& programPath) const;

    std::string m_folder;
};

}  // namespace kelcc::core::ladder_editor
