// Editing commands run from scripts in cases/editor_scripts.txt, one
// command or check a line; see the file's head for the words.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "../common/case_file.h"
#include "editor_fixture.h"
#include "plc/instruction_code.h"

namespace kelcc::core::ladder_editor {
namespace {

class EditorScript : public EditorFixture {
public:
    void run(const test::Case& c) {
        const auto n = [&](std::size_t i) { return std::stoi(c[i]); };
        const auto arg = [&](std::size_t i) { return i < c.fields.size() ? c[i] : std::string(); };
        const auto range = [&] {
            CellRange r;
            std::istringstream(c[1]) >> r.firstRow >> r.firstColumn >> r.lastRow >> r.lastColumn;
            return r;
        };
        const auto yes = [&](bool value) { EXPECT_EQ(value ? "yes" : "no", c[1]) << c.where; };
        const auto code = [&] { return plc::InstructionCodeOf(c[1]); };
        const std::map<std::string, std::function<void()>> words = {
            // commands
            {"put", [&] { put(n(1), n(2), n(3), arg(4)); }},
            {"link", [&] { link(n(1), n(2)); }},
            {"clear", [&] { clearMarks(); }},
            {"forget", [&] { m_ui = {}; }},
            {"setcomment", [&] { m_doc.loadRowComment(n(1), c[2]); }},
            {"cursor",
             [&] {
                 m_editor.setCursor({n(1), n(2)});
             }},
            {"contact", [&] { m_last = m_editor.addContact(c[1], n(2)); }},
            {"parallel", [&] { m_last = m_editor.addParallelContact(c[1], n(2)); }},
            {"coil", [&] { m_last = m_editor.addCoil(c[1]); }},
            {"function", [&] { m_last = m_editor.addFunction(code(), arg(2)); }},
            {"hlink", [&] { m_last = m_editor.addHorizontalLink(); }},
            {"vlink", [&] { m_last = m_editor.addVerticalLink(); }},
            {"begin",
             [&] {
                 m_allowed = c[1] == "contact"    ? m_editor.beginContact()
                             : c[1] == "parallel" ? m_editor.beginParallelContact()
                             : c[1] == "coil"     ? m_editor.beginCoil()
                                                  : m_editor.beginFunction(code());
             }},
            {"delete", [&] { m_last = m_editor.deleteSelection(range()); }},
            {"element", [&] { m_last = m_editor.deleteElement(range()); }},
            {"unlink", [&] { m_last = m_editor.deleteVerticalLink(range()); }},
            {"copy", [&] { m_last = m_editor.copy(range(), m_buffer); }},
            {"cut", [&] { m_last = m_editor.cut(range(), m_buffer); }},
            {"paste", [&] { m_last = m_editor.paste(m_buffer); }},
            {"insertrow", [&] { m_last = m_editor.insertRow(range()); }},
            {"insertcomment", [&] { m_last = m_editor.insertComment(n(1)); }},
            {"commentsup", [&] { m_last = m_editor.moveCommentsUp(n(1)); }},
            {"deletecomment", [&] { m_last = m_editor.deleteComment(n(1)); }},
            {"editcomment", [&] { m_editor.toggleCommentEditor(n(1)); }},
            {"storecomment", [&] { m_last = m_editor.storeComment(c[1]); }},
            {"goto", [&] { m_allowed = m_editor.goTo(arg(1), arg(2)); }},
            {"key",
             [&] {
                 c[1] == "up"     ? m_editor.keyUp()
                 : c[1] == "down" ? m_editor.keyDown()
                 : c[1] == "home" ? m_editor.programStart()
                                  : m_editor.programEnd();
             }},
            // checks
            {"=>",
             [&] {
                 const char* names[] = {"Done", "Ignored", "Refused"};
                 EXPECT_EQ(names[static_cast<int>(m_last.status)], c[1]) << c.where;
             }},
            {"changed", [&] { yes(m_last.changed); }},
            {"moved", [&] { yes(m_last.rowsMoved); }},
            {"allowed", [&] { yes(m_allowed); }},
            {"rows",
             [&] {
                 EXPECT_EQ(std::to_string(m_last.firstRow) + "-" + std::to_string(m_last.lastRow),
                           c[1])
                     << c.where;
             }},
            {"row", [&] { EXPECT_EQ(row(n(1)), c[2]) << c.where; }},
            {"text", [&] { EXPECT_EQ(text(n(1), n(2)), c[3]) << c.where; }},
            {"comment", [&] { EXPECT_EQ(m_doc.rowComment(n(1)), arg(2)) << c.where; }},
            {"messages",
             [&] {
                 std::vector<std::string> texts;
                 for (const auto& m : m_ui.messages())
                     texts.push_back(m.text);
                 EXPECT_EQ(texts, std::vector<std::string>(c.fields.begin() + 1, c.fields.end()))
                     << c.where;
             }},
            {"at",
             [&] {
                 EXPECT_EQ(m_editor.cursor(), (CellPos{n(1), n(2)})) << c.where;
             }},
            {"marked",
             [&] {
                 EXPECT_EQ(marked() ? "yes" : m_doc.modified() ? "partly" : "no", c[1]) << c.where;
             }},
            {"commentrow", [&] { EXPECT_EQ(m_editor.commentEditorRow(), n(1)) << c.where; }},
            {"commenttext", [&] { EXPECT_EQ(m_editor.commentText(n(1)), c[2]) << c.where; }},
            {"request",
             [&] {
                 const char* kinds[] = {"None", "Contact", "Coil", "Function"};
                 EXPECT_EQ(kinds[static_cast<int>(m_editor.editRequest().kind)], c[1]) << c.where;
             }},
            {"lastrow", [&] { EXPECT_EQ(m_doc.lastUsedRow(), n(1)) << c.where; }},
            {"buffer", [&] { EXPECT_EQ(m_buffer.cells().size(), std::size_t(n(1))) << c.where; }},
        };
        const auto word = words.find(c[0]);
        if (word == words.end()) {
            ADD_FAILURE() << c.where << ": no such word " << c[0];
        } else {
            word->second();
        }
    }

private:
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
