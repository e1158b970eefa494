#include "comm/resume_decision.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kelcc::core::comm {
namespace {

using common::Answer;
using common::RecordingInteraction;
using Action = ResumeDecision::Action;
using Mode = ResumeRecord::Mode;

const DncFile kFile{"/work/O0007.cnc", 10000, 1700000000};

// What the controller answers to the question when it holds part of kFile.
ResumeRecord heldPart(std::uint32_t held) {
    ResumeRecord record = ResumeDecision::question(kFile);
    record.size = held;
    return record;
}

std::uint8_t mode(Mode m) {
    return static_cast<std::uint8_t>(m);
}

TEST(ResumeDecisionTest, QuestionAndContinueRecordsDescribeTheLocalFile) {
    const ResumeRecord question = ResumeDecision::question(kFile);
    EXPECT_EQ(question, ResumeRecord::fromPc(Mode::Question, 10000, 1700000000, kFile.path));
    EXPECT_EQ(question.name, "DNC.dnc");
    EXPECT_EQ(ResumeDecision::continueRecord(kFile).mode, mode(Mode::Continue));
}

struct OtherFileCase {
    const char* what;
    std::uint32_t size;
    std::uint32_t modified;
    const char* path;
};

class ResumeOtherFileTest : public ::testing::TestWithParam<OtherFileCase> {};

// A record of another file (or none) starts anew without asking.
TEST_P(ResumeOtherFileTest, StartsANewTransfer) {
    ResumeRecord controller = heldPart(GetParam().size);
    controller.modified = GetParam().modified;
    controller.path = GetParam().path;
    RecordingInteraction ui;
    const auto decision = ResumeDecision::decide(controller, kFile, ui);
    EXPECT_EQ(decision.action, Action::Send);
    ASSERT_TRUE(decision.record);
    EXPECT_EQ(*decision.record,
              ResumeRecord::fromPc(Mode::NewTransfer, 10000, 1700000000, kFile.path));
    EXPECT_TRUE(ui.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Records, ResumeOtherFileTest,
    ::testing::Values(OtherFileCase{"nothing held", 0, 1700000000, "/work/O0007.cnc"},
                      OtherFileCase{"other time", 4096, 1700000001, "/work/O0007.cnc"},
                      OtherFileCase{"other path", 4096, 1700000000, "/work/O0008.cnc"},
                      OtherFileCase{"other case", 4096, 1700000000, "/work/o0007.cnc"}));

TEST(ResumeDecisionTest, ControllerHoldingTheWholeFileIsABadAnswer) {
    for (std::uint32_t held : {10000u, 10001u, 0xFFFFFFFFu}) {
        RecordingInteraction ui;
        const auto decision = ResumeDecision::decide(heldPart(held), kFile, ui);
        EXPECT_EQ(decision.action, Action::BadAnswer) << held;
        EXPECT_FALSE(decision.record);
        EXPECT_TRUE(ui.messages().empty());
    }
}

struct AnswerCase {
    Answer answer;
    Action action;
    Mode mode;
};

class ResumeQuestionTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ResumeQuestionTest, UserChoosesHowToGoOn) {
    RecordingInteraction ui;
    ui.script({GetParam().answer});
    const auto decision = ResumeDecision::decide(heldPart(9999), kFile, ui);

    ASSERT_EQ(ui.messages().size(), 1u);
    const auto& asked = ui.messages()[0];
    EXPECT_TRUE(asked.question);
    EXPECT_EQ(asked.caption, "KELCC");
    EXPECT_EQ(
        asked.text,
        "系统检测到文件 /work/O0007.cnc "
        "上次作为DNC文件传送过,\r\n且未传送完,需要从断点处进行续传吗？"
        "\r\n\r\n[  是  ] 断点续传，\r\n[  否  ] 将文件重新传送,\r\n[取消] 取消DNC文件传送。");
    EXPECT_EQ(decision.action, GetParam().action);
    if (GetParam().action == Action::Send) {
        ASSERT_TRUE(decision.record);
        EXPECT_EQ(*decision.record,
                  ResumeRecord::fromPc(GetParam().mode, 10000, 1700000000, kFile.path));
    } else {
        EXPECT_FALSE(decision.record);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ResumeQuestionTest,
                         ::testing::Values(AnswerCase{Answer::Yes, Action::Send, Mode::Continue},
                                           AnswerCase{Answer::No, Action::Send, Mode::FromStart},
                                           AnswerCase{Answer::Cancel, Action::Cancel,
                                                      Mode::Question}));

TEST(ResumeDecisionTest, OverlongPathNeverResumes) {
    DncFile file = kFile;
    file.path = "/" + std::string(300, 'p');
    // The controller echoes the record as it was sent: the path cut to 255.
    const auto sent = ResumeRecord::decode(ResumeDecision::question(file).encode());
    ASSERT_TRUE(sent);
    ResumeRecord controller = *sent;
    controller.size = 100;
    RecordingInteraction ui;
    const auto decision = ResumeDecision::decide(controller, file, ui);
    EXPECT_EQ(decision.action, Action::Send);
    ASSERT_TRUE(decision.record);
    EXPECT_EQ(decision.record->mode, mode(Mode::NewTransfer));
    EXPECT_TRUE(ui.messages().empty());
}

TEST(ResumeDecisionTest, StartOffsetAgainstTheLocalFile) {
    using Start = ResumeDecision::Start;
    const std::tuple<std::uint32_t, std::uint32_t, Start> cases[] = {
        {0, 100, Start::SendFrom},      {99, 100, Start::SendFrom},
        {100, 100, Start::NothingLeft}, {0, 0, Start::NothingLeft},
        {101, 100, Start::BadAnswer},   {0xFFFFFFFF, 100, Start::BadAnswer}};
    for (const auto& [offset, size, start] : cases)
        EXPECT_EQ(ResumeDecision::start(offset, size), start) << offset << "/" << size;
}

}  // namespace
}  // namespace kelcc::core::comm
