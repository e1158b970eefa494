// Undo and redo of every editing command, checked as a property: a random
// run of commands on the sample program, then undone to the start and redone
// to the end, must pass through exactly the states it went through, compared
// as the bytes the program file and the ladder image would have.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "compiler/compile_command.h"
#include "compiler/plc_document_file.h"
#include "ladder_editor/copy_buffer.h"
#include "ladder_editor/ladder_editor.h"
#include "plc/ladder_image.h"
#include "plc/plc_document.h"
#include "plc/program_file.h"

namespace kelcc::core::ladder_editor {
namespace {

using plc::PlcDocument;

// The checksum is left out: a compile that changes nothing sets it without
// being a step. It is checked to be 0 or the CRC of the program instead.
std::string stateOf(PlcDocument& doc) {
    const std::uint16_t checksum = doc.checksum();
    EXPECT_TRUE(checksum == 0 || checksum == doc.il().checksum());
    doc.setChecksum(0);
    std::string state = plc::ProgramFile::write(doc);
    doc.setChecksum(checksum);
    state += plc::LadderImage::build(doc.grid());
    for (int r = 1; r <= plc::LadderGrid::kRows; ++r)
        if (!doc.rowComment(r).empty()) state += std::to_string(r) + doc.rowComment(r) + "\n";
    return state;
}

class LadderUndoTest : public ::testing::Test {
protected:
    void open() {
        m_doc.clear();
        ASSERT_TRUE(compiler::PlcDocumentFile::open(
            m_doc, std::string(KELCC_TEST_DATA_DIR) + "/demo_program.ldx", m_ui));
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    CellRange someRange() {
        const int row = pick(1, m_doc.lastUsedRow() + 2);
        const bool wide = pick(0, 3) == 0;
        const int column = wide ? 1 : pick(1, 8);
        return {row, column, row + pick(0, 3), wide ? 8 : column};
    }

    // One editing command at a random place; refused ones change nothing.
    void step() {
        m_editor.closeCommentEditor();
        m_editor.setCursor({pick(1, m_doc.lastUsedRow() + 2), pick(1, 8)});
        const std::string address =
            "R" + std::to_string(1000 + pick(0, 99)) + "." + std::to_string(pick(0, 7));
        const std::function<void()> commands[] = {
            [&] { m_editor.addContact(address, pick(0, 1)); },
            [&] { m_editor.addParallelContact(address, 0); },
            [&] { m_editor.addCoil(address); },
            [&] { m_editor.addHorizontalLink(); },
            [&] { m_editor.addVerticalLink(); },
            [&] { m_editor.deleteSelection(someRange()); },
            [&] { m_editor.deleteElement(someRange()); },
            [&] { m_editor.deleteVerticalLink(someRange()); },
            [&] { m_editor.cut(someRange(), m_buffer); },
            [&] {
                m_editor.copy(someRange(), m_buffer);
                m_editor.paste(m_buffer);
            },
            [&] { m_editor.insertRow(someRange()); },
            [&] { m_editor.insertComment(m_editor.cursor().row); },
            [&] { m_editor.moveCommentsUp(m_editor.cursor().row); },
            [&] { m_editor.deleteComment(m_editor.cursor().row); },
            [&] {
                m_editor.toggleCommentEditor(m_editor.cursor().row);
                m_editor.storeComment("注释 " + std::to_string(pick(0, 999)));
            },
            [&] {
                PlcDocument::Edit edit(m_doc, "修改数据");
                const int index = pick(0, 99);
                plc::DataWordRecord record = m_doc.dcTable()[static_cast<std::size_t>(index)];
                record.value = static_cast<std::uint32_t>(pick(0, 65535));
                m_doc.setDc(index, record);
                m_doc.setD(pick(0, 999), static_cast<std::uint8_t>(pick(0, 255)));
            },
            [&] {
                std::vector<std::string> alarms = m_doc.alarms();
                alarms.push_back("A0001.0\t" + std::to_string(pick(0, 999)));
                m_doc.setAlarms(std::move(alarms));
            },
            [&] { compiler::CompileCommand::run(m_doc, "Demo", common::Language::Chinese, m_ui); },
        };
        m_lastCommand = pick(0, static_cast<int>(std::size(commands)) - 1);
        commands[m_lastCommand]();
    }

    plc::SimpleProjectState m_project;
    PlcDocument m_doc{m_project};
    common::RecordingInteraction m_ui;
    LadderEditor m_editor{m_doc, m_ui};
    CopyBuffer m_buffer;
    std::mt19937 m_random;
    int m_lastCommand = 0;
};

TEST_F(LadderUndoTest, UndoAndRedoPassThroughEveryStateOfARandomEditingRun) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        m_random.seed(seed);
        open();
        auto& stack = m_doc.undoStack();
        std::vector<std::string> states{stateOf(m_doc)};
        for (int i = 0; i < 50; ++i) {
            const int before = stack.index();
            step();
            const std::string now = stateOf(m_doc);
            if (stack.index() == before) {
                // Nothing pushed: nothing may have changed either.
                ASSERT_EQ(now, states.back())
                    << "unrecorded change in step " << i << " (" << m_lastCommand << ")";
                continue;
            }
            ASSERT_EQ(stack.index(), before + 1);
            states.push_back(now);
            // A saved state is never merged into, so every command stays
            // its own step here.
            stack.setClean();
        }
        ASSERT_GT(states.size(), 15u);
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            stack.undo();
            ASSERT_EQ(stateOf(m_doc), states[i - 1]) << "undo to " << i - 1;
        }
        EXPECT_TRUE(m_doc.modified());
        for (std::size_t i = 1; i < states.size(); ++i) {
            stack.redo();
            ASSERT_EQ(stateOf(m_doc), states[i]) << "redo to " << i;
        }
        EXPECT_FALSE(m_doc.modified());
    }
}

TEST_F(LadderUndoTest, TypingIntoOneRecordIsOneStepAndTheSavedStateStaysReachable) {
    open();
    auto& stack = m_doc.undoStack();
    const std::uint8_t original = m_doc.dTable()[5].value;
    for (std::uint8_t v : {11, 12, 13})
        m_doc.setD(5, v);
    m_doc.setD(6, 99);
    ASSERT_EQ(stack.count(), 2);
    stack.undo();
    stack.undo();
    EXPECT_EQ(m_doc.dTable()[5].value, original);
    EXPECT_FALSE(m_doc.modified());

    stack.redo();
    m_doc.setModified(false);  // saved with D0005 = 13
    m_doc.setD(5, 14);
    EXPECT_EQ(stack.count(), 2);  // the redo of D0006 is gone, 14 did not merge
    stack.undo();
    EXPECT_EQ(m_doc.dTable()[5].value, 13);
    EXPECT_FALSE(m_doc.modified());
}

TEST_F(LadderUndoTest, ViewsHearEditsUndoAndReloadAndACompileThatChangesNothingIsNoStep) {
    struct View final : common::DocumentListener {
        std::vector<std::string> heard;
        void documentChanged(const common::DocumentChange& c) override {
            heard.push_back("changed " + std::to_string(c.parts) + " " + std::to_string(c.first));
        }
        void modifiedChanged(bool m) override { heard.push_back(m ? "modified" : "clean"); }
        void documentReloaded() override { heard.push_back("reloaded"); }
    } ladder, table;
    open();
    m_doc.addListener(&ladder);
    m_doc.addListener(&table);

    compiler::CompileCommand::run(m_doc, "Demo", common::Language::Chinese, m_ui);
    EXPECT_EQ(m_doc.undoStack().count(), 0);
    EXPECT_FALSE(m_doc.modified());

    m_doc.setRowComment(3, "x");
    m_doc.undoStack().undo();
    m_doc.removeListener(&table);
    open();
    const std::vector<std::string> expected = {"changed 4 3", "modified", "changed 4 3", "clean",
                                               "reloaded"};
    EXPECT_EQ(ladder.heard, expected);
    EXPECT_EQ(table.heard, std::vector<std::string>(expected.begin(), expected.end() - 1));
    EXPECT_FALSE(m_doc.undoStack().canUndo());
    m_doc.removeListener(&ladder);
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
