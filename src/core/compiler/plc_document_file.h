#pragma once

#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "common/interaction.h"
#include "compiler/compile_errors.h"
#include "plc/plc_document.h"

namespace kelcc::core::compiler {

// Opening and saving the PLC program document: the program file, the check
// and rebuild of the ladder on open, the image beside the file on save, and
// the document's file save command.
class PlcDocumentFile final {
public:
    static constexpr const char* kSaveQuestionCaption = "修改梯形图";
    // %1: the program file's path.
    static constexpr const char* kSaveQuestionFormat =
        "%1\r\n\r\n梯形图程序转换失败,返回修改吗?\n按[是]返回修改程序,按[否]只保存修改前的程序";

    enum class SaveOutcome {
        Saved,            // compiled and written, or nothing to save
        ReturnToEditing,  // compile failed, the user goes back to the ladder
        Reverted,         // compile failed, the edits were dropped
        WriteFailed,      // a file could not be written (already told)
    };

    struct SaveCommandResult {
        SaveOutcome outcome = SaveOutcome::Saved;
        std::vector<std::string> lines;  // output pane lines of the compile
        bool saved() const { return outcome == SaveOutcome::Saved; }
    };

    // Reads the file, checks and divides the IL and rebuilds the ladder. Any
    // failure shows "不支持的文件版本!" (an unreadable file shows the system's
    // error text instead) and leaves the document cleared.
    static bool open(plc::PlcDocument& doc, const std::string& path,
                     common::Interaction& interaction);

    // The file was replaced on disk (a receive, an import). Unsaved edits
    // are not dropped unasked: kReplacedQuestion, Yes reads the new file,
    // No keeps the edits (the document stays modified). True unless the new
    // file could not be read.
    static constexpr const char* kReplacedQuestion =
        "%1\r\n\r\n文件已被替换,但当前窗口中有未保存的修改.\r\n按[是]读入新文件并放弃修改,按[否]"
        "保留修改";
    static bool reload(plc::PlcDocument& doc, const std::string& path,
                       common::Interaction& interaction);

    // Writes the program file and then its image (path + ".bin"). Stops at
    // the first file that cannot be written and returns its error.
    static common::FileResult save(const plc::PlcDocument& doc, const std::string& path);

    // The document's file save command. Unmodified: nothing happens.
    // Otherwise the ladder is compiled as the compile command does it; on
    // success the program and then the project file are saved. On a failed
    // compile the user is asked whether to return to editing (Yes) or to
    // drop the edits and reopen the file from disk (No).
    static SaveCommandResult fileSave(plc::PlcDocument& doc, const std::string& path,
                                      const std::string& projectName, common::Language language,
                                      common::Interaction& interaction);
};

}  // namespace kelcc::core::compiler
