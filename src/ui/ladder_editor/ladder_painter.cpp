#include "ladder_editor/ladder_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <optional>

#include "common/text_codec.h"
#include "plc/instruction_code.h"
#include "plc/operand_form.h"

namespace kelcc::ui {

using core::plc::InstructionCode;
using core::plc::LadderCell;

namespace {

const QColor kLineColor(20, 20, 20);
const QColor kRailColor(0, 0, 0);
const QColor kOperandColor(0, 40, 150);
const QColor kCommentColor(0, 110, 40);
const QColor kRowNumberColor(110, 110, 110);
const QColor kBoxFill(255, 252, 232);

QString latin(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString comment(const std::string& gbk) {
    const auto converted = core::common::TextCodec::gbkToUtf8(gbk);
    return QString::fromStdString(converted.text);
}

QStringList words(const std::string& text) {
    return latin(text).split(u' ', Qt::SkipEmptyParts);
}

// One line per operand of a box: the operand's name from its form and the
// word of the instruction line, so that the box reads like the manual.
QStringList operandLines(const LadderCell& cell) {
    QStringList lines;
    QStringList tokens = words(cell.text);
    if (tokens.isEmpty()) return lines;
    tokens.removeFirst();
    const auto form =
        core::plc::OperandForm::ForInstruction(static_cast<InstructionCode>(cell.kind));
    if (!form) return tokens;
    const auto& layout = form->data().layout;
    const auto& fields = form->fields();
    qsizetype word = 0;
    for (const auto& token : layout) {
        if (word >= tokens.size()) break;
        if (token.kind == core::plc::TokenKind::Table) {
            // The comma, then the conversion table.
            const QStringList table = tokens.mid(word + 1);
            lines << QStringLiteral("TABLE\t%1").arg(table.join(u' '));
            word = tokens.size();
            break;
        }
        QString name;
        if (token.fields.size() == 1) {
            const auto fieldName = fields[static_cast<std::size_t>(token.fields[0])].name;
            name = QString::fromLatin1(fieldName.data(), static_cast<qsizetype>(fieldName.size()));
        } else {
            name = QStringLiteral("Mode");
        }
        // Name and value apart, so that the values line up in the box.
        lines << (name.isEmpty() ? tokens[word] : name + u'\t' + tokens[word]);
        ++word;
    }
    for (; word < tokens.size(); ++word)
        lines << tokens[word];
    // A lone operand needs no name: "L0001" reads better than "Label L0001".
    if (layout.size() == 1 && tokens.size() == 1) return tokens;
    return lines;
}

bool isStructure(int kind) {
    return kind == 19 || kind == 20 || kind == 31 || kind == 33 || kind == 34;
}

QFont scaledFont(const QString& family, int unit, int percent, bool bold = false) {
    QFont font(family);
    font.setPixelSize(std::max(6, unit * percent / 100));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

LadderPainter::LadderPainter(const core::plc::PlcDocument& doc, const Geometry& geometry)
    : m_doc(doc), m_geometry(geometry) {
    const int unit = m_geometry.unit;
    m_operandFont = scaledFont(QStringLiteral("DejaVu Sans Mono"), unit, 30);
    m_boxTitleFont = scaledFont(QStringLiteral("DejaVu Sans"), unit, 32, true);
    m_commentFont = scaledFont(QStringLiteral("Noto Sans CJK SC"), unit, 32);
    m_rowNumberFont = scaledFont(QStringLiteral("DejaVu Sans Mono"), unit, 28);
}

QRect LadderPainter::cellRect(int column, int rowTop) const {
    const auto& g = m_geometry;
    const int width = column > 8 ? g.cellWidth / 4 : g.cellWidth;
    return QRect(g.columnLeft(std::min(column, 9)), rowTop, width, g.unit);
}

void LadderPainter::paintRows(QPainter& painter, int first, int last, int top,
                              const RowUnits& units) const {
    const auto& g = m_geometry;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    int y = top;
    for (int row = first; row <= last; ++row) {
        const int height = units(row) * g.unit;
        paintRow(painter, row, y, height);
        y += height;
    }
    QPen rail(kRailColor, std::max(2, g.unit / 13));
    painter.setPen(rail);
    painter.drawLine(g.leftRail(), top, g.leftRail(), y);
    painter.drawLine(g.rightRail(), top, g.rightRail(), y);
    painter.restore();
}

void LadderPainter::paintRow(QPainter& painter, int row, int top, int height) const {
    const auto& g = m_geometry;
    const int wire = top + g.wireOffset();
    if (g.rowNumbers) {
        painter.setFont(m_rowNumberFont);
        painter.setPen(kRowNumberColor);
        const QRect box(0, top, g.marginWidth - 8, g.unit);
        painter.drawText(QRect(box.left(), wire - g.unit / 2, box.width(), g.unit),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(row));
    }
    for (int column = 1; column <= 8; ++column) {
        const LadderCell* cell = m_doc.cell(row, column);
        if (cell == nullptr) continue;
        if (cell->verticalLink != 0) {
            // From this row's wire down to the wire of the next row.
            painter.setPen(QPen(kLineColor, std::max(1, g.unit / 20)));
            const int x = g.columnLeft(column);
            painter.drawLine(x, wire, x, top + height + g.wireOffset());
        }
        if (cell->element != 0) paintCell(painter, *cell, column, top, height);
    }
    if (g.comments) {
        const std::string& text = m_doc.rowComment(row);
        if (!text.empty()) {
            painter.setFont(m_commentFont);
            painter.setPen(kCommentColor);
            const QFontMetrics metrics(m_commentFont);
            const int left = g.commentLeft();
            const QString shown =
                metrics.elidedText(comment(text), Qt::ElideRight, g.commentWidth - 4);
            painter.drawText(QRect(left, wire - g.unit / 2, g.commentWidth - 4, g.unit),
                             Qt::AlignLeft | Qt::AlignVCenter, shown);
        }
    }
}

void LadderPainter::paintCell(QPainter& painter, const LadderCell& cell, int column, int top,
                              int height) const {
    const auto& g = m_geometry;
    const int left = g.columnLeft(column);
    const int wire = top + g.wireOffset();
    painter.setPen(QPen(kLineColor, std::max(1, g.unit / 20)));
    switch (cell.kind) {
        case core::plc::kCellKindLine:
            painter.drawLine(left, wire, left + g.cellWidth, wire);
            return;
        case 1:
        case 2:
            paintContact(painter, left, wire, cell.kind == 2);
            paintOperand(painter, left, g.cellWidth, wire, cell.text);
            return;
        case 6:
            paintCoil(painter, left, wire);
            paintOperand(painter, left, g.cellWidth, wire, cell.text);
            return;
        default:
            break;
    }
    if (cell.kind >= 19) paintBox(painter, cell, column, top, height);
}

void LadderPainter::paintContact(QPainter& painter, int left, int wire, bool closed) const {
    const auto& g = m_geometry;
    const int w = g.cellWidth;
    const int a = left + w * 40 / 100;
    const int b = left + w * 60 / 100;
    const int half = g.unit * 22 / 100;
    painter.drawLine(left, wire, a, wire);
    painter.drawLine(b, wire, left + w, wire);
    painter.drawLine(a, wire - half, a, wire + half);
    painter.drawLine(b, wire - half, b, wire + half);
    // The slash of a closed contact stays between its bars.
    if (closed) painter.drawLine(a + 2, wire + half, b - 2, wire - half);
}

void LadderPainter::paintCoil(QPainter& painter, int left, int wire) const {
    const auto& g = m_geometry;
    const int w = g.cellWidth;
    const int radius = g.unit * 22 / 100;
    const int centre = left + w / 2;
    painter.drawLine(left, wire, centre - radius, wire);
    painter.drawLine(centre + radius, wire, left + w, wire);
    const QRectF circle(centre - radius, wire - radius, 2 * radius, 2 * radius);
    // Two arcs, as the coil is usually drawn: --( )--
    painter.drawArc(circle, 110 * 16, 140 * 16);
    painter.drawArc(circle, -70 * 16, 140 * 16);
}

void LadderPainter::paintOperand(QPainter& painter, int left, int width, int wire,
                                 const std::string& text) const {
    const auto& g = m_geometry;
    painter.save();
    painter.setFont(m_operandFont);
    painter.setPen(kOperandColor);
    const QRect above(left, wire - g.wireOffset(), width, g.wireOffset() - g.unit * 22 / 100);
    const QFontMetrics metrics(m_operandFont);
    painter.drawText(above, Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(latin(text), Qt::ElideRight, width));
    painter.restore();
}

void LadderPainter::paintBox(QPainter& painter, const LadderCell& cell, int column, int top,
                             int height) const {
    const auto& g = m_geometry;
    const int wire = top + g.wireOffset();
    const int pad = g.cellWidth / 8;
    const bool structure = isStructure(cell.kind);
    const int start = g.columnLeft(column);
    // A structure element takes two columns and ends open on the right; any
    // other box reaches to the right rail.
    const int end = structure ? g.columnLeft(std::min(column + 2, 9)) : g.rightRail();
    const QRect box(start + pad, top + g.unit * 15 / 100, end - start - 2 * pad,
                    height - g.unit * 28 / 100);
    painter.drawLine(start, wire, box.left(), wire);
    if (!structure) painter.drawLine(box.right(), wire, g.rightRail(), wire);
    painter.setBrush(kBoxFill);
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);

    const QStringList all = words(cell.text);
    const QString mnemonic = all.isEmpty() ? QString() : all.first();
    const QFontMetrics titleMetrics(m_boxTitleFont);
    const int titleHeight = titleMetrics.height() + 2;
    painter.setFont(m_boxTitleFont);
    painter.setPen(kLineColor);
    const QRect inner = box.adjusted(4, 2, -4, -2);
    painter.drawText(QRect(inner.left(), inner.top(), inner.width(), titleHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, mnemonic);

    const QStringList lines = operandLines(cell);
    if (lines.isEmpty()) return;
    painter.setFont(m_operandFont);
    painter.setPen(kOperandColor);
    const QFontMetrics metrics(m_operandFont);
    const int lineHeight = metrics.height();
    const QRect body(inner.left(), inner.top() + titleHeight, inner.width(),
                     inner.height() - titleHeight);
    const int rows = std::max(1, body.height() / lineHeight);
    // Two columns of operands when a short box has many of them.
    const int columns = static_cast<int>(lines.size()) > rows ? 2 : 1;
    const int perColumn = (static_cast<int>(lines.size()) + columns - 1) / columns;
    const int columnWidth = body.width() / columns;
    const int used = std::min(perColumn, rows) * lineHeight;
    const int firstY = body.top() + std::max(0, (body.height() - used) / 2);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const int c = i / perColumn;
        const int r = i % perColumn;
        const QRect place(body.left() + c * columnWidth, firstY + r * lineHeight, columnWidth,
                          lineHeight);
        const Qt::Alignment align =
            columns == 1 ? Qt::AlignHCenter | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter;
        const qsizetype tab = lines[i].indexOf(u'\t');
        if (tab < 0) {
            painter.drawText(place, static_cast<int>(align),
                             metrics.elidedText(lines[i], Qt::ElideRight, columnWidth - 2));
            continue;
        }
        const QString name = lines[i].left(tab);
        const QString value = lines[i].mid(tab + 1);
        const QRect inside = place.adjusted(4, 0, -6, 0);
        painter.setPen(kLineColor);
        painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.setPen(kOperandColor);
        painter.drawText(inside, Qt::AlignRight | Qt::AlignVCenter,
                         metrics.elidedText(value, Qt::ElideRight,
                                            inside.width() - metrics.horizontalAdvance(name) - 6));
    }
}

}  // namespace kelcc::ui
