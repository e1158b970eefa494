#include "ladder_editor/ladder_tool_icons.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegularExpression>

namespace kelcc::ui {

using Command = LadderView::Command;

namespace {

constexpr int kSize = 24;
const QColor kInk(30, 30, 30);
const QColor kElement(20, 70, 170);
const QColor kRemove(200, 30, 30);

QPen pen(const QColor& color, double width = 1.6) {
    return QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// --| |-- on the line y, its bars `half` above and below it.
void contact(QPainter& p, double y, const QColor& color, double half = 5) {
    p.setPen(pen(kInk));
    p.drawLine(QPointF(1, y), QPointF(8, y));
    p.drawLine(QPointF(16, y), QPointF(23, y));
    p.setPen(pen(color, 2.2));
    p.drawLine(QPointF(9, y - half), QPointF(9, y + half));
    p.drawLine(QPointF(15, y - half), QPointF(15, y + half));
}

void cross(QPainter& p, const QPointF& centre) {
    p.setPen(pen(kRemove, 2.2));
    p.drawLine(centre + QPointF(-4, -4), centre + QPointF(4, 4));
    p.drawLine(centre + QPointF(-4, 4), centre + QPointF(4, -4));
}

void letters(QPainter& p, const QRectF& box, const QString& text, const QColor& color) {
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

// A curved arrow to the left (undo) or, mirrored, to the right (redo).
void turnArrow(QPainter& p, bool right) {
    if (right) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    p.setPen(pen(kElement, 2.2));
    QPainterPath path;
    path.moveTo(19, 18);
    path.cubicTo(19, 8, 12, 7, 6, 9);
    p.drawPath(path);
    p.setBrush(kElement);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(9, 4), QPointF(9.5, 14)}));
}

void draw(QPainter& p, Command command) {
    switch (command) {
        case Command::Contact:
            contact(p, 12, kElement);
            break;
        case Command::ParallelContact:
            contact(p, 5.5, kInk, 3.5);
            contact(p, 18.5, kElement, 3.5);
            p.setPen(pen(kInk));
            p.drawLine(QPointF(3, 5.5), QPointF(3, 18.5));
            p.drawLine(QPointF(21, 5.5), QPointF(21, 18.5));
            break;
        case Command::Coil:
            p.setPen(pen(kInk));
            p.drawLine(QPointF(1, 12), QPointF(7, 12));
            p.drawLine(QPointF(17, 12), QPointF(23, 12));
            p.setPen(pen(kElement, 2.2));
            p.drawArc(QRectF(6, 6, 8, 12), 110 * 16, 140 * 16);
            p.drawArc(QRectF(10, 6, 8, 12), -70 * 16, 140 * 16);
            break;
        case Command::Function:
            p.setPen(pen(kInk));
            p.drawLine(QPointF(1, 12), QPointF(4, 12));
            p.setPen(pen(kElement, 1.8));
            p.drawRect(QRectF(4.5, 5.5, 18, 13));
            letters(p, QRectF(4.5, 5.5, 18, 13), QStringLiteral("FUN"), kElement);
            break;
        case Command::HorizontalLink:
            p.setPen(pen(kElement, 2.4));
            p.drawLine(QPointF(2, 12), QPointF(22, 12));
            break;
        case Command::VerticalLink:
            p.setPen(pen(kInk));
            p.drawLine(QPointF(2, 5), QPointF(12, 5));
            p.drawLine(QPointF(2, 19), QPointF(12, 19));
            p.setPen(pen(kElement, 2.4));
            p.drawLine(QPointF(12, 3), QPointF(12, 21));
            break;
        case Command::DeleteElement:
            contact(p, 9, kInk);
            cross(p, QPointF(17, 17));
            break;
        case Command::DeleteVerticalLink:
            p.setPen(pen(kInk, 2.4));
            p.drawLine(QPointF(8, 3), QPointF(8, 21));
            cross(p, QPointF(17, 17));
            break;
        case Command::RowNumbers:
            p.setPen(pen(kInk, 1));
            for (const double y : {6.5, 12.5, 18.5})
                p.drawLine(QPointF(10, y), QPointF(22, y));
            letters(p, QRectF(0, 1, 9, 11), QStringLiteral("1"), kElement);
            letters(p, QRectF(0, 13, 9, 11), QStringLiteral("2"), kElement);
            break;
        case Command::Comments:
            p.setPen(pen(kInk, 1.2));
            p.setBrush(QColor(255, 250, 205));
            p.drawRoundedRect(QRectF(2.5, 3.5, 19, 13), 2, 2);
            p.drawPolygon(QPolygonF({QPointF(6, 16.5), QPointF(6, 21), QPointF(11, 16.5)}));
            p.setPen(pen(kElement, 1.2));
            for (const double y : {7.5, 11.5})
                p.drawLine(QPointF(6, y), QPointF(18, y));
            break;
        case Command::Compile:
            p.setPen(pen(kInk, 1.2));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(3.5, 2.5, 14, 19));
            for (const double y : {7.0, 11.0, 15.0})
                p.drawLine(QPointF(6, y), QPointF(14, y));
            p.setPen(pen(QColor(20, 140, 40), 2.6));
            p.drawPolyline(QPolygonF({QPointF(11, 16), QPointF(15, 20), QPointF(22, 10)}));
            break;
        case Command::Find:
            p.setPen(pen(kElement, 2.2));
            p.drawEllipse(QRectF(3, 3, 12, 12));
            p.setPen(pen(kInk, 3));
            p.drawLine(QPointF(14, 14), QPointF(21, 21));
            break;
        case Command::Undo:
        case Command::Redo:
            turnArrow(p, command == Command::Redo);
            break;
        default:
            break;
    }
}

}  // namespace

QIcon LadderToolIcons::icon(Command command) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, command);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString LadderToolIcons::toolTip(const QAction& action) {
    QString text = action.text();
    // "触点(&I)", "添加连接横线(F4)", "查找(&S)...": the caption alone.
    static const QRegularExpression decoration(QStringLiteral(R"(\((&\w|F\d+)\)|\.\.\.$|&)"));
    text.remove(decoration);
    const QKeySequence key = action.shortcut();
    if (key.isEmpty()) return text;
    return text + QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText));
}

}  // namespace kelcc::ui
