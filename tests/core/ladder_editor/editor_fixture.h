#pragma once

#include <string>

#include "common/interaction.h"
#include "ladder_editor/ladder_editor.h"
#include "plc/plc_document.h"

namespace kelcc::core::ladder_editor {

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
    // The messages shown so far, joined by '|'.
    std::string messages() const {
        std::string out;
        for (const auto& m : m_ui.messages()) {
            if (!out.empty()) out += '|';
            out += m.text;
        }
        return out;
    }
    bool marked() const {
        return m_doc.modified() && m_project.projectModified() && !m_project.plcCompiled();
    }

    plc::SimpleProjectState m_project;
    plc::PlcDocument m_doc{m_project};
    common::RecordingInteraction m_ui;
    LadderEditor m_editor{m_doc, m_ui};
};

}  // namespace kelcc::core::ladder_editor
