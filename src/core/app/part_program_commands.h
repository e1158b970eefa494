#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/project.h"

namespace kelcc::core::app {

// The project tree's part-program commands: new, import, open and delete.
// Dialog answers come in as arguments; the new-program dialog is asked
// again while a check keeps it open.
class PartProgramCommands final {
public:
    static constexpr const char* kNewTitle = "新建零件加工程序";
    static constexpr const char* kImportTitle = "加入零件加工程序";
    static constexpr const char* kAddCaption = "加入文件";
    static constexpr const char* kPresetName = "O0001";
    static constexpr const char* kEnterNameText = "请输入文件名!";
    static constexpr const char* kBadNameText = "请输入以字母 'O' 开头后加数字的文件名!";
    static constexpr const char* kExistsText = "文件 %1 已存在,覆盖该文件吗?";
    static constexpr const char* kAlreadyInProjectText = "文件已在工程中";
    static constexpr const char* kCreateQuestionText = "未找到文件,创建新文件吗?";
    static constexpr const char* kOverwriteText = "文件已存在,覆盖该文件吗?";
    static constexpr std::size_t kImportPresetCharacters = 5;

    // Returns the typed name, or nothing when the dialog was cancelled.
    using NameDialog = std::function<std::optional<std::string>()>;

    // The name rule of both dialogs: "O%04d" of the typed number, or nothing
    // after showing why (caption: the dialog's title).
    static std::optional<std::string> checkName(const std::string& typed,
                                                common::Interaction& interaction,
                                                const char* caption);

    static bool newProgram(Project& project, const NameDialog& dialog);
    // The preset of the import dialog: the source's file title, first 5
    // characters.
    static std::string importPreset(const std::string& sourcePath);
    static bool importProgram(Project& project, const std::string& sourcePath,
                              const NameDialog& dialog);
    static bool openProgram(Project& project, const std::string& name);
    static bool deleteProgram(Project& project, const std::string& name, bool deleteFile);
};

}  // namespace kelcc::core::app
