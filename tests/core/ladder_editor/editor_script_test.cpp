// Editing commands run from scripts in cases/editor_scripts.txt, one
// command or check a line; see the file's head for the words.
#include <gtest/gtest.h>

#include <sstream>

#include "../common/case_file.h"
#include "editor_fixture.h"
#include "plc/instruction_code.h"

namespace kelcc::core::ladder_editor {
namespace {

class EditorScript : public EditorFixture {
public:
    void run(const test::Case& c) {
        const std::string& w = c[0];
        const auto n = [&](std::size_t i) { return std::stoi(c[i]); };
        const auto range = [&] {
            CellRange r;
            std::istringstream(c[1]) >> r.firstRow >> r.firstColumn >> r.lastRow >> r.lastColumn;
            return r;
        };
        const auto arg = [&](std::size_t i) { return i < c.fields.size() ? c[i] : std::string(); };
        if (w == "put") {
            put(n(1), n(2), n(3), arg(4));
        } else if (w == "link") {
            link(n(1), n(2));
        } else if (w == "clear") {
            clearMarks();
        } else if (w == "forget") {
            m_ui = {};
        } else if (w == "setcomment") {
            m_doc.loadRowComment(n(1), c[2]);
        } else if (w == "cursor") {
            m_editor.setCursor({n(1), n(2)});
        } else if (w == "contact") {
            m_last = m_editor.addContact(c[1], n(2));
        } else if (w == "parallel") {
            m_last = m_editor.addParallelContact(c[1], n(2));
        } else if (w == "coil") {
            m_last = m_editor.addCoil(c[1]);
        } else if (w == "function") {
            m_last = m_editor.addFunction(plc::InstructionCodeOf(c[1]), arg(2));
        } else if (w == "hlink") {
            m_last = m_editor.addHorizontalLink();
        } else if (w == "vlink") {
            m_last = m_editor.addVerticalLink();
        } else if (w == "begin") {
            m_allowed = c[1] == "contact"    ? m_editor.beginContact()
                        : c[1] == "parallel" ? m_editor.beginParallelContact()
                        : c[1] == "coil"     ? m_editor.beginCoil()
                                             : m_editor.beginFunction(plc::InstructionCodeOf(c[1]));
        } else if (w == "delete") {
            m_last = m_editor.deleteSelection(range());
        } else if (w == "element") {
            m_last = m_editor.deleteElement(range());
        } else if (w == "unlink") {
            m_last = m_editor.deleteVerticalLink(range());
        } else if (w == "copy") {
            m_last = m_editor.copy(range(), m_buffer);
        } else if (w == "cut") {
            m_last = m_editor.cut(range(), m_buffer);
        } else if (w == "paste") {
            m_last = m_editor.paste(m_buffer);
        } else if (w == "insertrow") {
            m_last = m_editor.insertRow(range());
        } else if (w == "insertcomment") {
            m_last = m_editor.insertComment(n(1));
        } else if (w == "commentsup") {
            m_last = m_editor.moveCommentsUp(n(1));
        } else if (w == "deletecomment") {
            m_last = m_editor.deleteComment(n(1));
        } else if (w == "editcomment") {
            m_editor.toggleCommentEditor(n(1));
        } else if (w == "storecomment") {
            m_last = m_editor.storeComment(c[1]);
        } else if (w == "goto") {
            m_allowed = m_editor.goTo(arg(1), arg(2));
        } else if (w == "key") {
            const std::string& k = c[1];
            k == "up"     ? m_editor.keyUp()
            : k == "down" ? m_editor.keyDown()
            : k == "home" ? m_editor.programStart()
                          : m_editor.programEnd();
        } else {
            check(c);
        }
    }

private:
    void check(const test::Case& c) {
        const std::string& w = c[0];
        const auto n = [&](std::size_t i) { return std::stoi(c[i]); };
        if (w == "=>") {
            const char* names[] = {"Done", "Ignored", "Refused"};
            EXPECT_EQ(names[static_cast<int>(m_last.status)], c[1]) << c.where;
        } else if (w == "changed") {
            EXPECT_EQ(m_last.changed ? "yes" : "no", c[1]) << c.where;
        } else if (w == "moved") {
            EXPECT_EQ(m_last.rowsMoved ? "yes" : "no", c[1]) << c.where;
        } else if (w == "rows") {
            EXPECT_EQ(std::to_string(m_last.firstRow) + "-" + std::to_string(m_last.lastRow), c[1])
                << c.where;
        } else if (w == "allowed") {
            EXPECT_EQ(m_allowed ? "yes" : "no", c[1]) << c.where;
        } else if (w == "row") {
            EXPECT_EQ(row(n(1)), c[2]) << c.where;
        } else if (w == "text") {
            EXPECT_EQ(text(n(1), n(2)), c[3]) << c.where;
        } else if (w == "comment") {
            EXPECT_EQ(m_doc.rowComment(n(1)), c.fields.size() > 2 ? c[2] : "") << c.where;
        } else if (w == "messages") {
            std::vector<std::string> texts;
            for (const auto& m : m_ui.messages())
                texts.push_back(m.text);
            EXPECT_EQ(texts, std::vector<std::string>(c.fields.begin() + 1, c.fields.end()))
                << c.where;
        } else if (w == "at") {
            EXPECT_EQ(m_editor.cursor(), (CellPos{n(1), n(2)})) << c.where;
        } else if (w == "marked") {
            EXPECT_EQ(marked() ? "yes" : m_doc.modified() ? "partly" : "no", c[1]) << c.where;
        } else if (w == "commentrow") {
            EXPECT_EQ(m_editor.commentEditorRow(), n(1)) << c.where;
        } else if (w == "commenttext") {
            EXPECT_EQ(m_editor.commentText(n(1)), c[2]) << c.where;
        } else if (w == "request") {
            const char* kinds[] = {"None", "Contact", "Coil", "Function"};
            EXPECT_EQ(kinds[static_cast<int>(m_editor.editRequest().kind)], c[1]) << c.where;
        } else if (w == "lastrow") {
            EXPECT_EQ(m_doc.lastUsedRow(), n(1)) << c.where;
        } else if (w == "buffer") {
            EXPECT_EQ(m_buffer.cells().size(), static_cast<std::size_t>(n(1))) << c.where;
        } else {
            ADD_FAILURE() << c.where << ": no such word " << w;
        }
    }

    CopyBuffer m_buffer;
    EditResult m_last;
    bool m_allowed = false;
};

TEST(LadderEditorScripts, EveryScriptRunsAsWritten) {
    std::unique_ptr<EditorScript> script;
    int scripts = 0;
    for (const test::Case& c : test::ReadCases("core/ladder_editor/cases/editor_scripts.txt")) {
        if (c[0] == "script") {
            script = std::make_unique<EditorScript>();
            ++scripts;
            continue;
        }
        ASSERT_TRUE(script) << c.where;
        script->run(c);
    }
    EXPECT_GT(scripts, 10);
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
