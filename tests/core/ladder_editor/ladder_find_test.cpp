#include "ladder_editor/ladder_find.h"

#include <gtest/gtest.h>

#include "ladder_editor/cross_reference_lookup.h"
#include "ladder_editor/function_chooser.h"

namespace kelcc::core::ladder_editor {
namespace {

using common::Language;

class LadderFindTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_grid.setElement(1, 1, 1, "X0005.0");
        m_grid.setElement(1, 2, 2, "X0005.7");
        m_grid.setElement(1, 5, 23, "CMP     0001 X0005 100 R0001.0");
        m_grid.setElement(2, 1, 1, "X0050.1");  // X0050 does not contain X0005
        m_grid.setElement(2, 2, 0, "");
        m_grid.setElement(2, 8, 6, "Y0005.0");
        m_grid.setElement(3, 5, 23, "CMP     0002 D0001 D0002 R0002.0");
        m_grid.setElement(4, 1, 33, "SP      P0001");
        m_grid.setElement(6, 1, 33, "SP      P0001");
        m_grid.setElement(7, 7, 32, "CALL    P0001");
    }

    LadderFind::Outcome find(FindKind kind, const std::string& text,
                             FindDirection direction = FindDirection::All, int cursorRow = 1,
                             common::Language language = common::Language::Chinese) {
        return LadderFind::find(m_grid, cursorRow, {kind, text, direction}, language, m_ui);
    }

    plc::LadderGrid m_grid;
    common::RecordingInteraction m_ui;
};

TEST_F(LadderFindTest, ByteAddressFindsEveryBitAndTheBoxesNamingIt) {
    const auto out = find(FindKind::ElementName, "X5");
    ASSERT_TRUE(out.accepted);
    const std::vector<std::string> expected = {
        "---------------- 查找 X5 ----------------", "开始查找......",
        "    找到 第   1项 : [行(1)列(1)]",          "    找到 第   2项 : [行(1)列(2)]",
        "    找到 第   3项 : [行(1)列(5)]",          "查找 X5 完毕 : 共找到 3 项结果.",
    };
    EXPECT_EQ(out.lines, expected);
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(LadderFindTest, KeysOfTheElementSearch) {
    EXPECT_EQ(LadderFind::elementKey("X5"), "X0005");
    EXPECT_EQ(LadderFind::elementKey("X5.3"), "X0005.3");
    EXPECT_EQ(LadderFind::elementKey("X5."), "X0005.0");
    EXPECT_EQ(LadderFind::elementKey("DC7"), "DC0007");
    EXPECT_EQ(LadderFind::elementKey("0001 D"), "0001 D");
    EXPECT_EQ(LadderFind::elementKey("X300"), "X300");

    // A text that is no address is searched as typed.
    EXPECT_EQ(find(FindKind::ElementName, "0002 D").hits, (std::vector<FindHit>{{3, 5}}));
}

TEST_F(LadderFindTest, FunctionSearchListsTheIlTextsInTheChosenDirection) {
    auto out = find(FindKind::Function, "CMP", FindDirection::Down, 2);
    const std::vector<std::string> expected = {
        "---------------- 查找 CMP ----------------",
        "开始查找......",
        "    找到 第   1项 : [行(3)      ] : CMP     0002 D0001 D0002 R0002.0",
        "查找 CMP 完毕 : 共找到 1 项结果.",
    };
    EXPECT_EQ(out.lines, expected);

    out = find(FindKind::Function, "SP", FindDirection::Up, 5);
    EXPECT_EQ(out.hits, (std::vector<FindHit>{{4, 1}}));

    out = find(FindKind::Function, "ALT", FindDirection::All, 1, common::Language::English);
    const std::vector<std::string> english = {
        "---------------- Find ALT ----------------",
        "Searching......",
        "No matching content found!",
        "Find ALT finished : 0 result(s) found.",
    };
    EXPECT_EQ(out.lines, english);

    out = find(FindKind::Function, "CMP", FindDirection::All, 1, common::Language::English);
    EXPECT_EQ(out.lines[3],
              "    Found item    2 : [Row(3)      ] : CMP     0002 D0001 D0002 R0002.0");

    // An empty text or one that is no function keeps the dialog open.
    EXPECT_FALSE(find(FindKind::ElementName, "").accepted);
    EXPECT_FALSE(find(FindKind::Function, "LD").accepted);
    EXPECT_FALSE(find(FindKind::Function, "cmp").accepted);
    ASSERT_EQ(m_ui.messages().size(), 3u);
    EXPECT_EQ(m_ui.messages()[0].text, "请输入查找内容!");
    EXPECT_EQ(m_ui.messages()[1].text, "查找内容输入错误!");
    EXPECT_TRUE(find(FindKind::ElementName, "X0050").accepted);
}

TEST_F(LadderFindTest, CrossReferenceScanContinuesThenReports) {
    CrossReferenceLookup calls(*CrossReferenceLookup::forInstruction(plc::InstructionCode::CALL));
    EXPECT_EQ(calls.next(m_grid, "1", m_ui).row, 4);
    EXPECT_EQ(calls.next(m_grid, "1", m_ui).row, 6);
    const auto end = calls.next(m_grid, "1", m_ui);
    EXPECT_TRUE(end.finished);
    EXPECT_FALSE(end.row);
    EXPECT_TRUE(calls.used());
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].text, "查找完成。");
    EXPECT_EQ(m_ui.messages()[0].caption, "查找调用");
    // The scan starts again from the top.
    EXPECT_EQ(calls.next(m_grid, "1", m_ui).row, 4);

    CrossReferenceLookup missing(CrossReferenceLookup::Kind::SubprogramOfCall);
    EXPECT_TRUE(missing.next(m_grid, "2", m_ui).finished);
    EXPECT_EQ(m_ui.messages().back().text, "未找到对应的子程序。");
    EXPECT_EQ(m_ui.messages().back().caption, "查找调用");

    CrossReferenceLookup callers(CrossReferenceLookup::Kind::CallsOfSubprogram);
    EXPECT_EQ(callers.next(m_grid, "", m_ui).row, std::nullopt);
    EXPECT_EQ(m_ui.messages().back().text, "未找到调用该子程序的指令。");
    EXPECT_EQ(m_ui.messages().back().caption, "查找跳转");
    EXPECT_EQ(callers.next(m_grid, "0001", m_ui).row, 7);
}

TEST(FunctionChooserTest, TypedTextSelectsAnEntryAndOkNeedsOne) {
    EXPECT_EQ(FunctionChooser::entryCount(), 23);
    EXPECT_EQ(FunctionChooser::entryFor("TMRB"), 22);
    EXPECT_EQ(FunctionChooser::entryFor("TMR"), FunctionChooser::kNoEntry);
    common::RecordingInteraction ui;
    EXPECT_EQ(FunctionChooser::accept(22, ui), plc::InstructionCode::TMRB);
    EXPECT_FALSE(FunctionChooser::accept(FunctionChooser::kNoEntry, ui));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "功能指令输入错误!");
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
