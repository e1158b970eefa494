#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "comm/resume_record.h"
#include "common/interaction.h"

namespace kelcc::core::comm {

// The local part program of a DNC transfer as the resume records name it.
struct DncFile {
    std::string path;
    std::uint32_t size = 0;
    std::uint32_t modified = 0;  // seconds since 1970-01-01 UTC
};

// What the PC answers in a part-program resume: whether it starts anew,
// asks the user, or refuses the controller's answer.
class ResumeDecision final {
public:
    static constexpr const char* kQuestionText =
        "系统检测到文件 %1 上次作为DNC文件传送过,\r\n且未传送完,需要从断点处进行续传吗？\r\n\r\n"
        "[  是  ] 断点续传，\r\n[  否  ] 将文件重新传送,\r\n[取消] 取消DNC文件传送。";
    // The link error of an answer that cannot be right ("未知的应答数据").
    static constexpr int kBadAnswerError = 19;

    enum class Action {
        Send,       // send `record` with sub-code 7
        Cancel,     // the user cancelled the DNC transfer
        BadAnswer,  // error kBadAnswerError
    };

    struct Decision {
        Action action = Action::BadAnswer;
        std::optional<ResumeRecord> record;  // when Send
    };

    // Sub-code 6, asked when the controller waits for the resume record.
    static ResumeRecord question(const DncFile& file);
    // Sub-code 7 with mode 3, sent when a data acknowledgement says the file
    // is a resumable part program.
    static ResumeRecord continueRecord(const DncFile& file);

    // The controller's record in answer to the question. A record of
    // another file (no size, other time, other path) starts anew; a
    // controller that already holds the whole file is a bad answer;
    // otherwise the user chooses: Yes continues, No starts from the
    // beginning, anything else cancels.
    static Decision decide(const ResumeRecord& controller, const DncFile& file,
                           common::Interaction& ui);

    enum class Start {
        SendFrom,     // seek to the offset; the skipped bytes count as done
        NothingLeft,  // the controller holds everything: the session ends
        BadAnswer,    // offset beyond the local file
    };

    // The start offset the controller gives in answer to sub-code 7.
    static Start start(std::uint32_t offset, std::uint32_t localSize) noexcept;
};

}  // namespace kelcc::core::comm
