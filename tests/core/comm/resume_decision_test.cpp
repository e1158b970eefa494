#include "comm/resume_decision.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../common/case_file.h"

namespace kelcc::core::comm {
namespace {

using common::Answer;
using common::RecordingInteraction;
using Action = ResumeDecision::Action;
using Mode = ResumeRecord::Mode;

const char* const kCases = "core/comm/cases/resume_decisions.txt";
const DncFile kFile{"/work/O0007.cnc", 10000, 1700000000};

// Names as the case file writes them, in the order of their enums.
const std::vector<std::string> kActions = {"Send", "Cancel", "BadAnswer"};
const std::vector<std::string> kModes = {"Question", "NewTransfer", "FromStart", "Continue"};
const std::vector<std::string> kStarts = {"SendFrom", "NothingLeft", "BadAnswer"};
const std::vector<std::string> kAnswers = {"Ok", "Cancel", "Yes", "No"};

std::uint8_t mode(Mode m) {
    return static_cast<std::uint8_t>(m);
}

std::uint32_t number(const std::string& text) {
    return static_cast<std::uint32_t>(std::stoul(text));
}

std::size_t indexOf(const std::vector<std::string>& names, const std::string& name) {
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

TEST(ResumeDecisionTest, QuestionAndContinueRecordsDescribeTheLocalFile) {
    const ResumeRecord question = ResumeDecision::question(kFile);
    EXPECT_EQ(question, ResumeRecord::fromPc(Mode::Question, 10000, 1700000000, kFile.path));
    EXPECT_EQ(question.name, "DNC.dnc");
    EXPECT_EQ(ResumeDecision::continueRecord(kFile).mode, mode(Mode::Continue));
}

TEST(ResumeDecisionTest, ControllersRecordAndTheUsersAnswerDecideHowToGoOn) {
    for (const test::Case& c : test::ReadCases(kCases)) {
        if (c[0] != "decide") continue;
        // The controller answers the question with the part it holds.
        ResumeRecord controller = ResumeDecision::question(kFile);
        controller.size = number(c[1]);
        controller.modified = number(c[2]);
        controller.path = c[3];
        const bool asks = c[4] != "-";
        RecordingInteraction ui;
        if (asks) ui.script({Answer(indexOf(kAnswers, c[4]))});
        const auto decision = ResumeDecision::decide(controller, kFile, ui);

        std::string got = kActions.at(static_cast<std::size_t>(decision.action));
        if (decision.record) {
            const std::uint8_t sent = decision.record->mode;
            got += " " + (sent < kModes.size() ? kModes[sent] : "?");
            EXPECT_EQ(*decision.record,
                      ResumeRecord::fromPc(Mode(sent), 10000, 1700000000, kFile.path))
                << c.where;
        }
        EXPECT_EQ(got, c[5]) << c.where;
        EXPECT_EQ(ui.messages().size(), asks ? 1u : 0u) << c.where;
        if (!asks || ui.messages().empty()) continue;
        const auto& asked = ui.messages()[0];
        EXPECT_TRUE(asked.question);
        EXPECT_EQ(asked.caption, "KELCC");
        EXPECT_EQ(asked.text,
                  "系统检测到文件 /work/O0007.cnc "
                  "上次作为DNC文件传送过,\r\n且未传送完,需要从断点处进行续传吗？"
                  "\r\n\r\n[  是  ] 断点续传，\r\n[  否  ] 将文件重新传送,\r\n[取消] "
                  "取消DNC文件传送。");
    }
}

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
    for (const test::Case& c : test::ReadCases(kCases)) {
        if (c[0] != "start") continue;
        const auto start = ResumeDecision::start(number(c[1]), number(c[2]));
        EXPECT_EQ(kStarts.at(static_cast<std::size_t>(start)), c[3]) << c.where;
    }
}

}  // namespace
}  // namespace kelcc::core::comm
