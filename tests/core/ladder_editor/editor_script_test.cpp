// Editing commands run from scripts in cases/editor_scripts.txt, one
// command or check a line (see the file's head for the words), and the
// double click that needs the operand dialogs' values.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "../common/case_file.h"
#include "common/interaction.h"
#include "ladder_editor/ladder_editor.h"
#include "plc/instruction_code.h"
#include "plc/operand_form.h"
#include "plc/plc_document.h"

namespace kelcc::core::ladder_editor {
namespace {

// A document with a ladder editor on it; cells are put in raw (unmarked),
// so a test sees exactly what the command under test marked.
class EditorFixture {
protected:
    void put(int row, int column, int kind, std::string text = {}) {
        m_doc.grid().setElement(row, column, kind, std::move(text));
    }
    void link(int row, int column) { m_doc.grid().setVerticalLink(row, column); }
    void clearMarks() {
        m_doc.setModified(false);
        m_project.clearModified();
        m_project.setPlcCompiled(true);
    }

    // Columns 1-8 of a row: "." empty, the kind number, "v" after a
    // vertical link ("15v" is a bare link).
    std::string row(int r) const {
        std::string out;
        for (int c = 1; c <= 8; ++c) {
            const plc::LadderCell* cell = m_doc.cell(r, c);
            if (c > 1) out += ' ';
            if (!cell) {
                out += '.';
                continue;
            }
            out += std::to_string(cell->kind);
            if (cell->verticalLink) out += 'v';
        }
        return out;
    }
    std::string text(int r, int c) const {
        const plc::LadderCell* cell = m_doc.cell(r, c);
        return cell ? cell->text : std::string("<none>");
    }
    bool marked() const {
        return m_doc.modified() && m_project.projectModified() && !m_project.plcCompiled();
    }

    plc::SimpleProjectState m_project;
    plc::PlcDocument m_doc{m_project};
    common::RecordingInteraction m_ui;
    LadderEditor m_editor{m_doc, m_ui};
};

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

class LadderEditorTest : public EditorFixture, public ::testing::Test {};

TEST_F(LadderEditorTest, DoubleClickReEntersTheElementInPlace) {
    put(1, 1, 1, "X0000.0");
    put(1, 2, 0);
    put(1, 5, 23, "CMP     0001 R0001 1 R0002.0");
    put(2, 1, 33, "SP      P0003");
    put(3, 1, 19, "END1    ");

    m_editor.setCursor({1, 1});
    CellEditRequest contact = m_editor.editRequest();
    ASSERT_EQ(contact.kind, CellEditRequest::Kind::Contact);
    ASSERT_TRUE(contact.form());
    plc::FormValues values = contact.values();
    EXPECT_EQ(values.fields[1], "--| |--");
    EXPECT_EQ(values.fields[2], "X0000.0");
    values.fields[1] = "--|/|--";
    values.fields[2] = "X7.2";
    m_editor.applyEdit(contact, contact.form()->validate(values));
    EXPECT_EQ(row(1), "2 0 . . 23 . . .");
    EXPECT_EQ(text(1, 1), "X0007.2");
    EXPECT_EQ(m_editor.cursor(), (CellPos{1, 2}));

    // A box and a structure element are not in their own way.
    m_editor.setCursor({1, 5});
    CellEditRequest cmp = m_editor.editRequest();
    ASSERT_EQ(cmp.kind, CellEditRequest::Kind::Function);
    EXPECT_EQ(cmp.code, plc::InstructionCode::CMP);
    values = cmp.values();
    values.fields[1] = "R9";
    m_editor.applyEdit(cmp, cmp.form()->validate(values));
    EXPECT_EQ(text(1, 5), "CMP     0001 R0009 1 R0002.0");
    EXPECT_EQ(m_editor.cursor(), (CellPos{2, 1}));

    CellEditRequest sp = m_editor.editRequest();
    ASSERT_EQ(sp.kind, CellEditRequest::Kind::Function);
    values = sp.values();
    EXPECT_EQ(values.fields[0], "0003");
    values.fields[0] = "12";
    m_editor.applyEdit(sp, sp.form()->validate(values));
    EXPECT_EQ(text(2, 1), "SP      P0012");
    EXPECT_TRUE(m_ui.messages().empty());

    for (CellPos at : {CellPos{1, 2}, CellPos{1, 3}, CellPos{3, 1}}) {
        m_editor.setCursor(at);
        EXPECT_EQ(m_editor.editRequest().kind, CellEditRequest::Kind::None);
    }
}

}  // namespace
}  // namespace kelcc::core::ladder_editor
