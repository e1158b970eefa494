#include "comm/resume_decision.h"

#include <string_view>

namespace kelcc::core::comm {
namespace {

using Mode = ResumeRecord::Mode;

ResumeRecord record(Mode mode, const DncFile& file) {
    return ResumeRecord::fromPc(mode, file.size, file.modified, file.path);
}

std::string withFile(std::string_view text, std::string_view file) {
    std::string out(text);
    const auto at = out.find("%1");
    if (at != std::string::npos) out.replace(at, 2, file);
    return out;
}

}  // namespace

ResumeRecord ResumeDecision::question(const DncFile& file) {
    return record(Mode::Question, file);
}

ResumeRecord ResumeDecision::continueRecord(const DncFile& file) {
    return record(Mode::Continue, file);
}

ResumeDecision::Decision ResumeDecision::decide(const ResumeRecord& controller, const DncFile& file,
                                                common::Interaction& ui) {
    // A path longer than the record's field was sent cut; the controller's
    // copy cannot tell it from another long path, so such a file never
    // resumes.
    const bool samePath =
        file.path.size() <= ResumeRecord::kPathSize && controller.path == file.path;
    if (controller.size == 0 || controller.modified != file.modified || !samePath)
        return {Action::Send, record(Mode::NewTransfer, file)};
    if (file.size <= controller.size) return {Action::BadAnswer, std::nullopt};

    using common::Answer;
    const Answer answer =
        ui.ask(withFile(kQuestionText, file.path), common::kMessageCaption,
               {Answer::Yes, Answer::No, Answer::Cancel}, common::MessageIcon::Question);
    if (answer == Answer::Yes) return {Action::Send, record(Mode::Continue, file)};
    if (answer == Answer::No) return {Action::Send, record(Mode::FromStart, file)};
    return {Action::Cancel, std::nullopt};
}

ResumeDecision::Start ResumeDecision::start(std::uint32_t offset,
                                            std::uint32_t localSize) noexcept {
    if (localSize < offset) return Start::BadAnswer;
    return localSize == offset ? Start::NothingLeft : Start::SendFrom;
}

}  // namespace kelcc::core::comm
