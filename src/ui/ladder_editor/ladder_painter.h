#pragma once

#include <QFont>
#include <QRect>
#include <functional>

#include "plc/plc_document.h"

class QPainter;

namespace kelcc::ui {

// Draws ladder rows: the row-number margin, the eight cells between the
// power rails and the comment column. The screen and the printed page use
// the same drawing; only the geometry differs.
class LadderPainter final {
public:
    struct Geometry {
        int unit = 40;           // height of a contact row
        int cellWidth = 96;      // one of the eight columns
        int marginWidth = 56;    // row numbers
        int commentWidth = 300;  // comment column
        bool rowNumbers = true;
        bool comments = true;

        int leftRail() const noexcept { return rowNumbers ? marginWidth : 8; }
        int columnLeft(int column) const noexcept { return leftRail() + (column - 1) * cellWidth; }
        int rightRail() const noexcept { return columnLeft(9); }
        int commentLeft() const noexcept { return rightRail() + 12; }
        int width() const noexcept { return commentLeft() + (comments ? commentWidth : 0); }
        // Where the wire of a row runs, from the row's top.
        int wireOffset() const noexcept { return unit * 3 / 5; }
    };

    using RowUnits = std::function<int(int row)>;

    LadderPainter(const core::plc::PlcDocument& doc, const Geometry& geometry);

    const Geometry& geometry() const noexcept { return m_geometry; }

    // Paints rows first..last, the first one with its top at `top`. The
    // rails run over the whole height of the painted rows.
    void paintRows(QPainter& painter, int first, int last, int top, const RowUnits& units) const;

    // The rectangle of a cell's first unit, for the caret.
    QRect cellRect(int column, int rowTop) const;

private:
    void paintRow(QPainter& painter, int row, int top, int height) const;
    void paintCell(QPainter& painter, const core::plc::LadderCell& cell, int column, int top,
                   int height) const;
    void paintContact(QPainter& painter, int left, int wire, bool closed) const;
    void paintCoil(QPainter& painter, int left, int wire) const;
    void paintBox(QPainter& painter, const core::plc::LadderCell& cell, int column, int top,
                  int height) const;
    void paintOperand(QPainter& painter, int left, int width, int wire,
                      const std::string& text) const;

    const core::plc::PlcDocument& m_doc;
    Geometry m_geometry;
    QFont m_operandFont;
    QFont m_boxTitleFont;
    QFont m_commentFont;
    QFont m_rowNumberFont;
};

}  // namespace kelcc::ui
