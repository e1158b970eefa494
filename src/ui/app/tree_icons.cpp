#include "app/tree_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

namespace kelcc::ui {

namespace {

void folder(QPainter& p, const QColor& color) {
    p.setPen(color.darker(160));
    p.setBrush(color);
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6.5, 3.5);
    path.lineTo(8.0, 5.0);
    path.lineTo(14.5, 5.0);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
}

void page(QPainter& p, const QColor& color) {
    p.setPen(QColor(90, 90, 90));
    p.setBrush(color);
    QPainterPath path;
    path.moveTo(3.5, 1.5);
    path.lineTo(10.0, 1.5);
    path.lineTo(12.5, 4.0);
    path.lineTo(12.5, 14.5);
    path.lineTo(3.5, 14.5);
    path.closeSubpath();
    p.drawPath(path);
}

void letters(QPainter& p, const QString& text, const QColor& color, int size) {
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(size);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
}

void grid(QPainter& p, const QColor& color) {
    p.setPen(QColor(70, 70, 70));
    p.setBrush(color);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    for (const double y : {6.0, 9.5})
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
    p.drawLine(QPointF(6.0, 2.5), QPointF(6.0, 13.5));
}

}  // namespace

QIcon TreeIcons::icon(int image) {
    // Kept for the program's life; never destroyed after the application.
    static auto* cache = new std::map<int, QIcon>;
    auto it = cache->find(image);
    if (it == cache->end()) it = cache->emplace(image, QIcon(draw(image))).first;
    return it->second;
}

QPixmap TreeIcons::draw(int image) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
        case 0:  // the project
            folder(p, QColor(240, 200, 90));
            p.setPen(QColor(40, 90, 170));
            p.setBrush(QColor(80, 140, 220));
            p.drawRect(QRectF(8.5, 8.5, 5, 4));
            break;
        case 3: {  // ladder program: rails, a contact and a coil
            p.setPen(QPen(QColor(30, 30, 30), 1.2));
            p.drawLine(QPointF(1.5, 2), QPointF(1.5, 14));
            p.drawLine(QPointF(14.5, 2), QPointF(14.5, 14));
            p.drawLine(QPointF(1.5, 8), QPointF(5, 8));
            p.drawLine(QPointF(5, 5), QPointF(5, 11));
            p.drawLine(QPointF(7, 5), QPointF(7, 11));
            p.drawLine(QPointF(7, 8), QPointF(9.5, 8));
            p.setPen(QPen(QColor(20, 110, 40), 1.2));
            p.drawEllipse(QPointF(11.5, 8), 2, 3);
            p.setPen(QPen(QColor(30, 30, 30), 1.2));
            p.drawLine(QPointF(13.5, 8), QPointF(14.5, 8));
            break;
        }
        case 4:  // CNC configuration
            folder(p, QColor(120, 180, 230));
            letters(p, QStringLiteral("N"), QColor(20, 50, 110), 9);
            break;
        case 5:  // data tables
            grid(p, QColor(220, 240, 255));
            break;
        case 6:  // information table
            grid(p, QColor(255, 240, 200));
            p.setPen(QPen(QColor(200, 40, 30), 1.6));
            p.drawLine(QPointF(10.5, 7.5), QPointF(10.5, 10.5));
            p.drawPoint(QPointF(10.5, 12.3));
            break;
        case 7: {  // parameters: sliders
            p.setPen(QPen(QColor(60, 60, 60), 1.2));
            for (const double y : {4.0, 8.0, 12.0})
                p.drawLine(QPointF(2, y), QPointF(14, y));
            p.setBrush(QColor(70, 130, 200));
            p.setPen(QColor(30, 60, 110));
            p.drawRect(QRectF(4.5, 2.5, 3, 3));
            p.drawRect(QRectF(9.5, 6.5, 3, 3));
            p.drawRect(QRectF(6.5, 10.5, 3, 3));
            break;
        }
        case 8:  // a part program
            page(p, Qt::white);
            letters(p, QStringLiteral("O"), QColor(30, 90, 170), 9);
            break;
        case 10:  // part-program branch
            folder(p, QColor(240, 200, 90));
            break;
        case 11: {  // tool offsets: a turning tool
            p.setPen(QColor(60, 60, 60));
            p.setBrush(QColor(170, 170, 180));
            p.drawRect(QRectF(1.5, 9.5, 9, 4));
            p.setBrush(QColor(230, 180, 40));
            QPolygonF tip;
            tip << QPointF(10.5, 9.5) << QPointF(14.5, 6) << QPointF(14.5, 13.5)
                << QPointF(10.5, 13.5);
            p.drawPolygon(tip);
            break;
        }
        case 12: {  // pitch compensation: a thread
            p.setPen(QPen(QColor(60, 60, 60), 1.2));
            QPolygonF thread;
            for (int i = 0; i <= 6; ++i)
                thread << QPointF(1.5 + i * 2.2, i % 2 ? 4.0 : 12.0);
            p.drawPolyline(thread);
            p.setPen(QPen(QColor(200, 40, 30), 1.2));
            p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
            break;
        }
        case 13:  // PLC
            p.setPen(QColor(40, 40, 40));
            p.setBrush(QColor(60, 60, 70));
            p.drawRect(QRectF(3.5, 2.5, 9, 11));
            p.setPen(QColor(150, 150, 150));
            for (const double y : {4.5, 7.5, 10.5, 12.5}) {
                p.drawLine(QPointF(1, y), QPointF(3.5, y));
                p.drawLine(QPointF(12.5, y), QPointF(15, y));
            }
            break;
        case 14:  // K values
            page(p, QColor(235, 255, 235));
            letters(p, QStringLiteral("K"), QColor(20, 110, 40), 9);
            break;
        case 15:  // program information
            p.setPen(QColor(30, 70, 150));
            p.setBrush(QColor(70, 130, 220));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            letters(p, QStringLiteral("i"), Qt::white, 11);
            break;
        default:
            page(p, Qt::white);
            break;
    }
    return pixmap;
}

}  // namespace kelcc::ui
